#pragma once
// The line-number gutter beside a text area: zero-based display-line numbers
// from the first visible line down, filled to its height, in the text's font
// so that they stand level with the text lines. Used by document windows and
// by the script editor.
#include <QWidget>

#include <limits>

class TMemo;

class LineGutter : public QWidget {
    Q_OBJECT
public:
    LineGutter(TMemo *memo, QWidget *parent = nullptr);

    // The numbers as text, each followed by CR LF ("" when none fit); a
    // screen line whose number is not known yet is an empty line.
    QString text() const { return text_; }
    // Rebuilds the numbers from topLine, one for each text row beside the
    // gutter, those from `known` on left blank (the background wrap has not
    // reached their lines yet).
    void refresh(int topLine, int known = std::numeric_limits<int>::max());
    // Whether the last refresh left numbers blank.
    bool hasBlanks() const { return first_ + count_ > known_; }
    // Width rule: digits of the line count times the font size in points, less 2.
    static int widthFor(int lineCount, int pointSize);
    void updateWidth(int lineCount);

protected:
    void paintEvent(QPaintEvent *e) override;
    // A new height (the gutter shown, the window resized) changes how many
    // rows there are to number.
    void resizeEvent(QResizeEvent *e) override;

private:
    int rowsInView() const;
    // Where the first number stands: level with the text's first row.
    int numbersTop() const;
    TMemo *memo_;
    QString text_;
    int first_ = 0;
    int count_ = 0;
    int known_ = std::numeric_limits<int>::max();
};
