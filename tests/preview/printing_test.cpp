// The printed page, laid on PDF files and read back with poppler's tools:
// page count and size, where lines break, which font size and colour print.
#include "app/mainwindowtestbase.h"
#include "preview/pageview.h"
#include "preview/printing.h"

#include <QImage>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRegularExpression>

namespace {

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

struct Pdf {
    QString path;
    int pages = 0;
    QSizeF pointSize;
    // Text of page n (1-based), one entry per printed line, blank lines dropped.
    QStringList lines(int n) const
    {
        const QString text = run("pdftotext", {"-layout", "-f", QString::number(n), "-l", QString::number(n),
                                               path, "-"});
        QStringList out;
        for (const QString &l : text.split('\n'))
            if (!l.trimmed().isEmpty())
                out << l.trimmed();
        return out;
    }
};

class PrintTest : public ::testing::Test {
protected:
    TempConfig cfg;
    int serial = 0;

    Pdf print(const TPageView &page)
    {
        Pdf pdf;
        pdf.path = cfg.path() + QString("page%1.pdf").arg(++serial);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf.path);
        EXPECT_GE(page.print(printer), 1);
        const QString info = run("pdfinfo", {pdf.path});
        const auto pages = QRegularExpression("Pages:\\s+(\\d+)").match(info);
        const auto size = QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+) pts").match(info);
        pdf.pages = pages.captured(1).toInt();
        pdf.pointSize = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
        return pdf;
    }

    static QFont font(int points)
    {
        QFont f(QStringLiteral("DejaVu Sans Mono"));
        f.setPointSize(points);
        return f;
    }

    static QStringList numbered(int count)
    {
        QStringList lines;
        for (int i = 1; i <= count; ++i)
            lines << QString("line %1").arg(i, 3, 10, QChar('0'));
        return lines;
    }
};

} // namespace

TEST_F(PrintTest, EmptyTextGivesOneEmptyA4Page)
{
    TPageView page;
    page.load({}, font(10), Qt::black);
    const Pdf pdf = print(page);
    EXPECT_EQ(pdf.pages, 1);
    EXPECT_NEAR(pdf.pointSize.width(), 595.3, 1);
    EXPECT_NEAR(pdf.pointSize.height(), 841.9, 1);
    EXPECT_TRUE(pdf.lines(1).isEmpty());
}

TEST_F(PrintTest, LinesFlowOverPagesInOrderAndALargerFontTakesMorePages)
{
    TPageView page;
    page.load(numbered(200), font(10), Qt::black);
    const Pdf ten = print(page);
    const int perPage10 = int(ten.lines(1).size());
    ASSERT_GT(perPage10, 20);
    EXPECT_EQ(ten.pages, (200 + perPage10 - 1) / perPage10);
    QStringList all;
    for (int n = 1; n <= ten.pages; ++n)
        all << ten.lines(n);
    EXPECT_EQ(all, numbered(200));

    page.load(numbered(200), font(12), Qt::black);
    const Pdf twelve = print(page);
    const int perPage12 = int(twelve.lines(1).size());
    EXPECT_LT(perPage12, perPage10);
    EXPECT_EQ(twelve.pages, (200 + perPage12 - 1) / perPage12);
}

TEST_F(PrintTest, LandscapePagesAreWiderAndHoldLongerLines)
{
    QStringList words;
    for (int i = 0; i < 120; ++i)
        words << QString("w%1").arg(i, 3, 10, QChar('0'));
    TPageView page;
    page.load({words.join(' ')}, font(10), Qt::black);
    const Pdf portrait = print(page);
    page.Landscape1Click();
    EXPECT_EQ(page.textBox(), QSize(973, 645));
    const Pdf landscape = print(page);
    EXPECT_GT(landscape.pointSize.width(), landscape.pointSize.height());
    EXPECT_LT(portrait.pointSize.width(), portrait.pointSize.height());
    const qsizetype upright = portrait.lines(1).first().split(' ', Qt::SkipEmptyParts).size();
    const qsizetype sideways = landscape.lines(1).first().split(' ', Qt::SkipEmptyParts).size();
    EXPECT_GT(sideways, upright * 13 / 10);
    EXPECT_LT(landscape.lines(1).size(), portrait.lines(1).size());
    page.Portrait1Click();
    EXPECT_LT(print(page).pointSize.width(), print(page).pointSize.height());
}

TEST_F(PrintTest, VeryLongLineIsCutAt4096Characters)
{
    QString digits;
    for (int i = 0; i < 1000; ++i)
        digits += QStringLiteral("0123456789");
    TPageView page;
    page.load({digits, "after"}, font(10), Qt::black);
    const Pdf pdf = print(page);
    QString printed;
    for (int n = 1; n <= pdf.pages; ++n)
        printed += pdf.lines(n).join(QString());
    EXPECT_EQ(printed, digits.left(4096) + "after");
}

