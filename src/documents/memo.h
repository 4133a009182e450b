#pragma once
// The document text area. A QPlainTextEdit that speaks in the program's own
// terms: offsets in which every line break counts as the two characters CR LF,
// lines counted as displayed (a wrapped screen line is a line of its own),
// selection start and length. Every caller uses these, never raw Qt positions.
#include <QPlainTextEdit>
#include <functional>
#include <vector>

class TMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TMemo(QWidget *parent = nullptr);

    // Whole text with CR LF line breaks. Proportional to the document: for
    // commands that need the whole text (save, search), never per keystroke.
    QString text() const;
    // Replaces the whole text (CR LF, lone CR or LF all accepted); clears undo.
    void setText(const QString &text);
    // Length of text() without building it.
    int textLength() const;

    int selStart() const;
    int selLength() const;
    QString selText() const;                 // CR LF form
    void setSelection(int start, int length);
    void setSelStart(int offset) { setSelection(offset, 0); }
    // Replaces the selection by text (CR LF form) as one undoable edit and
    // leaves the caret after it with nothing selected.
    void replaceSelection(const QString &text);

    // Lines as displayed: with wrapping on, each screen line counts.
    int lineFromOffset(int offset) const;    // zero-based display line holding offset
    int lineIndex(int line) const;           // offset of the first character of a display line
    // How text line `line` (zero-based, CR LF lines) is shown: the display
    // line of its first screen line, and the offsets from the line's start at
    // which each of its screen lines begins (just 0 when it is not wrapped).
    void screenLines(int line, int &firstDisplayLine, std::vector<int> &starts) const;
    int firstVisibleLine() const;
    // Scrolls so that display line `line` is the first one shown (as far as
    // the text reaches).
    void setFirstVisibleLine(int line);
    // Height of one display line in pixels.
    int lineHeight() const;
    // Where the first visible line is drawn, in viewport pixels.
    int firstLineTop() const;
    // Display lines; an empty last line does not count (at least 1).
    int lineCount() const;

    bool modified() const;
    void setModified(bool on);
    bool wrap() const;
    void setWrap(bool on);

    // Conversions between Qt positions and offsets, O(log n).
    int offsetOfPosition(int pos) const;
    int positionOfOffset(int offset) const;

    // Key sequences the main window owns: the text area lets those reach the
    // window's commands instead of handling them itself.
    std::function<bool(const QKeySequence &)> isCommandShortcut;

signals:
    void mouseReleased();
    void keyReleased();
    void mouseMoved();

protected:
    bool event(QEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    int blockStartOffset(int blockNumber) const;
};
