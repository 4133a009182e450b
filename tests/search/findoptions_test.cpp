// The find window's added options through the real window and text area:
// regular expressions, wrap around and the marks of "Highlight all".
#include "fakesearchhost.h"
#include "printers.h"
#include "search/findform.h"
#include "search/matcher.h"
#include "support/scripteddialogs.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString EndOfSearch = QStringLiteral("End of Search");

struct FindOptionsTest : ::testing::Test {
    ScriptedDialogs dlg;
    FakeSearchHost host;
    TFindForm form{host};

    // Offsets of the text whose marks differ from what a fresh search of
    // the whole text would mark; empty when the marks are right.
    static QList<int> wrongMarks(TMemo *memo, const QString &find, const search::FindOptions &options)
    {
        const QString text = memo->text();
        std::vector<search::Match> matches;
        search::Matcher(find, options).collect(text, 0, int(text.size()), matches);
        std::vector<bool> marked(size_t(text.size()), false);
        for (const search::Match &m : matches)
            for (int i = m.offset; i < m.offset + m.length; ++i)
                marked[size_t(i)] = true;
        QList<int> wrong;
        for (int i = 0; i < text.size(); ++i) {
            // The LF of a CR LF shares its mark with the CR.
            if (i > 0 && text[i] == u'\n' && text[i - 1] == u'\r')
                continue;
            if (memo->matchMarkedAt(i) != marked[size_t(i)])
                wrong << i;
        }
        return wrong;
    }

    static QList<int> markedOffsets(TMemo *memo)
    {
        QList<int> out;
        for (int i = 0; i < memo->textLength(); ++i)
            if (memo->matchMarkedAt(i))
                out << i;
        return out;
    }
};

} // namespace

TEST_F(FindOptionsTest, TheAddedOptionsStartOffAndEachHasItsOwnPlaceInThePanel)
{
    host.open(QStringLiteral("/w/a.htm"), QStringLiteral("text"));
    form.Replace1Click();
    const QList<QCheckBox *> boxes{form.MatchCase, form.WholeWord, form.WrapAround, form.HighlightAll,
                                   form.RegularExpression};
    EXPECT_EQ(form.WrapAround->text(), "Wrap around");
    EXPECT_EQ(form.HighlightAll->text(), "Highlight all");
    EXPECT_EQ(form.RegularExpression->text(), "Regular expression");
    for (QCheckBox *b : {form.WrapAround, form.HighlightAll, form.RegularExpression})
        EXPECT_FALSE(b->isChecked()) << b->text().toStdString();
    // Every control shows whole, in the window, over no other; the caption
    // of each box fits in it.
    QList<QWidget *> controls{form.CloseBtn, form.FindBtn};
    for (QCheckBox *b : boxes)
        controls << b;
    for (QWidget *c : controls) {
        const QRect r(c->mapTo(&form, QPoint(0, 0)), c->size());
        EXPECT_TRUE(form.rect().contains(r)) << c->objectName().toStdString();
        for (QWidget *other : controls) {
            if (other == c)
                continue;
            EXPECT_FALSE(r.intersects(QRect(other->mapTo(&form, QPoint(0, 0)), other->size())))
                << c->objectName().toStdString() << " / " << other->objectName().toStdString();
        }
    }
    for (QCheckBox *b : boxes)
        EXPECT_LE(b->sizeHint().width(), b->width()) << b->text().toStdString();
    // The replace row still shows above the panel.
    EXPECT_LE(form.RepBtn->geometry().bottom(), form.Panel1->geometry().top());
    form.Find1Click();
    EXPECT_LE(form.Findtxt->geometry().bottom(), form.Panel1->geometry().top());
}

