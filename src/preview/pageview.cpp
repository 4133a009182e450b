#include "preview/pageview.h"

#include <QMarginsF>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace {

// The text box starts this far below the top of the printable area.
constexpr double kTopGap = 20;   // screen units
constexpr double kScreenDpi = 96;

} // namespace

QSize TPageView::textBox(QPageLayout::Orientation orientation)
{
    return orientation == QPageLayout::Portrait ? QSize(645, 973) : QSize(973, 645);
}

QPageLayout TPageView::pageLayout() const
{
    return QPageLayout(QPageSize(QPageSize::A4), orientation_, QMarginsF(20, 20, 20, 20),
                       QPageLayout::Millimeter);
}

void TPageView::load(const QStringList &lines, const QFont &font, const QColor &colour)
{
    lines_.clear();
    lines_.reserve(lines.size());
    for (const QString &line : lines)
        lines_ << line.left(kMaxLineLength);
    font_ = font;
    colour_ = colour;
}

QColor TPageView::printableColour(const QColor &c)
{
    const QColor rgb = c.toRgb();
    if (rgb.red() >= 224 && rgb.green() >= 224 && rgb.blue() >= 224)
        return Qt::black;
    return rgb;
}

int TPageView::print(QPagedPaintDevice &device, bool keepDeviceLayout) const
{
    if (!keepDeviceLayout)
        device.setPageLayout(pageLayout());
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    const int dpi = device.logicalDpiY();
    const QRect paint = device.pageLayout().paintRectPixels(dpi);
    // The painter's origin is the printable area's corner on printers and PDFs alike.
    const double scale = dpi / kScreenDpi;
    const double boxWidth = std::min<double>(paint.width(), textBox(device.pageLayout().orientation()).width() * scale);
    const double top = kTopGap * scale;
    const double bottom = paint.height();

    QFont font(font_, &device);
    painter.setFont(font);
    painter.setPen(inkColour());
    auto whitePage = [&] { painter.fillRect(QRectF(0, 0, paint.width(), paint.height()), Qt::white); };
    whitePage();

    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    int pages = 1;
    double y = top;
    for (const QString &line : lines_) {
        QTextLayout layout(line, font, &device);
        layout.setTextOption(option);
        layout.beginLayout();
        QList<QTextLine> rows;
        for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) {
            row.setLineWidth(boxWidth);
            rows << row;
        }
        layout.endLayout();
        for (QTextLine &row : rows) {
            const double h = row.height();
            if (y + h > bottom && y > top) {
                device.newPage();
                ++pages;
                whitePage();
                y = top;
            }
            row.setPosition(QPointF(0, 0));
            row.draw(&painter, QPointF(0, y));
            y += h;
        }
    }
    painter.end();
    return pages;
}
