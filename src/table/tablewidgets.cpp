#include "table/tablewidgets.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPixmap>

namespace {
constexpr int BorderReach = 3;   // pixels either side of a border that grab it
constexpr int SmallestSection = 8;
}

TableGrid::TableGrid(QWidget *parent) : QTableWidget(parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setDefaultSectionSize(100);
    horizontalHeader()->setMinimumSectionSize(SmallestSection);
    verticalHeader()->setMinimumSectionSize(SmallestSection);
    setShowGrid(true);
    setTabKeyNavigation(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    viewport()->setMouseTracking(true);
}

TableGrid::Border TableGrid::borderAt(const QPoint &pos) const
{
    const int col = columnAt(pos.x());
    if (col >= 0) {
        const int right = columnViewportPosition(col) + columnWidth(col);
        const int left = columnViewportPosition(col);
        if (std::abs(pos.x() - right) <= BorderReach)
            return {Qt::Horizontal, col};
        if (col > 0 && std::abs(pos.x() - left) <= BorderReach)
            return {Qt::Horizontal, col - 1};
    }
    const int row = rowAt(pos.y());
    if (row >= 0) {
        const int bottom = rowViewportPosition(row) + rowHeight(row);
        const int top = rowViewportPosition(row);
        if (std::abs(pos.y() - bottom) <= BorderReach)
            return {Qt::Vertical, row};
        if (row > 0 && std::abs(pos.y() - top) <= BorderReach)
            return {Qt::Vertical, row - 1};
    }
    return {};
}

void TableGrid::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        const Border b = borderAt(pos);
        if (b.section >= 0) {
            dragging_ = b;
            dragStart_ = b.orientation == Qt::Horizontal ? pos.x() : pos.y();
            startSize_ = b.orientation == Qt::Horizontal ? columnWidth(b.section) : rowHeight(b.section);
            event->accept();
            return;
        }
    }
    const QModelIndex before = currentIndex();
    QTableWidget::mousePressEvent(event);
    const QModelIndex under = indexAt(pos);
    if (under.isValid() && under == before && currentIndex() == before)
        emit focusedCellPressed();
}

void TableGrid::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (dragging_.section >= 0) {
        const bool columns = dragging_.orientation == Qt::Horizontal;
        const int size = std::max(SmallestSection, startSize_ + (columns ? pos.x() : pos.y()) - dragStart_);
        if (columns)
            setColumnWidth(dragging_.section, size);
        else
            setRowHeight(dragging_.section, size);
        return;
    }
    if (event->buttons() == Qt::NoButton) {
        const Border b = borderAt(pos);
        if (b.section < 0)
            viewport()->unsetCursor();
        else
            viewport()->setCursor(b.orientation == Qt::Horizontal ? Qt::SplitHCursor : Qt::SplitVCursor);
    }
    QTableWidget::mouseMoveEvent(event);
}

void TableGrid::mouseReleaseEvent(QMouseEvent *event)
{
    if (dragging_.section >= 0) {
        dragging_ = {};
        return;
    }
    QTableWidget::mouseReleaseEvent(event);
}

void TableGrid::leaveEvent(QEvent *event)
{
    if (dragging_.section < 0)
        viewport()->unsetCursor();
    QTableWidget::leaveEvent(event);
}

CellTextBox::CellTextBox(QWidget *parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

// Characters that may still be added, counting line breaks as CR LF and
// giving back what a typed character would replace.
int CellTextBox::room() const
{
    const QString text = toPlainText();
    const QString selected = textCursor().selectedText();
    const int length = int(text.size() + text.count(QLatin1Char('\n')));
    const int freed = int(selected.size() + selected.count(QChar::ParagraphSeparator));
    return TypedLimit - length + freed;
}

void CellTextBox::keyPressEvent(QKeyEvent *event)
{
    const QString typed = event->text();
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool printable = enter || (!typed.isEmpty() && typed.at(0).isPrint());
    if (printable && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        && room() < (enter ? 2 : int(typed.size()))) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CellTextBox::insertFromMimeData(const QMimeData *source)
{
    if (!source->hasText())
        return;
    QString text = source->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // Cut what does not fit, never splitting a line break.
    int left = room();
    int keep = 0;
    while (keep < text.size()) {
        const int width = text.at(keep) == QLatin1Char('\n') ? 2 : 1;
        if (width > left)
            break;
        left -= width;
        ++keep;
    }
    textCursor().insertText(text.left(keep));
    ensureCursorVisible();
}

void CellTextBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    QPlainTextEdit::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    QLabel::mousePressEvent(event);
    emit pressed();
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    QLabel::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

void showThumbnail(QLabel *target, const QImage &image)
{
    if (image.isNull()) {
        target->clear();
        return;
    }
    QImage shown = image;
    if (shown.width() > target->width() - 2 || shown.height() > target->height() - 2)
        shown = shown.scaled(target->size() - QSize(2, 2), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    target->setPixmap(QPixmap::fromImage(shown));
}
