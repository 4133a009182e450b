#!/bin/bash
# The layer check itself: it must fail on an include that reaches upward and
# on a folder it has no line for, and pass a tree that keeps the layers.
set -u
check="$(dirname "$0")/../scripts/check-layers.sh"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

mkdir -p "$tmp/src/app" "$tmp/src/platform" "$tmp/src/transfer" "$tmp/src/preview/engine"
echo '#include "platform/fileio.h"' > "$tmp/src/transfer/ftplogic.h"
echo '#include "app/mainwindow.h"' > "$tmp/src/app/x.cpp"
echo '#include "platform/version.h"' > "$tmp/src/preview/engine/guard.cpp"
out=$(bash "$check" "$tmp/src") || fail "a tree that keeps the layers was refused: $out"

# Upward, from a folder and from a folder inside one.
echo '#include "app/mainwindow.h"' >> "$tmp/src/transfer/ftplogic.h"
out=$(bash "$check" "$tmp/src") && fail "transfer/ including app/ passed"
grep -q 'transfer/ftplogic.h:2: #include "app/mainwindow.h"' <<<"$out" || fail "the include was not named: $out"
sed -i '2d' "$tmp/src/transfer/ftplogic.h"
echo '#include "transfer/ftplogic.h"' >> "$tmp/src/preview/engine/guard.cpp"
out=$(bash "$check" "$tmp/src") && fail "preview/engine/ including transfer/ passed"
grep -q 'preview/engine/guard.cpp' <<<"$out" || fail "the file inside engine/ was not named: $out"
sed -i '2d' "$tmp/src/preview/engine/guard.cpp"

# A folder the check does not know.
mkdir "$tmp/src/newfolder"
out=$(bash "$check" "$tmp/src") && fail "a folder without a line passed"
grep -q 'newfolder/ has no place' <<<"$out" || fail "the new folder was not named: $out"
echo "layer check: ok"
