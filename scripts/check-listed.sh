#!/bin/bash
# Every source file under src/<folder>/ is named in that folder's
# CMakeLists.txt: a file left off the list is neither compiled nor moc'ed,
# which shows up only as a link error far from its cause.
set -u
src="${1:-$(dirname "$0")/../src}"
status=0
for dir in "$src"/*/; do
    list="$dir/CMakeLists.txt"
    [ -f "$list" ] || continue
    for f in "$dir"*.cpp "$dir"*.h; do
        [ -e "$f" ] || continue
        name=$(basename "$f")
        if ! grep -qE "(^|[[:space:](])$name([[:space:])]|$)" "$list"; then
            echo "$(basename "$dir")/$name is not listed in $(basename "$dir")/CMakeLists.txt"
            status=1
        fi
    done
done
[ $status -eq 0 ] && echo "sources listed: ok"
exit $status
