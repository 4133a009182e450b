#pragma once
// Texts that the table editor's tool row puts into the cell text box, and
// the picture tag that the picture button makes a cell's text.
#include <QString>
#include <QtGlobal>

namespace table {

// A text to put in place of the box's selection; afterwards the caret stands
// `caretBack` characters before the end of the inserted text (CR LF counting
// as two characters).
struct CellInsertion {
    QString text;
    int caretBack = 0;
    bool operator==(const CellInsertion &) const = default;
};

// Bold, italic, underline: "<B>" + selection + "</B>", caret before the
// closing tag, with or without a selection.
CellInsertion boldInsertion(const QString &selection);
CellInsertion italicInsertion(const QString &selection);
CellInsertion underlineInsertion(const QString &selection);
// `tag` is the opening tag from the paragraph (font) dialog.
CellInsertion paragraphInsertion(const QString &tag, const QString &selection);
CellInsertion fontInsertion(const QString &tag, const QString &selection);
CellInsertion lineBreakInsertion();
// A colour as a quoted attribute value: "\"#RRGGBB\"".
CellInsertion colourInsertion(quint32 colour);

// The IMG tag for a picture of `sizeInBytes` bytes, followed by CR LF.
QString pictureCellText(const QString &imageRef, qint64 sizeInBytes);

} // namespace table
