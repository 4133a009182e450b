// "Reopen the documents open at exit", through the real main window: the
// titled documents come back at the next start with their caret and wrap.
#include "mainwindowtestbase.h"

#include "app/prefsdialog.h"
#include "documents/memo.h"

#include <QCheckBox>
#include <QFile>
#include <QMdiArea>

namespace {

class SessionTest : public MainWindowTest {
protected:
    void reopenAtStart(bool on)
    {
        preferences([on](Tprefs &p) {
            EXPECT_EQ(p.reopenDocuments->text(), "Reopen the documents open at exit");
            p.reopenDocuments->setChecked(on);
        });
    }

    void restart(const QStringList &args = {})
    {
        ASSERT_TRUE(w->close());
        w.reset();
        dlg.messages.clear();
        dlg.errors.clear();
        open(args);
        w->FormActivate();
        QCoreApplication::processEvents();
    }

    QStringList captions() const
    {
        QStringList out;
        for (TSubForm *d : w->documents())
            out << d->caption();
        return out;
    }

    TSubForm *document(const QString &caption) const
    {
        for (TSubForm *d : w->documents())
            if (d->caption() == caption)
                return d;
        return nullptr;
    }

    QString a, b, c;

    void openThree()
    {
        a = cfg.write(QStringLiteral("a.htm"), "<p>first page</p>\r\nsecond line\r\n");
        b = cfg.write(QStringLiteral("b.txt"), "plain text file");
        c = cfg.write(QStringLiteral("c.htm"), "<p>c</p>");
        ASSERT_TRUE(w->documentCommands().openDocument(a, DocumentCommands::Listing::OnSuccess));
        memo().setWrap(true);
        memo().setSelStart(22);
        ASSERT_TRUE(w->documentCommands().openDocument(b, DocumentCommands::Listing::OnSuccess));
        memo().setWrap(false);
        memo().setSelStart(6);
        w->documentCommands().New1Click();   // untitled: never saved, not kept
        ASSERT_TRUE(w->documentCommands().openDocument(c, DocumentCommands::Listing::OnSuccess));
        // b is current at exit.
        w->documentArea()->setActiveSubWindow(document(b));
        QCoreApplication::processEvents();
        ASSERT_EQ(w->currentDocument(), document(b));
    }
};

} // namespace

TEST_F(SessionTest, OffByDefaultStartUpOpensNothingAndKeepsNoFile)
{
    openThree();
    EXPECT_FALSE(w->addedOptions().reopenDocuments);
    restart();
    EXPECT_EQ(int(w->documents().size()), 0);
    EXPECT_FALSE(QFile::exists(cfg.appFolder() + QStringLiteral("session.lst")));
}

TEST_F(SessionTest, TitledDocumentsComeBackWithCaretAndWrapAndTheCurrentOneInFront)
{
    reopenAtStart(true);
    openThree();
    memo().setModified(false);
    restart();
    EXPECT_EQ(captions(), (QStringList{a, b, c}));
    EXPECT_TRUE(dlg.messages.isEmpty());
    ASSERT_TRUE(document(a) && document(b) && document(c));
    EXPECT_TRUE(document(a)->Memo1->wrap());
    EXPECT_EQ(document(a)->Memo1->selStart(), 22);
    EXPECT_FALSE(document(b)->Memo1->wrap());
    EXPECT_EQ(document(b)->Memo1->selStart(), 6);
    EXPECT_EQ(w->currentDocument(), document(b));
    EXPECT_FALSE(w->action(commands::Id::WordWrap)->isChecked());
    EXPECT_EQ(w->windowCommands().windowList(), (QStringList{a, b, c}));
    // The file is the user's alone.
    EXPECT_EQ(QFile::permissions(cfg.appFolder() + QStringLiteral("session.lst")) & 0x0077, 0);

    // Turned off again: the next start opens nothing and the file goes.
    reopenAtStart(false);
    restart();
    EXPECT_EQ(int(w->documents().size()), 0);
    EXPECT_FALSE(QFile::exists(cfg.appFolder() + QStringLiteral("session.lst")));
}

TEST_F(SessionTest, MissingFilesAreNamedInOneMessageAndTheCommandLineFileComesFirstAndStaysInFront)
{
    reopenAtStart(true);
    openThree();
    ASSERT_TRUE(w->close());
    w.reset();
    QFile::remove(a);
    QFile::remove(c);
    const QString given = cfg.write(QStringLiteral("given.htm"), "<p>from the shell</p>");
    dlg.messages.clear();
    open({given});
    w->FormActivate();
    QCoreApplication::processEvents();
    EXPECT_EQ(captions(), (QStringList{given, b}));
    EXPECT_EQ(dlg.errors, QStringList{QStringLiteral("These documents of the last session no longer exist:\n") + a +
                                      QLatin1Char('\n') + c});
    EXPECT_EQ(w->currentDocument(), document(given));

    // The command line's file is not opened twice when the session has it.
    restart({b});
    EXPECT_EQ(captions(), (QStringList{b, given}));
    EXPECT_TRUE(dlg.errors.isEmpty());
    EXPECT_EQ(w->currentDocument(), document(b));
}
