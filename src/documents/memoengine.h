#pragma once
// The text area's engine widget and look, shared by the adapter's own files
// only; nothing outside documents/ includes this.
#include "documents/documenthost.h"
#include "documents/filerules.h"
#include "documents/memo.h"

#include <Qsci/qscicommandset.h>
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>

#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTimer>

#include <utility>
#include <vector>

// Offsets are counted in UTF-16 units through the engine's line index.
inline constexpr int kUtf16 = QsciScintillaBase::SC_LINECHARACTERINDEX_UTF16;

// The HTML lexer's style of the text between tags, and its twin.
inline constexpr int kTextTwin = 128;

struct TMemo::Look {
    QsciLexerHTML *lexer = nullptr;
};

// How far the screen lines are known to be numbered for good. The engine
// wraps a long document in the background, from its start, and a line's
// display number is the sum of the screen lines of the lines before it; the
// engine does not tell how far it has got, so each line's count is checked
// here as the wrap goes: a line keeps its count once the engine has wrapped
// it at the current width, and a short line of plain characters needs no
// wrap at all.
struct TMemo::Numbering {
    // Text lines [0, final) keep their screen-line counts, except the
    // edited ranges below, which are checked again.
    long final = 0;
    // Every count is 1 unless the engine wrapped that line at this width
    // since: a count above 1 is then for good.
    bool fresh = true;
    int width = -1;          // of the view, for this numbering
    // The engine has wrapped something at that width since it changed: the
    // width it lays wrapped lines out against is the view's.
    bool widthKnown = false;
    std::vector<std::pair<long, long>> edited;   // text line ranges [first, last], sorted
    long editLine = -1;      // an edit under way: its line and the line count before it
    long linesBefore = 0;
    double widestChar = 0;   // widest printable ASCII character of the text's fonts
    long reported = 0;       // final when linesNumbered() was last sent
    long waitingAt = -1;     // the line checked last without success, and the
    long waitingCount = -1;  // display-line total seen then
    bool caretShown = false; // the caret was in view at the last paint
    QTimer *timer = nullptr;
};

class TMemo::Engine : public QsciScintilla {
public:
    explicit Engine(TMemo *memo) : QsciScintilla(memo), memo_(memo) {}

    long S(unsigned int msg, unsigned long w = 0, long l = 0) const { return SendScintilla(msg, w, l); }

protected:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::ShortcutOverride && memo_->host_) {
            auto *ke = static_cast<QKeyEvent *>(e);
            if (memo_->host_->isCommandShortcut(QKeySequence(ke->keyCombination()))) {
                // Leave the key to the window's command of that shortcut.
                e->ignore();
                return false;
            }
        }
        return QsciScintilla::event(e);
    }

    // A drag that carries files is for the main window, which opens them;
    // the engine would otherwise take it and drop nothing. Text dragged
    // within or between documents stays the engine's.
    static bool carriesFiles(const QMimeData *data)
    {
        return data && data->hasUrls() && !filerules::droppedFiles(data->urls()).isEmpty();
    }
    void dragEnterEvent(QDragEnterEvent *e) override
    {
        if (carriesFiles(e->mimeData()))
            e->ignore();
        else
            QsciScintilla::dragEnterEvent(e);
    }
    void dragMoveEvent(QDragMoveEvent *e) override
    {
        if (carriesFiles(e->mimeData()))
            e->ignore();
        else
            QsciScintilla::dragMoveEvent(e);
    }
    void dropEvent(QDropEvent *e) override
    {
        if (carriesFiles(e->mimeData()))
            e->ignore();
        else
            QsciScintilla::dropEvent(e);
    }

    void keyPressEvent(QKeyEvent *e) override
    {
        // Tab is typed into the text, also over a selection of several lines.
        if (e->key() == Qt::Key_Tab && e->modifiers() == Qt::NoModifier) {
            memo_->replaceSelection(QStringLiteral("\t"));
            e->accept();
            return;
        }
        // A combination the engine does not bind is no text to type: it goes
        // on to the window.
        if ((e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
            !standardCommands()->boundTo(e->keyCombination().toCombined() & ~int(Qt::KeypadModifier))) {
            e->ignore();
            return;
        }
        if (isTypedText(e) && memo_->typeText(e->text())) {
            e->accept();
            return;
        }
        if (memo_->jumpWithoutWrapping(e)) {
            e->accept();
            return;
        }
        QsciScintilla::keyPressEvent(e);
    }

public:
    // A key that types text (no command modifier, only printable characters).
    static bool isTypedText(const QKeyEvent *e)
    {
        if (e->text().isEmpty() || (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
            return false;
        for (const QChar c : e->text())
            if (!c.isPrint() && !c.isSurrogate())
                return false;
        return true;
    }

protected:
    void keyReleaseEvent(QKeyEvent *e) override
    {
        QsciScintilla::keyReleaseEvent(e);
        emit memo_->keyReleased();
    }

    void mouseReleaseEvent(QMouseEvent *e) override
    {
        QsciScintilla::mouseReleaseEvent(e);
        emit memo_->mouseReleased();
    }

    void mouseMoveEvent(QMouseEvent *e) override
    {
        QsciScintilla::mouseMoveEvent(e);
        emit memo_->mouseMoved();
    }

    void resizeEvent(QResizeEvent *e) override
    {
        QsciScintilla::resizeEvent(e);
        memo_->viewResized();
    }

    void paintEvent(QPaintEvent *e) override
    {
        QsciScintilla::paintEvent(e);
        memo_->viewPainted();
    }

private:
    TMemo *memo_;
};
