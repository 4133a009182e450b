// The writing aids on a real text area: keys typed as a user types them,
// undo as the Edit menu runs it, the engine's own list and marks.
#include "documents/memo.h"
#include "documents/memohooks.h"
#include "htmlaid/htmlaids.h"
#include "htmlaid/htmldata.h"
#include "htmlaid/speller.h"
#include "support/scripteddialogs.h"
#include "support/tempconfig.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

// Texts and lists shown as text when a check fails.
void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
void PrintTo(const QStringList &l, std::ostream *os)
{
    *os << '{' << l.join(QStringLiteral(", ")).toStdString() << '}';
}

using htmlaid::AidOptions;
using htmlaid::AidsHub;
using htmlaid::HtmlAids;

namespace {

class AidsTest : public ::testing::Test {
protected:
    TempConfig cfg;
    ScriptedDialogs dlg;
    bool folderMade = QDir().mkpath(cfg.appFolder());
    AidsHub hub{cfg.appFolder()};
    TMemo memo;
    HtmlAids *aids = nullptr;

    void SetUp() override
    {
        memo.resize(600, 400);
        memo.setHtmlHighlighting(true);
        aids = hub.attach(&memo);
        memo.show();
        memo.setFocus();
        QCoreApplication::processEvents();
    }

    void load(const QString &text, int caret = -1)
    {
        memo.setText(text);
        memo.setSelStart(caret < 0 ? memo.textLength() : caret);
        settle();
    }
    void type(const char *keys)
    {
        QTest::keyClicks(&memo, QString::fromUtf8(keys));
        settle();
    }
    void key(Qt::Key k)
    {
        QTest::keyClick(&memo, k);
        settle();
    }
    static void settle()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
    void options(const std::function<void(AidOptions &)> &change)
    {
        AidOptions o = hub.options();
        change(o);
        hub.setOptions(o);
        settle();
    }
    int caret() const { return aids->hooks()->caret(); }
    // The stretches marked with `mark`, as text.
    QStringList marked(int mark) const
    {
        QStringList out;
        for (const auto &[from, to] : aids->hooks()->marks(mark, 0, memo.textLength()))
            out << memo.text().mid(from, to - from);
        return out;
    }
};

} // namespace

TEST_F(AidsTest, TypingTheEndOfAnOpeningTagAddsItsEndTagAsAnUndoStepOfItsOwn)
{
    load({});
    type("<b>");
    EXPECT_EQ(memo.text(), QStringLiteral("<b></b>"));
    EXPECT_EQ(caret(), 3);
    type("bold");
    EXPECT_EQ(memo.text(), QStringLiteral("<b>bold</b>"));
    // Undo takes the typing back first, then the end tag, then the tag typed.
    memo.undo();
    EXPECT_EQ(memo.text(), QStringLiteral("<b></b>"));
    memo.undo();
    EXPECT_EQ(memo.text(), QStringLiteral("<b>"));
    memo.undo();
    EXPECT_EQ(memo.text(), QString());

    load(QStringLiteral("<p>"), 3);
    type("<BR><img src=\"a.gif\"><x/>");
    EXPECT_EQ(memo.text(), QStringLiteral("<p><BR><img src=\"a.gif\"><x/>"));
    // Already closed after the caret.
    load(QStringLiteral("<i</i>"), 2);
    type(">");
    EXPECT_EQ(memo.text(), QStringLiteral("<i></i>"));
    // Typed in full before the one added, the end tag is not doubled.
    load({});
    type("<i>slanted</i> text");
    EXPECT_EQ(memo.text(), QStringLiteral("<i>slanted</i> text"));
    // Inside a comment nothing is added.
    load(QStringLiteral("<!--  -->"), 5);
    type("<b>");
    EXPECT_EQ(memo.text(), QStringLiteral("<!-- <b> -->"));
}

TEST_F(AidsTest, InsertedTextPlainTextFilesAndTheSwitchBringNoEndTags)
{
    load({});
    // What commands insert stays exactly as given.
    memo.replaceSelection(QStringLiteral("<B>"));
    settle();
    EXPECT_EQ(memo.text(), QStringLiteral("<B>"));
    memo.setHtmlHighlighting(false);   // a plain-text file
    aids->kindChanged();
    load({});
    type("<b>");
    EXPECT_EQ(memo.text(), QStringLiteral("<b>"));
    memo.setHtmlHighlighting(true);
    aids->kindChanged();
    options([](AidOptions &o) { o.autoClose = false; });
    load({});
    type("<b>");
    EXPECT_EQ(memo.text(), QStringLiteral("<b>"));
}

