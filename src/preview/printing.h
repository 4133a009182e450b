#pragma once
// Printing the current document: its lines as the text area shows them,
// laid out by the page view, previewed on screen or sent to the printer.
#include <QStringList>
#include <functional>

class QDialog;
class QWidget;
class TMemo;
class TPageView;

namespace printing {

// The text area's lines as displayed, after it has finished wrapping: with
// wrap on, each screen line is a line of its own; line breaks are dropped.
// An empty last line does not count. When the user cancels the wait for the
// wrap: no lines, and *cancelled (if given) set.
QStringList displayedLines(TMemo &memo, bool *cancelled = nullptr);

// Loads the page from the text area: its displayed lines, font and colour.
// False, with the page left as it was, when the wait for the wrap was
// cancelled.
bool loadPage(TPageView &page, TMemo &memo);

// Shows the pages in a print preview dialog (paging, zoom, print) through
// showModal; returns when it is closed.
void printPreview(const TPageView &page, QWidget *parent, const std::function<int(QDialog *)> &showModal);

// The printer Print sends to: the default one, or with no default set the
// first of those installed; empty when there is none.
QString printerFor(const QStringList &installed, const QString &defaultPrinter);

// Prints without a dialog on the printer printerFor picks among those the
// system knows. The message that tells what went wrong, or an empty text
// when the pages were sent.
QString printAtOnce(const TPageView &page);

} // namespace printing
