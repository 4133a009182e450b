#!/bin/bash
# Which folder may include which: a check over the #include lines of src/.
#  - the tool folders (imaging, table, formmaker, search, spike) never include app/;
#  - platform/ includes no other folder of the program;
#  - documents/ and markup/ stand below the tools and app/;
#  - the plain-logic files named below include no widget or GUI header.
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

for f in imaging table formmaker search spike; do
    forbid "$f" "app" "the tools stand below the main window"
done
forbid platform "app|documents|markup|table|formmaker|search|spike|transfer|preview|imaging" "the seams stand below everything"
forbid imaging "app|documents|markup|table|formmaker|search|spike|transfer|preview" "pictures depend on nothing but the seams"
forbid documents "app|markup|table|formmaker|search|spike|transfer|preview" "documents stand below the commands"
forbid markup "app|table|formmaker|search|spike|transfer|preview" "fragments stand below the tools"

# Logic that decides texts, bytes and names: Qt Core and the standard library only.
core_files="documents/filerules.cpp documents/filerules.h documents/filenames.cpp documents/filenames.h
documents/filechecks.cpp documents/filechecks.h documents/recovery.cpp documents/recovery.h
documents/textfile.cpp documents/textfile.h app/reopenlist.cpp app/reopenlist.h
app/commandtable.cpp app/commandtable.h app/startoptions.cpp app/startoptions.h
app/settingscodec.cpp app/settingscodec.h markup/tagcommands.cpp markup/tagcommands.h
search/findtext.cpp search/findtext.h search/keywordrun.cpp search/keywordrun.h
search/htmlcheck.cpp search/htmlcheck.h
table/tablemodel.cpp table/tablemodel.h formmaker/formmodel.cpp formmaker/formmodel.h"
for f in $core_files; do
    [ -f "$src/$f" ] || { echo "listed plain-logic file $f is missing"; status=1; continue; }
    hits=$(grep -nE '^#include <Q(Widget|Dialog|Action|Menu|MainWindow|Mdi|Label|Push|Tool|Painter|Pixmap|Image|Font|Color|Cursor|Application|Gui)|^#include <Qt(Widgets|Gui)|^#include "platform/(dialogs|qtdialogs)' "$src/$f")
    if [ -n "$hits" ]; then
        echo "$f is plain logic and must not include widget or GUI headers:"
        echo "$hits"
        status=1
    fi
done

[ $status -eq 0 ] && echo "layers: ok"
exit $status
