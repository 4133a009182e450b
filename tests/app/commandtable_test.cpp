#include "mainwindowtestbase.h"

#include "app/commandtable.h"
#include "widgets/colourswatch.h"

#include <QMenu>
#include <QMenuBar>
#include <QSet>

using commands::Command;
using commands::Id;

namespace {

// The menu that shows an action (a top-level menu's action sits in the bar).
QMenu *menuOf(QAction *a)
{
    for (QObject *o : a->associatedObjects())
        if (auto *m = qobject_cast<QMenu *>(o))
            return m;
    return nullptr;
}

// The caption of the submenu row that opens a menu.
QString captionOfMenu(commands::Menu menu)
{
    for (const Command &c : commands::table())
        if (c.kind == commands::Kind::Submenu && c.opens == menu)
            return c.caption;
    return {};
}

} // namespace

TEST(CommandTable, EveryIdFindsItsOwnRowAndEveryObjectNameIsUnique)
{
    QSet<QString> names;
    for (const Command &c : commands::table()) {
        EXPECT_EQ(commands::command(c.id).name, c.name) << c.caption.toStdString();
        EXPECT_EQ(commands::command(c.id).button, c.button) << c.caption.toStdString();
        for (const QString &n : {c.name, c.button}) {
            if (n.isEmpty())
                continue;
            EXPECT_FALSE(names.contains(n)) << "twice: " << n.toStdString();
            names.insert(n);
            EXPECT_EQ(commands::byName(n), &c) << n.toStdString();
        }
    }
    EXPECT_EQ(commands::byName(QStringLiteral("NoSuchCommand")), nullptr);
    EXPECT_EQ(commands::byName(QString()), nullptr);
}

TEST(CommandTable, EveryTagCommandHasExactlyOneRowAndSubmenusComeBeforeTheirEntries)
{
    QList<markup::TagCommandId> tags;
    QSet<commands::Menu> opened{commands::Menu::None};
    for (const Command &c : commands::table()) {
        if (c.tag)
            tags << *c.tag;
        EXPECT_TRUE(opened.contains(c.menu)) << c.caption.toStdString() << " before its menu";
        if (c.kind == commands::Kind::Submenu)
            opened.insert(c.opens);
    }
    EXPECT_EQ(tags.size(), markup::tagCommands().size());
    for (const markup::TagCommand &t : markup::tagCommands())
        EXPECT_EQ(tags.count(t.id), 1);
}

TEST_F(MainWindowTest, MenusAndButtonsAreBuiltAsTheTableSays)
{
    for (const Command &c : commands::table()) {
        const std::string row = (c.name.isEmpty() ? c.button : c.name).toStdString();
        if (!c.name.isEmpty()) {
            QAction *a = w->action(c.id);
            ASSERT_NE(a, nullptr) << row;
            EXPECT_EQ(a, w->action(c.name)) << row;
            EXPECT_EQ(a->isEnabled(), c.enabling == commands::Enabling::Always) << row;
            if (c.kind == commands::Kind::Submenu) {
                ASSERT_NE(a->menu(), nullptr) << row;
                EXPECT_EQ(a->menu()->title(), c.caption) << row;
            } else {
                EXPECT_EQ(a->text(), c.shortcutShownOnly ? c.caption + '\t' + c.shortcut : c.caption) << row;
                EXPECT_EQ(a->shortcut(), c.shortcutShownOnly ? QKeySequence() : QKeySequence(c.shortcut)) << row;
                EXPECT_EQ(a->isCheckable(), c.kind != commands::Kind::Entry) << row;
                // A Check entry's mark follows the program's state from start-up on.
                if (c.kind == commands::Kind::Toggle) {
                    EXPECT_EQ(a->isChecked(), c.checked) << row;
                }
            }
            if (c.menu != commands::Menu::None) {
                QMenu *parent = menuOf(a);
                ASSERT_NE(parent, nullptr) << row;
                EXPECT_EQ(parent->title(), captionOfMenu(c.menu)) << row;
            }
        }
        if (!c.button.isEmpty() && c.id != Id::ColourSwatch) {
            QToolButton *b = w->button(c.id);
            ASSERT_NE(b, nullptr) << row;
            EXPECT_EQ(b->objectName(), c.button);
            EXPECT_EQ(b->toolTip(), c.hint) << row;
            EXPECT_EQ(b->geometry(), QRect(c.x, c.y, c.width, 33)) << row;
            EXPECT_EQ(b->text(), c.face) << row;
            EXPECT_EQ(b->isCheckable(), c.buttonStyle != commands::ButtonStyle::Plain) << row;
            EXPECT_EQ(b->isEnabled(), c.enabling == commands::Enabling::Always) << row;
        }
    }
    EXPECT_EQ(w->markupCommands().colourSwatch()->toolTip(), commands::command(Id::ColourSwatch).hint);
}

// Each command entry and button runs exactly one handler: a row bound twice
// would run its command twice, one never bound would do nothing.
TEST_F(MainWindowTest, EveryCommandRowIsBoundToExactlyOneOwner)
{
    for (const Command &c : commands::table()) {
        const std::string row = (c.name.isEmpty() ? c.button : c.name).toStdString();
        const bool runs = c.kind != commands::Kind::Submenu && c.id != Id::ColourSwatch;
        EXPECT_EQ(w->commandState().bindings(c.id), runs ? 1 : 0) << row;
    }
}

TEST_F(MainWindowTest, TagCommandsCarryTheirCaptionsKeysAndHints)
{
    EXPECT_EQ(w->action(Id::Bold)->text(), "<B> &Bold");
    EXPECT_EQ(w->action(Id::Bold)->shortcut(), QKeySequence(QStringLiteral("Ctrl+B")));
    EXPECT_EQ(w->button(Id::Bold)->toolTip(), "insert bold");
    EXPECT_EQ(w->button(Id::Centre)->text(), "<C>");
    EXPECT_EQ(w->button(Id::Centre)->toolTip(), "<CENTER>");
    EXPECT_EQ(w->action(Id::Centre)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+C")));
    EXPECT_EQ(w->button(Id::Blockquote), nullptr);
    EXPECT_EQ(w->action(Id::Blockquote)->text(), "<BLOCK&QUOTE>");
    EXPECT_EQ(w->action(Id::Blockquote)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Alt+B")));
    EXPECT_EQ(w->action(Id::NewLine)->text(), "<BR> New Line");
    EXPECT_EQ(w->button(Id::NewLine)->toolTip(), "insert linespace <br>");
    EXPECT_EQ(menuOf(w->action(Id::NewLine))->title(), "&Insert");
    EXPECT_EQ(w->action(Id::Space)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Space")));
    EXPECT_EQ(w->action(Id::ListItem)->text(), "List I&tem");
}

TEST_F(MainWindowTest, MenuEntryAndButtonOfATagCommandInsertTheSameFragment)
{
    w->documentCommands().New1Click();
    w->action(Id::Bold)->trigger();
    w->button(Id::Bold)->click();
    w->action(Id::NewLine)->trigger();
    w->button(Id::Space)->click();
    // The second pair lands between the tags of the first.
    EXPECT_EQ(memo().text(), "<B><B><BR>&nbsp;</B></B>");
}
