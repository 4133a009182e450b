#!/bin/bash
# Which folder may include which: a check over the #include lines of src/.
# Every folder of src/ has its line below, naming the folders it stands on;
# an include of any other folder (the main window's app/ above all) fails,
# and so does a folder that has no line, so none slips past the check.
#  - platform/ (the seams) includes no other folder of the program;
#  - widgets/ (controls shared by dialogs) stands on the seams alone;
#  - documents/ stands below every command; htmlaid/ on documents/ alone;
#  - markup/ stands below the tools; app/ above everything;
#  - core test binaries (when their folder is given) need no widgets.
set -u
src="${1:-$(dirname "$0")/../src}"
status=0

declare -A may=(
    [platform]=""
    [imaging]="platform"
    [widgets]="platform"
    [documents]="platform"
    [settings]="documents platform"
    [htmlaid]="documents platform"
    [markup]="documents imaging platform widgets"
    [table]="imaging markup platform widgets"
    [formmaker]="platform widgets"
    [search]="documents platform widgets"
    [spike]="documents platform settings widgets"
    [transfer]="platform widgets"
    [preview]="documents platform widgets"
    [app]="*"
)

for dir in "$src"/*/; do
    folder=$(basename "$dir")
    if [ -z "${may[$folder]+set}" ]; then
        echo "$folder/ has no place in the layers: give it a line in $(basename "$0")"
        status=1
        continue
    fi
    [ "${may[$folder]}" = "*" ] && continue
    allowed="$folder ${may[$folder]}"
    while IFS=: read -r file line text; do
        target=$(sed -E 's/^#include "([a-z_]+)\/.*/\1/' <<<"$text")
        [ -d "$src/$target" ] || continue   # a header of the build folder or a library
        case " $allowed " in *" $target "*) continue;; esac
        echo "$folder/ must not include $target/ (it stands on: ${may[$folder]:-nothing}):"
        echo "  ${file#$src/}:$line: $text"
        status=1
    done < <(grep -rnE '^#include "[a-z_]+/' "$dir" --include='*.h' --include='*.cpp')
done

# Which files may use widgets is settled by the build: each folder's core
# library is compiled against Qt Core (and Gui where pictures are the subject)
# alone, and CMake refuses a core library that links widgets. Given the folder
# of the test binaries, this checks the result as well: a core test binary
# needs no widget, print or (but for pictures) GUI library at run time.
bin="${2:-}"
if [ -n "$bin" ]; then
    found=0
    for exe in "$bin"/test_*_core; do
        [ -x "$exe" ] || continue
        found=1
        allowed='Qt6Core|Qt6Test'
        # Pictures are the subject of the imaging core; the keyring is reached
        # over D-Bus, a core service, by the transfer core.
        case "$(basename "$exe")" in
            test_imaging_core) allowed="$allowed|Qt6Gui";;
            test_transfer_core) allowed="$allowed|Qt6DBus";;
        esac
        bad=$(readelf -d "$exe" | grep -oE 'lib(Qt6[A-Za-z]+|qscintilla2_qt6)' | sed 's/^lib//' | grep -vxE "$allowed")
        if [ -n "$bad" ]; then
            echo "$(basename "$exe") is a core test binary but needs: $bad"
            status=1
        fi
    done
    [ $found -eq 1 ] || { echo "no core test binaries in $bin"; status=1; }
fi

[ $status -eq 0 ] && echo "layers: ok"
exit $status
