#pragma once
// What the writing aids need of a text area, in the program's offsets:
// typed characters as they arrive, a pop-up list at the caret, marks on
// stretches of text (indicators), the visible stretch, edits as they are
// made and the context menu. The aids attach through this and never see
// the engine.
#include <QColor>
#include <QObject>
#include <QStringList>

class QMenu;
class TMemo;

class MemoHooks : public QObject {
    Q_OBJECT
public:
    // Made as a child of the memo, lives as long as it.
    explicit MemoHooks(TMemo *memo);
    ~MemoHooks() override;

    TMemo *memo() const { return memo_; }

    // Text of [from, to), CR LF form, read without building the whole text.
    QString textRange(int from, int to) const;
    int caret() const;
    void setCaret(int offset);
    // Inserts text at offset as an undo step of its own, the caret staying
    // where it is (before the text when it stood at offset).
    void insertAt(int offset, const QString &text);
    // Replaces [from, to) by text as one undo step; the caret goes to
    // from + caretAfter.
    void replace(int from, int to, const QString &text, int caretAfter);

    // Marks. Numbers 20 to 23 are the writing aids' (see the .cpp).
    enum class Look { Box, Squiggle };
    void defineMark(int mark, Look look, const QColor &colour);
    void mark(int mark, int from, int to);
    void unmark(int mark, int from, int to);
    bool marked(int mark, int offset) const;
    // The stretches carrying a mark that overlap [from, to).
    QList<std::pair<int, int>> marks(int mark, int from, int to) const;

    // A list of words at the caret, whose typed part (the `typed` characters
    // before the caret) is replaced by the entry taken with Enter or Tab
    // (chosen() is sent, nothing is inserted by the list itself).
    void showList(int typed, const QStringList &entries);
    void hideList();
    bool listShown() const;
    QString listCurrent() const;

    // The first and last text line on screen and the offset of a line's
    // start and end (before its line break).
    int firstVisibleLine() const;
    int lastVisibleLine() const;
    int lineCount() const;
    int lineOf(int offset) const;
    int lineStart(int line) const;
    int lineEnd(int line) const;
    // The offset under a point of the viewport, or -1.
    int offsetAt(const QPoint &viewportPoint) const;

signals:
    // A key's text has been typed (not pasted, not inserted by a command).
    void typed(const QString &text);
    // Backspace was pressed while the list was shown.
    void listCharDeleted();
    void chosen(const QString &entry);
    void listHidden();
    // The caret or the selection moved.
    void caretMoved();
    // Once a burst of edits is over: text was inserted at offset, or removed
    // from it (a sample of at most 4096 characters; `whole` false when there
    // was more, or when the burst made several edits from offset on).
    void edited(int offset, const QString &text, bool whole, bool removed);
    // The whole text was replaced (a load).
    void reloaded();
    // The context menu is about to be shown for the text at offset; entries
    // may be added to it.
    void contextMenu(int offset, QMenu *menu);

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void flushEdits();
    // An edit noted in the engine's positions, told at the end of its burst.
    struct Pending {
        long position;
        long length;
        bool removed;
        QByteArray sample;   // of a removal, read before it
    };
    TMemo *memo_;
    QList<Pending> pending_;
    bool reloading_ = false;
};
