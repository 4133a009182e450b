#pragma once
// The document text area. An editing engine behind a small adapter that
// speaks in the program's own terms: offsets in which every line break counts
// as the two characters CR LF, lines counted as displayed (a wrapped screen
// line is a line of its own), selection start and length. Every caller uses
// these, never the engine's own positions; nothing outside this adapter sees
// the engine's headers.
#include <QColor>
#include <QFrame>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class DocumentHost;
class QKeyEvent;
class QScrollBar;
class QTimer;
class QsciScintilla;

class TMemo : public QFrame {
    Q_OBJECT
public:
    explicit TMemo(QWidget *parent = nullptr);
    ~TMemo() override;

    // Whole text with CR LF line breaks. Proportional to the document: for
    // commands that need the whole text (save, search), never per keystroke.
    QString text() const;
    // Replaces the whole text (CR LF, lone CR or LF all accepted); clears undo
    // and the modified flag.
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
    // The one road by which every fragment enters a document (a tag, a
    // dialog's result, a clip, a table, a colour): the selection (or
    // nothing, at the caret) is replaced by `text` as one undoable edit, the
    // caret ends `caretBack` characters before its end with nothing
    // selected, the document counts as modified (even for an empty text) and
    // the keyboard comes back to the text. The clipboard is not touched.
    void InsertFragment(const QString &text, int caretBack = 0);
    // Replaces `length` characters at `offset` without moving the view; inside
    // an undo group the replacements undo together.
    void replaceRange(int offset, int length, const QString &text);
    void beginUndoGroup();
    void endUndoGroup();

    // Lines as displayed: with wrapping on, each screen line counts.
    // Zero-based display line holding offset, exact: on a long document whose
    // background wrap has not reached the offset yet, it waits for the wrap.
    // For commands that have finished the wrap; user events ask
    // knownLineFromOffset instead.
    int lineFromOffset(int offset) const;
    // The same number, never waiting: -1 while the background wrap has not
    // yet reached the offset's line (the lines before it may still gain
    // screen lines). linesNumbered() tells when more lines are known.
    int knownLineFromOffset(int offset) const;
    // Display lines [0, n) have their exact numbers now.
    int knownDisplayLines() const;
    // The offset's column: characters from the start of its screen line.
    // Never waits.
    int columnOfOffset(int offset) const;
    // The display line holding offset as the view lays it out now, for
    // scrolling and placing; while the background wrap goes on it may differ
    // from the number lineFromOffset gives.
    int displayLineOfOffset(int offset) const;
    int lineIndex(int line) const;           // offset of the first character of a display line
    // How text line `line` (zero-based, CR LF lines) is shown: the display
    // line of its first screen line, and the offsets from the line's start at
    // which each of its screen lines begins (just 0 when it is not wrapped).
    void screenLines(int line, int &firstDisplayLine, std::vector<int> &starts) const;
    int firstVisibleLine() const;
    // Scrolls so that display line `line` is the first one shown (as far as
    // the text reaches).
    void setFirstVisibleLine(int line);
    // Where the first visible line is drawn, in viewport pixels.
    int firstLineTop() const;
    // Height of one screen line in pixels.
    int lineHeight() const;
    // Display lines; an empty last line does not count (at least 1).
    int lineCount() const;
    // Wrapping of long documents goes on in the background after a load or a
    // change of width; display-line numbers of the whole document are exact
    // once this has run. It waits for the wrap with events processed; after
    // a moment a box shows how far it has got, and its Cancel stops the
    // wait: false then, and the numbers are not all exact.
    bool finishWrapping();
    // How long that wait runs before its box shows, in milliseconds.
    static int wrapBoxDelayMs;

    bool modified() const;
    void setModified(bool on);
    bool wrap() const;
    void setWrap(bool on);
    // Syntax colouring of HTML (tags, attributes, values, entities, comments,
    // embedded script); off shows the text in one style. Text with a line of
    // over a megabyte is shown uncoloured while that line is in it: colouring
    // it again after every key would take most of a second.
    bool htmlHighlighting() const;
    void setHtmlHighlighting(bool on);

    // Positions counting each line break as one character, O(log n).
    int offsetOfPosition(int pos) const;
    int positionOfOffset(int offset) const;

    void undo();
    void redo();
    // The engine's history of many steps; saving keeps it. Constant time.
    bool canUndo() const;
    bool canRedo() const;
    void cut();
    void copy();
    void paste();
    void selectAll();
    void ensureCursorVisible();

    QScrollBar *verticalScrollBar() const;
    QScrollBar *horizontalScrollBar() const;
    void setVerticalScrollBarPolicy(Qt::ScrollBarPolicy policy);
    void setHorizontalScrollBarPolicy(Qt::ScrollBarPolicy policy);
    // The area the text is drawn in.
    QWidget *viewport() const;
    // The caret's rectangle in viewport pixels.
    QRect cursorRect() const;
    // Whether the keyboard is in the text area.
    bool hasTextFocus() const;

    // ---- The view (memoview.cpp): zoom, the current line, going to a row.
    // Zoom in points added to the text's font size, in the engine's range;
    // each window has its own and it is not stored.
    void zoomIn();
    void zoomOut();
    void zoomReset();
    int zoom() const;
    // A faint background behind the caret's line, in a colour taken from
    // the text's background (so dark settings stay readable).
    void setCurrentLineShown(bool on);
    bool currentLineShown() const { return currentLine_; }
    static QColor currentLineColour(const QColor &background);
    // Puts the caret at the start of display row `row` (rows as the gutter
    // numbers them, from 0), clamped to the rows there are, and scrolls it
    // into view. With wrapping on, the rows of the whole text are laid out
    // first so that the number means the row the gutter would show; when
    // the user cancels that wait, the caret stays where it was.
    void goToRow(int row);

