#pragma once
// The printed page of a document, kept apart from every dialog so that it
// can be laid on any paged device (a printer, a PDF, the preview): A4,
// 20 mm margins, one column, no headers, footers or page numbers, the
// document's own font, left aligned on white, long lines wrapped and the
// text flowing over as many pages as it needs.
#include <QColor>
#include <QFont>
#include <QPageLayout>
#include <QSize>
#include <QStringList>

class QPagedPaintDevice;

class TPageView {
public:
    // Each line handed over is cut to this many characters.
    static constexpr int kMaxLineLength = 4096;

    QPageLayout::Orientation orientation() const { return orientation_; }
    void Portrait1Click() { orientation_ = QPageLayout::Portrait; }
    void Landscape1Click() { orientation_ = QPageLayout::Landscape; }
    // The text box inside the margins, in screen units of 96 per inch:
    // 645 by 973 upright, 973 by 645 on its side.
    QSize textBox() const { return textBox(orientation_); }
    static QSize textBox(QPageLayout::Orientation orientation);
    QPageLayout pageLayout() const;

    // The lines as the text area shows them and the text area's font.
    void load(const QStringList &lines, const QFont &font, const QColor &colour);
    const QStringList &lines() const { return lines_; }
    const QFont &font() const { return font_; }
    // The colour the text prints in: as set, except that white and near-white
    // text, which would vanish on white paper, prints black.
    QColor inkColour() const { return printableColour(colour_); }
    static QColor printableColour(const QColor &c);

    // Lays every line on the device and returns the number of pages (at
    // least 1: an empty text still gives a page), or 0 when the device cannot
    // be painted on. The device takes this page's layout first, unless
    // keepDeviceLayout (a preview whose own orientation buttons were used).
    int print(QPagedPaintDevice &device, bool keepDeviceLayout = false) const;

private:
    QPageLayout::Orientation orientation_ = QPageLayout::Portrait;
    QStringList lines_;
    QFont font_;
    QColor colour_ = Qt::black;
};