TEST_F(FindOptionsTest, ARegularExpressionFindsAndReplacesWithItsGroupsInOneUndoStep)
{
    const QString text = QStringLiteral("<b>one</b>\r\n<i>two</i>\r\n<b>three</b>");
    TSubForm *doc = host.open(QStringLiteral("/w/a.htm"), text);
    form.Replace1Click();
    form.RegularExpression->setChecked(true);
    form.Findtxt->setText(QStringLiteral("<b>(\\w+)</b>"));
    form.ReplaceTxt->setText(QStringLiteral("<strong>$1</strong>"));
    // The caret is at 0, so the first tag is not a hit.
    form.FindBtn->click();
    EXPECT_EQ(doc->Memo1->selStart(), 24);
    EXPECT_EQ(doc->Memo1->selText(), "<b>three</b>");
    form.RepBtn->click();
    EXPECT_EQ(doc->Memo1->text(), "<b>one</b>\r\n<i>two</i>\r\n<strong>three</strong>");
    doc->Memo1->undo();

    doc->Memo1->setSelStart(0);
    form.ReplaceTxt->setText(QStringLiteral("[\\1]"));
    form.Findtxt->setText(QStringLiteral("^<(\\w)>"));
    form.RepAllBtn->click();
    EXPECT_EQ(doc->Memo1->text(), "<b>one</b>\r\n[i]two</i>\r\n[b]three</b>");
    EXPECT_EQ(dlg.messages, QStringList({"2 replacements made.", EndOfSearch}));
    doc->Memo1->undo();
    EXPECT_EQ(doc->Memo1->text(), text);

    // Unticked, the same text is looked for as it is typed.
    dlg.messages.clear();
    form.RegularExpression->setChecked(false);
    doc->Memo1->setSelStart(0);
    form.FindBtn->click();
    EXPECT_EQ(dlg.messages, QStringList{EndOfSearch});
}

TEST_F(FindOptionsTest, AnInvalidExpressionShowsTheParsersMessageAndSearchesNothing)
{
    TSubForm *doc = host.open(QStringLiteral("/w/a.htm"), QStringLiteral("a (b) c (d)"));
    form.Replace1Click();
    doc->Memo1->setSelection(2, 3);
    form.RegularExpression->setChecked(true);
    form.Findtxt->setText(QStringLiteral("(b"));
    form.ReplaceTxt->setText(QStringLiteral("x"));
    form.FindBtn->click();
    ASSERT_EQ(dlg.messages.size(), 1);
    EXPECT_EQ(dlg.messages[0], search::Matcher(QStringLiteral("(b"), form.options()).errorMessage());
    EXPECT_TRUE(dlg.messages[0].contains(QStringLiteral("missing closing parenthesis")))
        << dlg.messages[0].toStdString();
    EXPECT_EQ(doc->Memo1->selStart(), 2);
    EXPECT_EQ(doc->Memo1->selLength(), 3);
    dlg.messages.clear();
    form.RepAllBtn->click();
    EXPECT_EQ(dlg.messages.size(), 1);   // the reason only: no count, no "End of Search"
    EXPECT_EQ(doc->Memo1->text(), "a (b) c (d)");
}

TEST_F(FindOptionsTest, WrapAroundGoesOnFromTheTopOnceAndSaysSoInTheStatusBar)
{
    TSubForm *doc = host.open(QStringLiteral("/w/a.htm"), QStringLiteral("cat, dog, cat"));
    form.Find1Click();
    form.WrapAround->setChecked(true);
    form.Findtxt->setText(QStringLiteral("cat"));
    form.FindBtn->click();
    EXPECT_EQ(doc->Memo1->selStart(), 10);
    EXPECT_TRUE(host.notes.isEmpty());
    // Past the last hit: the first, at offset 0 too, and a note.
    form.FindBtn->click();
    EXPECT_EQ(doc->Memo1->selStart(), 0);
    EXPECT_EQ(host.notes, QStringList{"Search wrapped to the top"});
    EXPECT_TRUE(dlg.messages.isEmpty());
    // Nothing anywhere: one round, then "End of Search".
    form.Findtxt->setText(QStringLiteral("cow"));
    form.FindBtn->click();
    EXPECT_EQ(dlg.messages, QStringList{EndOfSearch});
    EXPECT_EQ(doc->Memo1->selStart(), 0);
}