TEST_F(AidsTest, TypingTheStartOfAnEndTagOffersTheOpenElementsInnermostFirst)
{
    load(QStringLiteral("<div class=\"a\"><p>Some <b>text</b> here"));
    type("</");
    EXPECT_TRUE(aids->hooks()->listShown());
    EXPECT_EQ(aids->listEntries(), QStringList({"p", "div"}));
    EXPECT_EQ(aids->hooks()->listCurrent(), QStringLiteral("p"));
    key(Qt::Key_Return);
    EXPECT_FALSE(aids->hooks()->listShown());
    EXPECT_TRUE(memo.text().endsWith(QStringLiteral("here</p>")));
    EXPECT_EQ(caret(), memo.textLength());
    // The list narrows as the name is typed, and goes when nothing fits.
    type("</d");
    EXPECT_EQ(aids->listEntries(), QStringList({"div"}));
    key(Qt::Key_Tab);
    EXPECT_TRUE(memo.text().endsWith(QStringLiteral("</p></div>")));
    type("</x");
    EXPECT_FALSE(aids->hooks()->listShown());
    // One undo takes the chosen name back, leaving what was typed.
    load(QStringLiteral("<em>x"));
    type("</");
    key(Qt::Key_Return);
    EXPECT_EQ(memo.text(), QStringLiteral("<em>x</em>"));
    memo.undo();
    EXPECT_EQ(memo.text(), QStringLiteral("<em>x</"));
}

TEST_F(AidsTest, ElementAttributeAndReferenceListsNarrowAsOneTypes)
{
    load({});
    type("<");
    ASSERT_TRUE(aids->hooks()->listShown());
    EXPECT_EQ(aids->listEntries(), htmlaid::HtmlData::shipped().elements());
    type("t");
    const QStringList t = aids->listEntries();
    EXPECT_TRUE(t.contains(QStringLiteral("table")));
    EXPECT_TRUE(t.contains(QStringLiteral("tr")));
    for (const QString &e : t)
        EXPECT_TRUE(e.startsWith(u't')) << e.toStdString();
    type("ab");
    EXPECT_EQ(aids->listEntries(), QStringList{QStringLiteral("table")});
    key(Qt::Key_Tab);
    EXPECT_EQ(memo.text(), QStringLiteral("<table"));

    // Inside the tag: its attributes, the global ones first.
    type(" ");
    ASSERT_TRUE(aids->hooks()->listShown());
    EXPECT_EQ(aids->listEntries().value(0), QStringLiteral("accesskey"));
    EXPECT_FALSE(aids->listEntries().contains(QStringLiteral("href")));
    type("cl");
    EXPECT_EQ(aids->listEntries(), QStringList{QStringLiteral("class")});
    key(Qt::Key_Return);
    EXPECT_EQ(memo.text(), QStringLiteral("<table class=\"\""));
    EXPECT_EQ(caret(), int(QStringLiteral("<table class=\"").size()));
    // In the value no list comes; after it the attributes again.
    type("a b");
    EXPECT_FALSE(aids->hooks()->listShown());
    key(Qt::Key_End);
    type(" ");
    EXPECT_TRUE(aids->hooks()->listShown());
    key(Qt::Key_Escape);
    EXPECT_FALSE(aids->hooks()->listShown());
    // The '>' still ends the tag with its end tag.
    type(">");
    EXPECT_EQ(memo.text(), QStringLiteral("<table class=\"a b\" ></table>"));

    // References, in their own case; capitals typed offer capitals.
    load(QStringLiteral("caf"));
    type("&eac");
    EXPECT_EQ(aids->listEntries(), QStringList{QStringLiteral("eacute")});
    key(Qt::Key_Return);
    EXPECT_EQ(memo.text(), QStringLiteral("caf&eacute;"));
    load({});
    type("<DI");
    EXPECT_EQ(aids->listEntries(), QStringList({"DIALOG", "DIV"}));
    options([](AidOptions &o) { o.completion = false; });
    load({});
    type("<");
    EXPECT_FALSE(aids->hooks()->listShown());
}

