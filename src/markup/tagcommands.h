#pragma once
// The commands that insert fixed tags without a dialog, kept as one table so
// the menus, the tool strip and the tests read the same captions, keys and
// texts. Also the small builders that turn a dialog's result and the current
// selection into what the main window inserts.
#include <QList>
#include <QString>
#include <QtGlobal>

namespace markup {

// What a command inserts, and how far the caret then moves back from the end
// of the inserted text.
struct Insertion {
    QString text;
    int caretBack = 0;
};

enum class TagCommandId { Bold, Italic, Underline, Centre, Blockquote, ListItem, LineBreak, Space };

struct TagCommand {
    TagCommandId id;
    QString handler;        // main-window handler, e.g. "BoldBtnClick"
    QString menuItem;       // object name of the menu item
    QString menuCaption;    // with its "&" access key
    QString menu;           // "Format" or "Insert" submenu of "Html"
    QString button;         // tool-strip button object name, empty when none
    QString buttonCaption;  // empty when the button shows a picture
    QString hint;           // tool-strip hint, empty when no button
    QString shortcut;       // portable key text ("Ctrl+B"), empty when none
    QString open;
    QString close;          // empty for a single fragment that replaces the selection
};

// Every tag-pair and single-fragment command, in menu order.
const QList<TagCommand> &tagCommands();
const TagCommand &tagCommand(TagCommandId id);

// A tag pair around the selection. With nothing selected the empty pair is
// inserted and the caret goes back between the tags.
Insertion wrapTags(const QString &open, const QString &selection, const QString &close);

// A command of the table applied to the selection.
Insertion applyTagCommand(const TagCommand &command, const QString &selection);

// Paragraph: the dialog's opening tag P; the body goes on its own line. With
// nothing selected the caret stops right after P.
Insertion paragraphInsertion(const QString &openTag, const QString &selection);

// Font: F S "</FONT>" on one line; without a selection F CRLF "</FONT>" with
// the caret right after F.
Insertion fontInsertion(const QString &openTag, const QString &selection);

// List: OpenTag S CloseTag, caret before the closing tag in both cases.
Insertion listInsertion(const QString &openTag, const QString &selection, const QString &closeTag);

// Rule: the dialog's tag followed by a line break.
Insertion ruleInsertion(const QString &fragment);

// Frameset and frame: caret back before the closing tag.
Insertion framesetInsertion(const QString &fragment);
Insertion frameInsertion(const QString &fragment);

// Main-window colour swatch: a quoted attribute value, "\"#RRGGBB\"".
QString quotedColour(quint32 colour);

} // namespace markup