TEST_F(FindOptionsTest, HighlightAllMarksEveryMatchAndFollowsTheSearchTheTextAndTheWindow)
{
    TSubForm *doc = host.open(QStringLiteral("/w/a.htm"), QStringLiteral("cat dog cat\r\nCat"));
    TMemo *memo = doc->Memo1;
    form.Find1Click();
    form.Findtxt->setText(QStringLiteral("cat"));
    EXPECT_TRUE(markedOffsets(memo).isEmpty());   // not ticked: no marks
    form.HighlightAll->setChecked(true);
    EXPECT_EQ(markedOffsets(memo), (QList<int>{0, 1, 2, 8, 9, 10, 13, 14, 15}));
    form.MatchCase->setChecked(true);
    EXPECT_EQ(markedOffsets(memo), (QList<int>{0, 1, 2, 8, 9, 10}));
    form.Findtxt->setText(QStringLiteral("dog"));
    EXPECT_EQ(markedOffsets(memo), (QList<int>{4, 5, 6}));

    // Typing makes and breaks matches where it types.
    memo->setFocus();
    memo->setSelStart(0);
    QTest::keyClicks(memo, QStringLiteral("dog "));
    QCoreApplication::processEvents();
    EXPECT_EQ(markedOffsets(memo), (QList<int>{0, 1, 2, 8, 9, 10}));
    memo->setSelStart(9);
    QTest::keyClick(memo, Qt::Key_Delete);
    QCoreApplication::processEvents();
    EXPECT_EQ(memo->text(), "dog cat dg cat\r\nCat");
    EXPECT_EQ(markedOffsets(memo), (QList<int>{0, 1, 2}));
    memo->undo();
    QCoreApplication::processEvents();
    EXPECT_EQ(markedOffsets(memo), (QList<int>{0, 1, 2, 8, 9, 10}));

    // Another document bound: its matches marked, the first one's gone.
    TSubForm *other = host.open(QStringLiteral("/w/b.htm"), QStringLiteral("hot dog"));
    form.Find1Click();
    EXPECT_TRUE(markedOffsets(memo).isEmpty());
    EXPECT_EQ(markedOffsets(other->Memo1), (QList<int>{4, 5, 6}));
    // Unticked, or the window closed: no marks.
    form.HighlightAll->setChecked(false);
    EXPECT_TRUE(markedOffsets(other->Memo1).isEmpty());
    form.HighlightAll->setChecked(true);
    EXPECT_FALSE(markedOffsets(other->Memo1).isEmpty());
    form.CloseBtn->click();
    EXPECT_TRUE(markedOffsets(other->Memo1).isEmpty());

    // An expression marks what it matches; an invalid one nothing, with its
    // reason in the status bar rather than a box at every key.
    form.Find1Click();
    form.RegularExpression->setChecked(true);
    form.Findtxt->setText(QStringLiteral("[a-z]o"));
    EXPECT_EQ(markedOffsets(other->Memo1), (QList<int>{0, 1, 4, 5}));
    form.Findtxt->setText(QStringLiteral("[a-z"));
    EXPECT_TRUE(markedOffsets(other->Memo1).isEmpty());
    EXPECT_TRUE(host.notes.value(host.notes.size() - 1).startsWith(QStringLiteral("Invalid regular expression")));
    EXPECT_TRUE(dlg.messages.isEmpty());
}

