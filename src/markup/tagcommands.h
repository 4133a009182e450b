#pragma once
// The commands that insert fixed tags without a dialog: what each one puts
// around the selection (their menu entries and buttons are rows of the main
// window's command table). Also the small builders that turn a dialog's result and the current
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
    QString open;
    QString close;          // empty for a single fragment that replaces the selection
};

// Every tag-pair and single-fragment command.
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
