#!/bin/bash
# Which folder may include which: a check over the #include lines of src/.
#  - the tool folders (imaging, table, formmaker, search, spike) never include app/;
#  - platform/ includes no other folder of the program;
#  - documents/ and markup/ stand below the tools and app/;
#  - settings/ stands below everything that keeps settings;
#  - htmlaid/ (the writing aids) stands on documents/ and platform/ alone;
#  - core test binaries (when their folder is given) need no widgets.
set -u
src="${1:-$(dirname "$0")/../src}"
status=0

forbid() {   # forbid <folder> <pattern> <why>
    local hits
    hits=$(grep -nE "^#include \"($2)/" "$src/$1"/*.h "$src/$1"/*.cpp 2>/dev/null)
    if [ -n "$hits" ]; then
        echo "$1/ must not include $2/ ($3):"
        echo "$hits"
        status=1
    fi
}

for f in imaging table formmaker search spike settings; do
    forbid "$f" "app" "the tools stand below the main window"
done
forbid platform "app|documents|htmlaid|markup|table|formmaker|search|spike|transfer|preview|imaging|settings" "the seams stand below everything"
forbid imaging "app|documents|markup|table|formmaker|search|spike|transfer|preview" "pictures depend on nothing but the seams"
forbid documents "app|markup|table|formmaker|search|spike|transfer|preview|settings" "documents stand below the commands"
forbid markup "app|table|formmaker|search|spike|transfer|preview" "fragments stand below the tools"
forbid settings "app|markup|table|formmaker|search|spike|transfer|preview|imaging" "settings are read before any window exists"
forbid htmlaid "app|markup|table|formmaker|search|spike|transfer|preview|imaging|settings" "the writing aids stand on the text area alone"
forbid documents "htmlaid" "the text area knows nothing of the aids attached to it"

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