TEST_F(PrintTest, WhiteTextPrintsVisibleOtherColoursAsSet)
{
    EXPECT_EQ(TPageView::printableColour(Qt::white), QColor(Qt::black));
    EXPECT_EQ(TPageView::printableColour(QColor(240, 240, 230)), QColor(Qt::black));
    EXPECT_EQ(TPageView::printableColour(QColor(255, 255, 0)), QColor(255, 255, 0));
    EXPECT_EQ(TPageView::printableColour(QColor(0, 0, 160)), QColor(0, 0, 160));

    TPageView page;
    page.load({"WHITE TEXT ON A DARK SCREEN", "MMMMMMMMMMMMMMMMMMMM"}, font(14), Qt::white);
    const Pdf pdf = print(page);
    const QString png = cfg.path() + "render";
    run("pdftoppm", {"-r", "40", "-png", "-singlefile", pdf.path, png});
    QImage image(png + ".png");
    ASSERT_FALSE(image.isNull());
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    EXPECT_GT(dark, 20);
}

// Lines come from the text area as it shows them.
using PrintCommandTest = MainWindowTest;

TEST_F(PrintCommandTest, WrappedScreenLinesPrintAsTheyBreakOnScreen)
{
    w->documentCommands().New1Click();
    QStringList words;
    for (int i = 0; i < 60; ++i)
        words << QString("word%1").arg(i);
    memo().setText(words.join(' ') + "\r\nshort\r\n");
    ASSERT_TRUE(memo().wrap());
    w->currentDocument()->resize(260, 400);
    QCoreApplication::processEvents();
    const QStringList screen = printing::displayedLines(memo());
    ASSERT_GT(screen.size(), 4);   // the long line wraps into several screen lines
    EXPECT_EQ(screen.last(), "short");   // no trailing empty line
    EXPECT_EQ(screen.join(QString()).remove(' '), (words.join(QString()) + "short"));

    printing::loadPage(*w->previewCommands().pageView(), memo());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(cfg.path() + "wrapped.pdf");
    ASSERT_EQ(w->previewCommands().pageView()->print(printer), 1);
    const QString text = run("pdftotext", {"-layout", cfg.path() + "wrapped.pdf", "-"});
    QStringList printed;
    for (const QString &l : text.split('\n'))
        if (!l.trimmed().isEmpty())
            printed << l.trimmed();
    QStringList expected;
    for (const QString &l : screen)
        expected << l.trimmed();
    EXPECT_EQ(printed, expected);
}

TEST_F(PrintCommandTest, PreviewShowsTheCurrentDocumentAndOrientationIsChosenInTheMenu)
{
    w->documentCommands().New1Click();
    QStringList lines;
    for (int i = 0; i < 150; ++i)
        lines << QString("row %1").arg(i);
    memo().setText(lines.join("\r\n"));
    int pages = 0;
    QPageLayout::Orientation shown = QPageLayout::Portrait;
    modalAnswer = [&](QDialog *d) {
        auto *preview = d->findChild<QPrintPreviewWidget *>();
        if (preview) {
            preview->updatePreview();
            pages = preview->pageCount();
            shown = preview->orientation() == QPageLayout::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
        }
        return int(QDialog::Rejected);
    };
    w->previewCommands().PreviewBtnClick();
    EXPECT_GE(pages, 2);
    EXPECT_EQ(shown, QPageLayout::Portrait);

    w->action("Landscape1")->trigger();
    EXPECT_TRUE(checked("Landscape1"));
    EXPECT_FALSE(checked("Portrait1"));
    const int portraitPages = pages;
    w->previewCommands().PreviewBtnClick();
    EXPECT_EQ(shown, QPageLayout::Landscape);
    EXPECT_GT(pages, portraitPages);   // fewer lines fit on a page lying on its side
    w->action("Portrait1")->trigger();
    EXPECT_TRUE(checked("Portrait1"));
    EXPECT_FALSE(checked("Landscape1"));
}

TEST_F(PrintCommandTest, PrintWithoutAPrinterSaysSo)
{
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        GTEST_SKIP() << "this machine has a printer";
    w->documentCommands().New1Click();
    memo().setText("text");
    w->previewCommands().Print1Click();
    EXPECT_EQ(dlg.errors, QStringList{"No printer is installed."});
}

TEST(PrinterChoice, TheDefaultElseTheFirstInstalledElseNone)
{
    EXPECT_EQ(printing::printerFor({"laser", "ink"}, "ink"), QString("ink"));
    EXPECT_EQ(printing::printerFor({"laser", "ink"}, QString()), QString("laser"));
    // A default that is no longer installed does not count.
    EXPECT_EQ(printing::printerFor({"laser", "ink"}, "gone"), QString("laser"));
    EXPECT_TRUE(printing::printerFor({}, QString()).isEmpty());
    EXPECT_TRUE(printing::printerFor({}, "gone").isEmpty());
}
