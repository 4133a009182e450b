#pragma once
// The cell text box holds one '\n' per line break, while cell texts and the
// caret rules of the tool row count every line break as the two characters
// CR LF. These convert between the two forms.
#include <QString>

namespace table {

// Cell text (CR LF, lone CR or lone LF) as the text box holds it.
QString boxTextFromCellText(const QString &cellText);
// The text box's text with every line break written as CR LF.
QString cellTextFromBoxText(const QString &boxText);

// Offset in the CR LF form of the character at `position` in the box text.
int offsetOfBoxPosition(const QString &boxText, int position);
// Box position of a CR LF offset. An offset between CR and LF, or past the
// end, gives the end of that line or of the text.
int boxPositionOfOffset(const QString &boxText, int offset);

} // namespace table
