#pragma once
// Small controls of the table editor: the grid, the cell text box and a
// label that reports clicks.
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableWidget>

// The table grid: no header rows or columns, so column and row borders are
// dragged inside the cells' own area. Reports a press on the cell that is
// already focused, which the table widget itself does not signal as a move.
class TableGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit TableGrid(QWidget *parent = nullptr);

signals:
    void focusedCellPressed();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    struct Border {
        Qt::Orientation orientation = Qt::Horizontal; // Horizontal: a column's right edge
        int section = -1;
    };
    Border borderAt(const QPoint &pos) const;
    Border dragging_;
    int dragStart_ = 0;
    int startSize_ = 0;
};

// The cell text box: 2048 characters at most by typing or pasting; texts set
// by the program are not cut.
class CellTextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr int TypedLimit = 2048;
    // Its heights, shrunk to one line or expanded (a double click switches).
    static constexpr int ShrunkHeight = 21;
    static constexpr int ExpandedHeight = 149;
    explicit CellTextBox(QWidget *parent = nullptr);

signals:
    void doubleClicked();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    int room() const;
};

// A label that reports mouse presses and double clicks (thumbnails, the
// grid-area toggle).
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void pressed();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};

// A thumbnail: the picture scaled to fit the label, centred, never enlarged.
void showThumbnail(QLabel *target, const QImage &image);
