#!/usr/bin/env bash
# Installs a build into a fresh prefix and checks what arrived: the program
# and its engine module, the shipped data, the desktop entry (validated) and
# the icons; then runs the installed program, which must find its help page
# in the prefix rather than in the source tree.
# Usage: check-install.sh BUILD_DIR "16 22 ... 256"
set -u
build="$1"
sizes="$2"
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }

if ! cmake --install "$build" --prefix "$prefix" >/dev/null; then
    echo "FAIL: cmake --install"
    exit 1
fi

[ -x "$prefix/bin/mivor" ] || fail "bin/mivor missing or not executable"
[ -f "$prefix/lib/mivor/mivor_webview.so" ] || fail "lib/mivor/mivor_webview.so missing"
for f in mivor2_help.htm ignore.lst; do
    if [ ! -f "$prefix/share/mivor/$f" ]; then
        fail "share/mivor/$f missing"
    elif ! cmp -s "$source_dir/resources/$f" "$prefix/share/mivor/$f"; then
        fail "share/mivor/$f differs from resources/$f"
    fi
done

desktop="$prefix/share/applications/mivor.desktop"
if [ ! -f "$desktop" ]; then
    fail "share/applications/mivor.desktop missing"
else
    # Hints are advice; errors and warnings fail.
    out="$(desktop-file-validate "$desktop" 2>&1)" || fail "desktop-file-validate: $out"
    if grep -qE ': (error|warning):' <<<"$out"; then fail "desktop-file-validate: $out"; fi
    grep -qx 'MimeType=text/html;application/xhtml+xml;text/plain;' "$desktop" || fail "MimeType line"
    grep -qx 'Categories=Development;WebDevelopment;TextEditor;' "$desktop" || fail "Categories line"
    grep -qx 'Exec=mivor --files %F' "$desktop" || fail "Exec line"
    grep -qx 'Icon=mivor' "$desktop" || fail "Icon line"
fi

for s in $sizes; do
    icon="$prefix/share/icons/hicolor/${s}x${s}/apps/mivor.png"
    if [ ! -f "$icon" ]; then
        fail "icon ${s}x${s} missing"
    elif [ "$(identify -format '%wx%h %m' "$icon")" != "${s}x${s} PNG" ]; then
        fail "icon ${s}x${s} is $(identify -format '%wx%h %m' "$icon")"
    fi
done

version="$("$prefix/bin/mivor" --version 2>/dev/null)" || fail "mivor --version exit status"
version="${version%%$'\n'*}"
[ "$version" = "Mivor 2.0" ] || fail "mivor --version printed '$version' first"
help="$(QT_QPA_PLATFORM=offscreen "$prefix/bin/mivor" --help 2>/dev/null)" || fail "mivor --help exit status"
grep -qxF "Help page: $prefix/share/mivor/mivor2_help.htm" <<<"$help" \
    || fail "installed program does not find its help page in the prefix: $(tail -1 <<<"$help")"

[ $status -eq 0 ] && echo "install: ok ($prefix)"
exit $status
