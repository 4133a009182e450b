#pragma once
// The text area's engine widget and look, shared by the adapter's own files
// only; nothing outside documents/ includes this.
#include "documents/filerules.h"
#include "documents/memo.h"

#include <Qsci/qscicommandset.h>
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>

#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTimer>

// Offsets are counted in UTF-16 units through the engine's line index.
inline constexpr int kUtf16 = QsciScintillaBase::SC_LINECHARACTERINDEX_UTF16;

struct TMemo::Look {
    QsciLexerHTML *lexer = nullptr;
};

class TMemo::Engine : public QsciScintilla {
public:
    explicit Engine(TMemo *memo) : QsciScintilla(memo), memo_(memo) {}

    long S(unsigned int msg, unsigned long w = 0, long l = 0) const { return SendScintilla(msg, w, l); }

protected:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::ShortcutOverride && memo_->isCommandShortcut) {
            auto *ke = static_cast<QKeyEvent *>(e);
            if (memo_->isCommandShortcut(QKeySequence(ke->keyCombination()))) {
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

private:
    TMemo *memo_;
};