// Random edits of every kind (typing, deleting across lines, pastes, Replace
// All, undo and redo) with the marks compared, after each, to a fresh
// search of the whole text.
TEST_F(FindOptionsTest, HighlightAllStaysRightThroughEveryKindOfEdit)
{
    QRandomGenerator rng(26);
    const QString alphabet = QStringLiteral("abab c\r\n");
    auto randomText = [&](int n) {
        QString s;
        for (int i = 0; i < n; ++i)
            s += alphabet[rng.bounded(int(alphabet.size()))];
        return s;
    };
    struct Search {
        const char *text;
        search::FindOptions options;
    };
    const QList<Search> searches{{"aba", {}},
                                 {"b a", {true, false}},
                                 {"ab", {false, true}},
                                 {"a+b", {false, false, true}},
                                 {"^c|b$", {true, false, true}}};
    for (const Search &s : searches) {
        TSubForm *doc = host.open(QStringLiteral("/w/r.htm"), randomText(300));
        TMemo *memo = doc->Memo1;
        form.Replace1Click();
        form.MatchCase->setChecked(s.options.matchCase);
        form.WholeWord->setChecked(s.options.wholeWord);
        form.RegularExpression->setChecked(s.options.regularExpression);
        form.HighlightAll->setChecked(true);
        form.Findtxt->setText(QString::fromLatin1(s.text));
        ASSERT_EQ(wrongMarks(memo, form.Findtxt->text(), form.options()), QList<int>()) << s.text;
        for (int round = 0; round < 60; ++round) {
            const int length = memo->textLength();
            const int at = int(rng.bounded(length + 1));
            switch (rng.bounded(6)) {
            case 0:
                memo->setFocus();
                memo->setSelStart(at);
                QTest::keyClicks(memo, randomText(1 + int(rng.bounded(3))).remove(u'\r').remove(u'\n'));
                break;
            case 1:
                memo->setSelection(at, int(rng.bounded(std::min(12, length - at) + 1)));
                memo->replaceSelection(QString());
                break;
            case 2:
                memo->setSelection(at, int(rng.bounded(std::min(4, length - at) + 1)));
                memo->replaceSelection(randomText(int(rng.bounded(20))));
                break;
            case 3:
                memo->undo();
                break;
            case 4:
                memo->redo();
                break;
            default:
                // A large edit, searched again in the background, or most of
                // the text taken away again.
                if (length > 20000) {
                    memo->setSelection(200, length - 200);
                    memo->replaceSelection(QString());
                } else {
                    memo->setSelection(at, 0);
                    memo->replaceSelection(randomText(70000));
                }
                break;
            }
            QCoreApplication::processEvents();
            form.highlighter().finish();
            ASSERT_EQ(wrongMarks(memo, form.Findtxt->text(), form.options()), QList<int>())
                << s.text << " round " << round;
        }
        form.CloseBtn->click();
        memo->setModified(false);
        host.closeDocument(doc);
    }
}

TEST_F(FindOptionsTest, ALongTextIsMarkedInTheBackgroundAndEditsMeanwhileStayRight)
{
    QString text;
    for (int i = 0; i < 40000; ++i)
        text += QStringLiteral("<p>line %1 with a link</p>\r\n").arg(i);
    TSubForm *doc = host.open(QStringLiteral("/w/big.htm"), text);
    TMemo *memo = doc->Memo1;
    form.Find1Click();
    form.Findtxt->setText(QStringLiteral("link"));
    form.HighlightAll->setChecked(true);
    // The start is marked at once, the rest follows tick by tick.
    EXPECT_TRUE(form.highlighter().busy());
    EXPECT_TRUE(memo->matchMarkedAt(text.indexOf(QStringLiteral("link"))));
    EXPECT_FALSE(memo->matchMarkedAt(text.lastIndexOf(QStringLiteral("link"))));
    bool done = false;
    QObject::connect(&form.highlighter(), &MatchHighlighter::finished, [&done] { done = true; });
    // An edit near the end while the pass is under way.
    memo->setSelStart(memo->textLength());
    memo->replaceSelection(QStringLiteral("a last link"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(memo->matchMarkedAt(memo->textLength() - 1));
    for (int i = 0; i < 2000 && form.highlighter().busy(); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_TRUE(done);
    EXPECT_EQ(wrongMarks(memo, form.Findtxt->text(), form.options()), QList<int>());
}

TEST_F(FindOptionsTest, ClosingTheMarkedDocumentDuringThePassEndsIt)
{
    QString text;
    for (int i = 0; i < 40000; ++i)
        text += QStringLiteral("<p>line %1 with a link</p>\r\n").arg(i);
    TSubForm *doc = host.open(QStringLiteral("/w/big.htm"), text);
    form.Find1Click();
    form.Findtxt->setText(QStringLiteral("link"));
    form.HighlightAll->setChecked(true);
    ASSERT_TRUE(form.highlighter().busy());
    host.closeDocument(doc);
    form.highlighter().finish();
    EXPECT_FALSE(form.highlighter().busy());
    EXPECT_EQ(form.highlighter().memo(), nullptr);
    // The window carries on with the document that is current, if any.
    TSubForm *next = host.open(QStringLiteral("/w/next.htm"), QStringLiteral("one link"));
    form.FindBtn->click();
    EXPECT_EQ(next->Memo1->selStart(), 4);
    EXPECT_TRUE(next->Memo1->matchMarkedAt(4));
}
