#pragma once
// Every menu entry and tool-strip button of the main window, one row each:
// what it is called, where it sits, its caption, key and hint, and which
// state of the program switches it on. The menus, the strips, the enabling
// and the tag commands are all built from this table, and a command is named
// by its Id, so a misspelt command is a compile error rather than a null
// action at run time.
#include "markup/tagcommands.h"

#include <QList>
#include <QString>
#include <optional>

namespace commands {

enum class Id {
    FileMenu, New, NewWebPage, Open, Openwww, Reopen, Save, SaveAs, Savewww, SaveSelection, Close,
    CloseAll, PrintSetup, Portrait, Landscape, PrintPreview, WebPrintPreview, Print, Exit,
    EditMenu, Undo, Redo, Cut, Copy, CopyToSpike, Paste, Delete, SelectAll, SortSelection, Preferences,
    FtpSettings,
    HtmlMenu, Insert, Color, NewLine, Space, Headlines, Image, Anchor, Table, Font, Rule, Email, Form,
    Frameset, Frame, Marquee, Javascript, Direct, FromFile, Keywords, Meta, EditIgnoreList,
    Format, Paragraph, Blockquote, Centre, Bold, Italic, Underline, List, ListItem,
    SearchMenu, Find, FindInFiles, Replace, FindNext, CheckHtml, GoToLine, MatchingTag,
    ViewMenu, Toolbar, StatusBar, HtmlToolbar, HtmlPreview, ViewInBrowser, ShowSearchResults,
    ShowSpike, Resources, WordWrap, LineNumbering, ZoomIn, ZoomOut, ZoomReset,
    Arrange, Cascade, TileVertical, TileHorizontal, MinimizeAll, ArrangeAll,
    Windows, HelpMenu, Help, About,
    // On a tool strip only.
    ColourSwatch, ColourPicker,
};

// The menu a row sits in; None for a top-level menu or a strip-only row.
enum class Menu {
    None, File, Reopen, PrintSetup, Edit, Html, Insert, Javascript, Keywords, Format, Search, View,
    Arrange, Windows, Help,
};

enum class Kind {
    Entry,     // a plain menu entry
    Check,     // a check entry whose handler sets the check itself
    Toggle,    // a check entry that Qt toggles on its own
    Submenu,   // opens the menu in `opens`
};

enum class Strip { None, Main, Html };

enum class ButtonStyle {
    Plain,
    Toggle,          // Qt toggles it (the colour picker)
    HandlerChecks,   // the handler sets the check itself (word wrap)
};

// When a command is enabled. Every class but Always is off while no
// document is open.
enum class Enabling {
    Always,
    Document,               // on once a document window exists
    Selection,              // follows the current document's selection
    DocumentThenSelection,  // on with a new document, then follows the selection
    Modified,               // the current document is modified
    Undo,                   // the text area has something to undo (or redo)
    Clipboard,              // the clipboard holds text
    Ftp,                    // a document is open and FTP servers are set up
    Activation,             // a document window has been activated
    Off,                    // switched off with the documents and by nothing on
};

struct Command {
    Id id;
    QString name;            // object name of the menu entry; empty for a strip-only row
    QString caption;         // with its "&" access key
    QString shortcut;        // portable key text, empty when none
    bool shortcutShownOnly;  // the key is displayed but belongs to an earlier entry
    Menu menu;
    Kind kind;
    Menu opens;              // for a submenu
    bool checked;            // initial check of a check entry
    bool separatorBefore;
    Strip strip;
    QString button;          // object name of the strip button, empty when none
    QString hint;            // the button's tooltip, shown in the status bar
    int x, y, width;         // the button's place on its strip (33 high)
    QString face;            // text face; empty when the button shows a picture
    ButtonStyle buttonStyle;
    Enabling enabling;
    std::optional<markup::TagCommandId> tag;   // a fixed tag inserted without a dialog
    QString alternateShortcut;   // a second key for the same entry, empty when none
};

// Menu order: a submenu's row comes before the rows inside it.
const QList<Command> &table();
const Command &command(Id id);
// The row whose menu entry or button carries this object name, or null.
const Command *byName(const QString &objectName);

} // namespace commands