TEST_F(AidsTest, TheMatchingTagIsMarkedAndReachedAcrossTenThousandLines)
{
    QString text = QStringLiteral("<body>\r\n<div id=\"outer\">\r\n");
    for (int n = 0; n < 10000; ++n)
        text += QStringLiteral("<div><p>Line %1 with <b>bold</b> text</p></div>\r\n").arg(n);
    text += QStringLiteral("</div>\r\n</body>\r\n");
    const int open = int(text.indexOf(QStringLiteral("<div id")));
    const int close = int(text.lastIndexOf(QStringLiteral("</div>")));
    load(text, open + 2);
    EXPECT_EQ(marked(htmlaid::kMatchMark), QStringList({"<div id=\"outer\">", "</div>"}));
    EXPECT_TRUE(aids->hooks()->marked(htmlaid::kMatchMark, close + 3));
    ASSERT_TRUE(aids->goToMatchingTag());
    EXPECT_EQ(caret(), close + 2);
    settle();
    ASSERT_TRUE(aids->goToMatchingTag());
    EXPECT_EQ(caret(), open + 1);
    // Away from a tag name: no marks, nowhere to go.
    memo.setSelStart(open + 30);
    settle();
    EXPECT_TRUE(marked(htmlaid::kMatchMark).isEmpty());
    options([](AidOptions &o) { o.matchTags = false; });
    memo.setSelStart(open + 2);
    settle();
    EXPECT_TRUE(marked(htmlaid::kMatchMark).isEmpty());
}

TEST_F(AidsTest, TextIsReadAsWrittenAroundLineBreaks)
{
    // Offsets between a CR and its LF read the LF, as the text has it.
    load(QString::fromUtf8("ab\r\ncafé\r\n\r\nend"));
    const QString text = memo.text();
    for (int from = 0; from <= text.size(); ++from)
        for (int to = from; to <= text.size(); ++to)
            ASSERT_EQ(aids->hooks()->textRange(from, to), text.mid(from, to - from)) << from << " " << to;
}

TEST_F(AidsTest, APartnerBeyondTheScanIsNotLookedFor)
{
    // Over a million characters between the tags: nothing said, nothing moved.
    QString text = QStringLiteral("<div>\r\n");
    const QString line = QStringLiteral("<p>Line with <b>bold</b> text and more text to fill it up</p>\r\n");
    while (text.size() < htmlaid::kPartnerBound + 1000)
        text += line;
    text += QStringLiteral("</div>");
    load(text, 2);
    EXPECT_TRUE(marked(htmlaid::kMatchMark).isEmpty());
    EXPECT_FALSE(aids->goToMatchingTag());
    EXPECT_EQ(caret(), 2);
    // The near pairs still match.
    memo.setSelStart(8);
    settle();
    EXPECT_EQ(marked(htmlaid::kMatchMark), QStringList({"<p>", "</p>"}));
}

TEST_F(AidsTest, MisspeltWordsOfThePageAreSquiggledAndOfferSuggestions)
{
    load(QStringLiteral("<p title=\"Speling\">This is a mispeled word.</p>\r\n"
                        "<!-- wrnog --><script>var abcdefg;</script><style>p { colr: red }</style>\r\n"
                        "<blockquote>Nothing rong</blockquote>"),
         0);
    aids->finishSpelling();
    EXPECT_EQ(marked(htmlaid::kSpellMark), QStringList({"mispeled", "rong"}));

    QMenu menu;
    menu.addAction(QStringLiteral("Undo"));
    const int at = int(memo.text().indexOf(QStringLiteral("mispeled"))) + 2;
    aids->fillContextMenu(at, &menu);
    QStringList captions;
    for (QAction *a : menu.actions())
        captions << a->text();
    ASSERT_TRUE(captions.contains(QStringLiteral("misspelled"))) << captions.join(u',').toStdString();
    const qsizetype add = captions.indexOf(QStringLiteral("Add to Dictionary"));
    ASSERT_GE(add, 1);
    EXPECT_LE(add, 8);
    EXPECT_EQ(captions.last(), QStringLiteral("Undo"));
    // Nothing is offered for a word spelt right or a tag name.
    QMenu right;
    aids->fillContextMenu(int(memo.text().indexOf(QStringLiteral("word"))), &right);
    aids->fillContextMenu(1, &right);
    EXPECT_TRUE(right.actions().isEmpty());

    // A suggestion replaces the word.
    menu.actions().at(int(captions.indexOf(QStringLiteral("misspelled"))))->trigger();
    settle();
    EXPECT_TRUE(memo.text().contains(QStringLiteral("a misspelled word")));
    EXPECT_EQ(marked(htmlaid::kSpellMark), QStringList({"rong"}));
}

