#pragma once
// "Javascript Editor": a small script editor with its own open, save and
// line numbering. The "&Direct" and "&From File" commands insert either the
// script itself or a reference to its file once the window has closed.
#include "documents/textfile.h"
#include "platform/dialogs.h"

#include <QDialog>
#include <functional>

class LineGutter;
class QAction;
class QMenu;
class QMenuBar;
class TMemo;

// The editor settings the window takes once, when it is created.
struct EditorLook {
    QString fontName = QStringLiteral("Courier New");
    int fontSize = 12;
    quint32 fontColor = 0x000000;    // 0x00BBGGRR
    quint32 backColor = 0xFFFFFF;
};

class TJSEditor : public QDialog {
    Q_OBJECT
public:
    explicit TJSEditor(const EditorLook &look, QWidget *parent = nullptr);
    ~TJSEditor() override;

    // The script file last opened or saved: exactly the path that was read or
    // written; empty at start and after "&Cancel".
    QString ScriptFile;

    TMemo *Memo1;
    LineGutter *LineNum;
    QMenuBar *MainMenu1;
    QMenu *File1;
    QAction *Open1;
    QAction *Save1;
    QAction *Cancel1;
    QAction *Exit1;
    QMenu *View1;
    QAction *LineNumbering1;
    FileDialogState OpenDialog1;
    FileDialogState SaveDialog1;

    QString scriptText() const;

    void Open1Click();
    void Save1Click();
    void Cancel1Click();
    void Exit1Click();
    void LineNumbering1Click();
    void FormClose();

    // Refreshes the numbers from the first visible line.
    void Memo1MouseUp();
    // Catches scrolling since the last refresh and keeps the column's width.
    void ApplicationEvents1Message();

    void done(int result) override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    int topLine_ = -1;
    int shownLineCount_ = -1;
    textfile::Encoding encoding_ = textfile::Encoding::Utf8;
    bool byteOrderMark_ = false;
};

using InsertText = std::function<void(const QString &)>;

// "&Direct": shows the editor modally, then inserts the script between its
// tags in three insertions when the text is not empty.
void runDirectScript(TJSEditor &editor, const InsertText &insert);
// "&From File": shows the editor modally, then inserts a SCRIPT element that
// refers to the script's file when the text is not empty.
void runScriptFromFile(TJSEditor &editor, const InsertText &insert);

// Their second halves, once the editor has closed.
void insertDirectScript(const TJSEditor &editor, const InsertText &insert);
void insertScriptFromFile(const TJSEditor &editor, const InsertText &insert);
