#include "preview/printing.h"

#include "documents/memo.h"
#include "platform/windowcentre.h"
#include "preview/pageview.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QWidget>
#include <QPrinterInfo>

namespace printing {

QStringList displayedLines(TMemo &memo, bool *cancelled)
{
    const bool finished = memo.finishWrapping();
    if (cancelled)
        *cancelled = !finished;
    if (!finished)
        return {};
    const QString text = memo.text();
    const int count = memo.lineCount();
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int start = memo.lineIndex(i);
        const int end = i + 1 < count ? memo.lineIndex(i + 1) : int(text.size());
        QStringView line = QStringView(text).mid(start, std::max(0, end - start));
        if (line.endsWith(u"\r\n"))
            line.chop(2);
        lines << line.left(TPageView::kMaxLineLength).toString();
    }
    return lines;
}

bool loadPage(TPageView &page, TMemo &memo)
{
    bool cancelled = false;
    const QStringList lines = displayedLines(memo, &cancelled);
    if (cancelled)
        return false;
    page.load(lines, memo.font(), memo.palette().color(QPalette::Text));
    return true;
}

void printPreview(const TPageView &page, QWidget *parent, const std::function<int(QDialog *)> &showModal)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(page.pageLayout());
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Page Preview"));
    // Large enough to read a page without zooming first.
    if (parent)
        dialog.resize(parent->window()->size() * 0.8);
    centreOnOwnerWhenShown(&dialog);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&page](QPrinter *p) { page.print(*p, true); });
    showModal(&dialog);
}

QString printerFor(const QStringList &installed, const QString &defaultPrinter)
{
    if (!defaultPrinter.isEmpty() && installed.contains(defaultPrinter))
        return defaultPrinter;
    return installed.value(0);
}

QString printAtOnce(const TPageView &page)
{
    // A print queue set up without a default for this user is still a printer.
    const QString name = printerFor(QPrinterInfo::availablePrinterNames(), QPrinterInfo::defaultPrinterName());
    const QPrinterInfo info = name.isEmpty() ? QPrinterInfo() : QPrinterInfo::printerInfo(name);
    if (info.isNull())
        return QStringLiteral("No printer is installed.");
    QPrinter printer(info, QPrinter::HighResolution);
    if (page.print(printer) == 0 || printer.printerState() == QPrinter::Error)
        return QStringLiteral("Cannot print on ") + info.printerName();
    return {};
}

} // namespace printing
