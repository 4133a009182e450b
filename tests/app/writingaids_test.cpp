// The writing aids as the main window gives them: one for every document,
// "Go to Matching Tag" from the Search menu and its key, the commands'
// fragments left as they are, and their Preferences.
#include "app/prefsdialog.h"
#include "app/startoptions.h"
#include "htmlaid/htmlaids.h"
#include "mainwindowtestbase.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>

using commands::Id;

namespace {

class WritingAidsTest : public MainWindowTest {
protected:
    void typeInto(TMemo &m, const char *keys)
    {
        m.setFocus();
        QTest::keyClicks(&m, QString::fromLatin1(keys));
        QCoreApplication::processEvents();
    }
};

} // namespace

TEST_F(WritingAidsTest, GoToMatchingTagJumpsBetweenTheTwoTagsFromMenuAndKey)
{
    QAction *go = w->action(Id::MatchingTag);
    ASSERT_TRUE(go);
    EXPECT_EQ(go->text(), QStringLiteral("Go to &Matching Tag"));
    EXPECT_EQ(go->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+M")));
    EXPECT_FALSE(go->isEnabled());   // no document yet
    w->documentCommands().New1Click();
    ASSERT_TRUE(go->isEnabled());
    memo().setText(QStringLiteral("<ul>\r\n<li>one</li>\r\n</ul>"));
    memo().setSelStart(2);
    go->trigger();
    EXPECT_EQ(memo().selStart(), int(QStringLiteral("<ul>\r\n<li>one</li>\r\n</").size()));
    memo().setFocus();
    QTest::keyClick(&memo(), Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(memo().selStart(), 1);
    // Ctrl+M is still the image command's.
    EXPECT_EQ(w->action(Id::Image)->shortcut(), QKeySequence(QStringLiteral("Ctrl+M")));

    // In a plain-text file nothing moves.
    const QString path = cfg.write(QStringLiteral("notes.txt"), "<ul>\r\n</ul>");
    ASSERT_TRUE(w->documentCommands().openDocument(path, DocumentCommands::Listing::OnSuccess));
    memo().setSelStart(2);
    go->trigger();
    EXPECT_EQ(memo().selStart(), 2);
}

TEST_F(WritingAidsTest, EveryDocumentHasItsAidsAndTheCommandsFragmentsStayAsTheyAre)
{
    w->documentCommands().New1Click();
    ASSERT_TRUE(htmlaid::HtmlAids::of(&memo()));
    // A tag command inserts its pair exactly; nothing is added to it.
    w->markupCommands().runTagCommand(markup::TagCommandId::Bold);
    QCoreApplication::processEvents();
    EXPECT_EQ(memo().text(), QStringLiteral("<B></B>"));
    EXPECT_EQ(memo().selStart(), 3);
    // Typed, the same tag is closed.
    memo().setText({});
    typeInto(memo(), "<B>");
    EXPECT_EQ(memo().text(), QStringLiteral("<B></B>"));
    // A page saved under a text file's name is plain text from then on.
    const QString txt = cfg.path() + QStringLiteral("plain.txt");
    w->currentDocument()->setCaption(txt);
    memo().setText({});
    typeInto(memo(), "<B>");
    EXPECT_EQ(memo().text(), QStringLiteral("<B>"));
}

TEST_F(WritingAidsTest, PreferencesTurnEachAidOnAndOffAndKeepTheChoice)
{
    Tprefs *seen = nullptr;
    modalAnswer = [&](QDialog *d) {
        auto *p = qobject_cast<Tprefs *>(d);
        if (!p)
            return int(QDialog::Rejected);
        seen = p;
        // On by default, plain text not checked.
        EXPECT_TRUE(p->autoCloseTags->isChecked());
        EXPECT_TRUE(p->matchTags->isChecked());
        EXPECT_TRUE(p->completion->isChecked());
        EXPECT_TRUE(p->spelling->isChecked());
        EXPECT_FALSE(p->spellPlainText->isChecked());
        EXPECT_EQ(p->dictionary->currentText(), QStringLiteral("en_US"));
        // The group lies below the other choices and above the buttons.
        EXPECT_GE(p->aidsBox->y(), p->remoteContent->geometry().bottom());
        EXPECT_LE(p->aidsBox->geometry().bottom(), p->DoneBtn->y());
        EXPECT_LE(p->aidsBox->geometry().right(), p->width());
        p->autoCloseTags->setChecked(false);
        p->spellPlainText->setChecked(true);
        p->DoneBtnClick();
        return p->result();
    };
    w->preferencesCommands().Preferences1Click();
    modalAnswer = nullptr;
    ASSERT_TRUE(seen);
    EXPECT_FALSE(w->writingAids()->options().autoClose);
    EXPECT_TRUE(w->writingAids()->options().spellPlainText);
    EXPECT_EQ(w->writingAids()->options().language, QStringLiteral("en_US"));
    const ResultOf<AddedOptions> stored = readAddedOptions(cfg.appFolder());
    EXPECT_FALSE(stored.value.aids.autoClose);
    EXPECT_TRUE(stored.value.aids.spellPlainText);

    // Off, a typed tag stays as typed; a new start keeps the choice.
    w->documentCommands().New1Click();
    typeInto(memo(), "<b>");
    EXPECT_EQ(memo().text(), QStringLiteral("<b>"));
    memo().setModified(false);
    ASSERT_TRUE(w->close());
    w.reset();
    open();
    EXPECT_FALSE(w->writingAids()->options().autoClose);
}
