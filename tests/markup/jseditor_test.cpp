#include "documents/gutter.h"
#include "documents/memo.h"
#include "markup/framescript.h"
#include "markup/jseditor.h"
#include "markup/mediafiles.h"
#include "support/scripteddialogs.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QFile>
#include <QMenu>
#include <QScrollBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Inserted {
    QStringList pieces;
    InsertText callback()
    {
        return [this](const QString &t) { pieces << t; };
    }
};

QStringList captions(const QMenu *menu)
{
    QStringList out;
    for (const QAction *a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

} // namespace

TEST(ScriptRules, FileTextEndsEveryLine)
{
    EXPECT_EQ(markup::scriptFileText(""), "");
    EXPECT_EQ(markup::scriptFileText("a"), "a\r\n");
    EXPECT_EQ(markup::scriptFileText("a\r\nb"), "a\r\nb\r\n");
    EXPECT_EQ(markup::scriptFileText("a\r\n"), "a\r\n");   // no line is added
    EXPECT_EQ(markup::scriptFileText("a\nb\rc"), "a\r\nb\r\nc\r\n");
    const QString script = QStringLiteral("x=1;\r\n");
    EXPECT_EQ(markup::directScriptPieces(script).join(QString()), markup::directScript(script));
}

TEST(JSEditor, WindowMenusAndLook)
{
    EditorLook look;
    look.fontName = QStringLiteral("DejaVu Sans Mono");
    look.fontSize = 15;
    look.fontColor = 0x0000FF;   // red
    look.backColor = 0x00FFFF;   // yellow
    TJSEditor e(look);
    EXPECT_EQ(e.windowTitle(), "Javascript Editor");
    EXPECT_EQ(e.File1->title(), "&File");
    EXPECT_EQ(captions(e.File1),
              QStringList({"&Open *.js", "&Save", "-", "&Cancel", "-", "Update HTML && &Close"}));
    EXPECT_EQ(e.View1->title(), "&View");
    EXPECT_EQ(captions(e.View1), QStringList({"&Line Numbering"}));
    EXPECT_TRUE(e.LineNumbering1->isCheckable());
    EXPECT_FALSE(e.LineNumbering1->isChecked());
    EXPECT_EQ(e.Memo1->font().pointSize(), 15);
    EXPECT_EQ(e.Memo1->font().family(), e.LineNum->font().family());
    EXPECT_EQ(e.LineNum->font().pointSize(), 15);
    EXPECT_EQ(e.Memo1->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(e.Memo1->palette().color(QPalette::Base), QColor(255, 255, 0));
    EXPECT_TRUE(e.LineNum->isHidden());
    EXPECT_EQ(e.size(), QSize(544, 375));
}

TEST(JSEditor, SavedAndOpenedScriptsAreReferencedByTheirOwnName)
{
    QTemporaryDir dir;
    ScriptedDialogs dlg;
    TJSEditor e(EditorLook{});
    e.show();
    e.Memo1->setText(QStringLiteral("alert(1);\r\nalert(2);"));
    const QString path = dir.filePath("My.JS");
    dlg.queueFile(path);
    e.Save1->trigger();
    EXPECT_EQ(readAll(path), "alert(1);\r\nalert(2);\r\n");
    EXPECT_EQ(e.ScriptFile, path);   // the file as written, so the page finds it
    EXPECT_FALSE(e.Memo1->modified());
    e.Exit1->trigger();
    EXPECT_FALSE(e.isVisible());
    Inserted fromSave;
    insertScriptFromFile(e, fromSave.callback());
    EXPECT_EQ(fromSave.pieces, QStringList({"<SCRIPT SRC=\"My.JS\"></SCRIPT>"}));

    TJSEditor other(EditorLook{});
    other.show();
    dlg.queueFile(path);
    other.Open1->trigger();
    EXPECT_EQ(other.ScriptFile, path);
    EXPECT_EQ(other.scriptText(), "alert(1);\r\nalert(2);\r\n");
    Inserted fromOpen;
    insertScriptFromFile(other, fromOpen.callback());
    EXPECT_EQ(fromOpen.pieces, QStringList({"<SCRIPT SRC=\"My.JS\"></SCRIPT>"}));

    ASSERT_EQ(dlg.fileDialogs.size(), 2);
    for (const FileDialogState &s : dlg.fileDialogs) {
        EXPECT_EQ(s.filter, "JS (*.js)|*.js|TEXT (*.txt)|*.txt|All files (*.*)|*.*");
        EXPECT_TRUE(s.fileName.isEmpty());
    }
    EXPECT_TRUE(dlg.messages.isEmpty());
}

TEST(JSEditor, OpenTurnsLineBreaksIntoCrLfAndKeepsNonUtf8Bytes)
{
    QTemporaryDir dir;
    ScriptedDialogs dlg;
    TJSEditor e(EditorLook{});
    const QString path = dir.filePath("old.js");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("s='caf\xe9';\nt=1;\r");
    f.close();
    dlg.queueFile(path);
    e.Open1Click();
    EXPECT_EQ(e.scriptText(), QString::fromUtf8("s='café';\r\nt=1;\r\n"));
    dlg.queueFile(path);
    e.Save1Click();
    EXPECT_EQ(readAll(path), "s='caf\xe9';\r\nt=1;\r\n");
}

TEST(JSEditor, FileErrorsKeepTheTextAndTakeTheNewPath)
{
    QTemporaryDir dir;
    ScriptedDialogs dlg;
    TJSEditor e(EditorLook{});
    e.Memo1->setText(QStringLiteral("keep();"));
    dlg.queueFile(dir.path());   // a folder cannot be read as a script
    e.Open1Click();
    EXPECT_EQ(e.scriptText(), "keep();");
    EXPECT_EQ(e.ScriptFile, dir.path());
    const QString nowhere = dir.filePath("no/such/folder/s.js");
    dlg.queueFile(nowhere);
    e.Save1Click();
    EXPECT_EQ(e.ScriptFile, nowhere);
    EXPECT_EQ(dlg.messages, QStringList({"Cannot open file " + dir.path(),
                                         "Cannot create file " + nowhere + ": No such file or directory"}));
    EXPECT_EQ(e.scriptText(), "keep();");

    // A cancelled dialog changes nothing.
    dlg.queueFile(std::nullopt);
    e.Save1Click();
    EXPECT_EQ(e.ScriptFile, nowhere);
}

TEST(JSEditor, DirectInsertsThreeTextsAndFromFileItsTag)
{
    TJSEditor e(EditorLook{});
    e.show();
    e.Memo1->setText(QStringLiteral("var a;\r\nvar b;"));
    e.close();
    Inserted direct;
    insertDirectScript(e, direct.callback());
    EXPECT_EQ(direct.pieces, QStringList({"<SCRIPT Language=\"javascript\">\r\n", "var a;\r\nvar b;", "</SCRIPT>"}));

    // Typed but never saved: the reference is empty.
    Inserted fromFile;
    insertScriptFromFile(e, fromFile.callback());
    EXPECT_EQ(fromFile.pieces, QStringList({"<SCRIPT SRC=\"\"></SCRIPT>"}));

    // Text and file stay for the next use; Escape in the text does not close.
    e.show();
    EXPECT_EQ(e.scriptText(), "var a;\r\nvar b;");
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(e.Memo1, &escape);
    EXPECT_TRUE(e.isVisible());
}

TEST(JSEditor, CancelForgetsTextAndFileSoNothingIsInserted)
{
    QTemporaryDir dir;
    ScriptedDialogs dlg;
    TJSEditor e(EditorLook{});
    e.show();
    e.Memo1->setText(QStringLiteral("x();"));
    dlg.queueFile(dir.filePath("x.js"));
    e.Save1Click();
    e.Cancel1->trigger();
    EXPECT_FALSE(e.isVisible());
    EXPECT_TRUE(e.ScriptFile.isEmpty());
    Inserted direct, fromFile;
    insertDirectScript(e, direct.callback());
    insertScriptFromFile(e, fromFile.callback());
    EXPECT_TRUE(direct.pieces.isEmpty());
    EXPECT_TRUE(fromFile.pieces.isEmpty());
}

TEST(JSEditor, LineNumbersFollowScrollingAndHideOnClose)
{
    TJSEditor e(EditorLook{});
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines << QStringLiteral("line %1").arg(i);
    e.Memo1->setText(lines.join(QStringLiteral("\r\n")));
    e.show();
    e.LineNumbering1->trigger();
    EXPECT_TRUE(e.LineNumbering1->isChecked());
    EXPECT_TRUE(e.LineNum->isVisible());
    EXPECT_TRUE(e.LineNum->text().startsWith("0\r\n1\r\n"));
    // Width: three digits of the line count times the point size, less 2.
    EXPECT_EQ(e.LineNum->width(), LineGutter::widthFor(200, e.LineNum->font().pointSize()));

    e.Memo1->verticalScrollBar()->setValue(10);   // the 11th line at the top
    EXPECT_TRUE(e.LineNum->text().startsWith("10\r\n11\r\n"));

    e.Exit1->trigger();
    EXPECT_TRUE(e.LineNum->isHidden());
    EXPECT_TRUE(e.LineNumbering1->isChecked());   // the mark stays
    e.show();
    EXPECT_TRUE(e.LineNum->isHidden());
    e.LineNumbering1->trigger();
    EXPECT_FALSE(e.LineNumbering1->isChecked());
    EXPECT_TRUE(e.LineNum->isHidden());
    e.LineNumbering1->trigger();
    EXPECT_TRUE(e.LineNum->isVisible());
}

TEST(JSEditor, AScriptHoldingZeroBytesIsNotOpened)
{
    QTemporaryDir dir;
    ScriptedDialogs dlg;
    TJSEditor e(EditorLook{});
    e.Memo1->setText(QStringLiteral("keep();"));
    const QString path = dir.filePath(QStringLiteral("packed.js"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("a();\0b();", 9));
    }
    dlg.queueFile(path);
    e.Open1Click();
    EXPECT_EQ(dlg.errors, QStringList{path + QStringLiteral(" contains NUL bytes and cannot be edited as text")});
    EXPECT_EQ(e.scriptText(), QStringLiteral("keep();"));
}
