#include "documents/gutter.h"

#include "documents/memo.h"

#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>

LineGutter::LineGutter(TMemo *memo, QWidget *parent) : QWidget(parent), memo_(memo)
{
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(192, 192, 192));       // silver
    p.setColor(QPalette::WindowText, QColor(0, 64, 128));      // 8404992
    setPalette(p);
    QFont f = font();
    f.setBold(true);
    setFont(f);
    setFixedWidth(42);
}

void LineGutter::refresh(int topLine, int known)
{
    text_.clear();
    first_ = topLine;
    count_ = 0;
    known_ = known;
    const int n = rowsInView();
    if (n >= 1) {
        count_ = n;
        text_.reserve(n * 7);
        for (int k = topLine; k < topLine + n; ++k) {
            if (k < known)
                text_ += QString::number(k);
            text_ += QStringLiteral("\r\n");
        }
    }
    update();
}

int LineGutter::rowsInView() const
{
    // Numbered as the text area draws its rows, a part-shown row at the
    // bottom included, so the gutter is filled to its height; the gutter's
    // own bold font may be taller than a text row.
    if (!memo_)
        return height() / std::max(1, QFontMetrics(font()).height());
    const int row = std::max(1, memo_->lineHeight());
    const int below = height() - numbersTop();
    return below > 0 ? (below + row - 1) / row : 0;
}

int LineGutter::numbersTop() const
{
    return memo_->firstLineTop() + memo_->viewport()->mapTo(parentWidget(), QPoint(0, 0)).y() - y();
}

int LineGutter::widthFor(int lineCount, int pointSize)
{
    int digits = 1;
    for (int n = lineCount; n >= 10; n /= 10)
        ++digits;
    return digits * pointSize - 2;
}

void LineGutter::updateWidth(int lineCount)
{
    const int w = std::max(1, widthFor(lineCount, font().pointSize()));
    if (w != width())
        setFixedWidth(w);
}

void LineGutter::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    if (e->oldSize().height() != height())
        refresh(first_, known_);
}

void LineGutter::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    // Each number level with its screen line: where the text area draws its
    // first visible line, one text-area line height apart.
    const int line = memo_ ? std::max(1, memo_->lineHeight()) : QFontMetrics(font()).lineSpacing();
    const int y = memo_ ? numbersTop() : 0;
    for (int i = 0; i < count_ && first_ + i < known_; ++i) {
        p.drawText(QRect(0, y + i * line, width() - 1, line), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(first_ + i));
    }
}