    // ---- Marks of "Highlight all" and the text they need (memomarks.cpp).
    // The marks move with the text as it is edited.
    void clearMatchMarks(int from, int to);
    void markMatch(int offset, int length);
    bool matchMarkedAt(int offset) const;
    // The text of [from, to) into `out`; returns the offset where it really
    // starts (an offset between a CR and its LF starts at the CR). Costs the
    // stretch, not the document.
    int textStretch(int from, int to, QString &out) const;
    // Start of the CR LF line that holds `offset`, and the offset just after
    // that line's break (the text's length on the last line).
    int textLineStart(int offset) const;
    int textLineEnd(int offset) const;
    // The stretch [from, to) of the text as it is now that holds everything
    // edited since the last call (loading a text included); false when
    // nothing was.
    bool takeEditedStretch(int &from, int &to);

    // The window the text area belongs to: keys its commands own reach them
    // instead of being handled here. None for a text area of a dialog.
    void setHost(const DocumentHost *host) { host_ = host; }

    class Engine;

signals:
    void mouseReleased();
    void keyReleased();
    void mouseMoved();
    // After edits (coalesced: once per burst of changes).
    void textChanged();
    // The modified flag turned on or off; sent as the first edit is made.
    void modificationChanged(bool on);
    // The first visible line may have moved (scrolling, wrapping, resizing).
    void viewChanged();
    // Text inserted by an edit (typing, paste, undo, redo), not by setText;
    // sent by the next edit or once the burst of edits is over.
    void inserted(const QString &text);
    // More display lines have their exact numbers (knownDisplayLines grew,
    // and knownLineFromOffset may answer where it could not).
    void linesNumbered();
    // The zoom changed (keys, menu or Ctrl+wheel).
    void zoomChanged(int zoom);

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    friend class Engine;
    const DocumentHost *host_ = nullptr;
    friend class MemoHooks;   // the writing aids' attachment (memohooks.h)
    void editStarting();
    void lengthChanging(long pos, bool inserting, long count);
    void reportInsertion();
    void settleInsertion() const;
    void lineLengthSeen(long lineBytes);
    bool lexing() const;
    bool breaksAtRuns() const;
    void fitLayoutCache(long lineBytes);
    void styleRuns(int end);
    void cutIntoRuns(long start, long stop);
    void alignViewRuns();
    void splitTextRuns(long from, long to);
    void styleAhead();
    // Numbering of screen lines (memowrap.cpp).
    void restartNumbering(bool fresh);
    void viewResized();
    void viewPainted();
    void editStartsAt(long pos);
    void settleEdit() const;
    void numberLines();
    void scheduleNumbering(int delayMs) const;
    bool finalCount(long line, long height) const;
    bool fitsOneScreenLine(long line) const;
    bool lineKnown(long line) const;
    long knownLines() const;
    void wrapEverything() const;
    long sublineStart(long pos) const;
    int subline(long pos) const;
    bool jumpWithoutWrapping(QKeyEvent *e);
    bool caretInView() const;
    void bringCaretIntoView();
    bool typeText(const QString &typed);
    void forwardKey(QKeyEvent *e);
    void narrowNotifications();
    void applyLook();
    long startOfScreenLine(long displayLine) const;
    long bytePosOfOffset(int offset) const;
    int offsetOfBytePos(long pos) const;
    void setAnchor(long line, long pos, long units) const;
    void connectView();
    void applyCurrentLine();
    void noteEdit(long pos, bool inserting, long length);
    void useMatchIndicator() const;

    Engine *sci_;
    bool modified_ = false;
    bool loading_ = false;
    bool textChangePosted_ = false;
    bool html_ = false;
    bool lexing_ = false;            // the HTML lexer styles the text
    long longestLine_ = 0;           // bytes, since the last load
    bool forwarding_ = false;
    mutable bool lengthKnown_ = false;
    mutable int length_ = 0;
    mutable long pendingInsertAt_ = -1;
    long pendingInsertBytes_ = 0;
    long insertedAt_ = -1;        // an insertion not yet reported, in bytes
    long insertedBytes_ = 0;
    int layoutCacheEntries_ = 1024;   // the engine's own default
    // The last position converted on a line that needs counting, with its
    // UTF-16 characters from the line's start.
    mutable long anchorLine_ = -1;
    mutable long anchorPos_ = 0;
    mutable long anchorUnits_ = 0;
    bool currentLine_ = false;
    // What was edited since takeEditedStretch, in engine positions of the
    // text as it is now; -1 when nothing.
    long editedFrom_ = -1;
    long editedTo_ = -1;
    mutable bool matchIndicatorSet_ = false;
    struct Look;
    std::unique_ptr<Look> look_;
    long styledAhead_ = 0;           // coloured and cut into runs up to here since the load
    QTimer *styleAheadTimer_ = nullptr;
    // Text in view drawn as one run per screen line (alignViewRuns).
    std::vector<std::pair<long, long>> viewSpans_;
    QTimer *viewRunsTimer_ = nullptr;
    struct Numbering;
    std::unique_ptr<Numbering> numbering_;
};