TEST_F(AidsTest, AWordAddedToTheDictionaryIsKnownFromThenOn)
{
    load(QStringLiteral("<p>Mivor writes pages</p>"), 0);
    aids->finishSpelling();
    ASSERT_EQ(marked(htmlaid::kSpellMark), QStringList({"Mivor"}));
    QMenu menu;
    aids->fillContextMenu(4, &menu);
    QAction *add = menu.findChild<QAction *>(QStringLiteral("addToDictionary"));
    ASSERT_TRUE(add);
    add->trigger();
    settle();
    aids->finishSpelling();
    EXPECT_TRUE(dlg.messages.isEmpty());
    EXPECT_TRUE(marked(htmlaid::kSpellMark).isEmpty());
    EXPECT_TRUE(TempConfig::read(cfg.appFolder() + QLatin1String(htmlaid::kPersonalWordsName)).contains("Mivor"));
}

TEST_F(AidsTest, PlainTextIsCheckedOnlyWhenChosenAndTheSwitchClearsTheMarks)
{
    memo.setHtmlHighlighting(false);
    aids->kindChanged();
    load(QStringLiteral("A mispeled line"), 0);
    aids->finishSpelling();
    EXPECT_TRUE(marked(htmlaid::kSpellMark).isEmpty());
    options([](AidOptions &o) { o.spellPlainText = true; });
    aids->finishSpelling();
    EXPECT_EQ(marked(htmlaid::kSpellMark), QStringList({"mispeled"}));
    options([](AidOptions &o) { o.spelling = false; });
    EXPECT_TRUE(marked(htmlaid::kSpellMark).isEmpty());
}

TEST_F(AidsTest, TypingChecksTheWordsOnScreenAndTheRestInTheBackground)
{
    QString text;
    for (int n = 0; n < 3000; ++n)
        text += QStringLiteral("<p>Line of good words</p>\r\n");
    text += QStringLiteral("<p>A wrnog word far below</p>\r\n");
    load(text, 0);
    settle();
    // The screen is checked at once; the far line only by the pass.
    EXPECT_TRUE(aids->spellingPending());
    aids->finishSpelling();
    EXPECT_EQ(marked(htmlaid::kSpellMark), QStringList({"wrnog"}));
    // A word typed on screen is marked once typed, without the pass.
    memo.setSelStart(3);
    type("Teh ");
    EXPECT_EQ(marked(htmlaid::kSpellMark), QStringList({"Teh", "wrnog"}));
    // Opening a comment before the far line changes where it stands.
    memo.setSelStart(int(memo.text().indexOf(QStringLiteral("<p>A wrnog"))));
    type("<!-- ");
    aids->finishSpelling();
    EXPECT_EQ(marked(htmlaid::kSpellMark), QStringList({"Teh"}));
}

TEST_F(AidsTest, TheRightClickMenuOfAMisspeltWordHoldsItsSuggestions)
{
    load(QStringLiteral("<p>A mispeled word</p>"), 0);
    aids->finishSpelling();
    const int at = int(memo.text().indexOf(QStringLiteral("mispeled"))) + 3;
    memo.setSelStart(at);
    settle();
    QStringList captions;
    QTimer::singleShot(0, [&] {
        if (auto *m = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            for (QAction *a : m->actions())
                captions << a->text();
            m->close();
        }
    });
    QWidget *view = memo.viewport();
    QContextMenuEvent e(QContextMenuEvent::Keyboard, memo.cursorRect().center(), view->mapToGlobal(memo.cursorRect().center()));
    QApplication::sendEvent(view, &e);
    EXPECT_TRUE(captions.contains(QStringLiteral("misspelled"))) << captions.join(u',').toStdString();
    EXPECT_TRUE(captions.contains(QStringLiteral("Add to Dictionary")));
    // The engine's own entries stay.
    EXPECT_TRUE(captions.contains(QStringLiteral("&Copy")) || captions.contains(QStringLiteral("Copy")))
        << captions.join(u',').toStdString();
}
