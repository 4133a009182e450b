#include "platform/dialogs.h"
#include "platform/qtdialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

TEST(QtNameFilters, PipePairsBecomeQtFiltersWithBlankSeparatedPatterns)
{
    const QStringList f = qtNameFilters(
        QStringLiteral("HTML (*.htm, *.html)|*.htm;*html|TEXT (*.txt)|*.txt|All files (*.*)|*.*"));
    ASSERT_EQ(f.size(), 3);
    EXPECT_EQ(f[0], QStringLiteral("HTML (*.htm, *.html) (*.htm *html)"));
    EXPECT_EQ(f[1], QStringLiteral("TEXT (*.txt) (*.txt)"));
    EXPECT_EQ(f[2], QStringLiteral("All files (*.*) (*.*)"));
}

TEST(QtNameFilters, OddTrailingDescriptionIsDropped)
{
    EXPECT_EQ(qtNameFilters(QStringLiteral("Text *.txt|*.txt|Dangling")).size(), 1);
    EXPECT_TRUE(qtNameFilters(QString()).isEmpty());
}

// The real boxes, read back while they are open: each shows its text exactly
// as given, never as markup, with the icon of its kind.
struct ShownBox {
    bool seen = false;
    Qt::TextFormat format = Qt::AutoText;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Reads the next box that opens into `shown`, then presses `press` on it.
static void readNextBox(ShownBox &shown, QMessageBox::StandardButton press)
{
    QTimer::singleShot(0, [&shown, press] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        shown = {true, box->textFormat(), box->text(), box->icon()};
        box->button(press)->click();
    });
}

TEST(QtDialogsBoxes, TextIsShownLiterallyWithTheIconOfItsKind)
{
    QtDialogs qt;
    Dialogs &real = qt;   // called as the program calls it
    QWidget parent;
    parent.show();

    ShownBox notice;
    readNextBox(notice, QMessageBox::Ok);
    real.message(QStringLiteral("No <HEAD> found in html file"), &parent);
    ASSERT_TRUE(notice.seen);
    EXPECT_EQ(notice.format, Qt::PlainText);
    EXPECT_EQ(notice.text, QStringLiteral("No <HEAD> found in html file"));
    EXPECT_EQ(notice.icon, QMessageBox::Information);

    ShownBox error;
    readNextBox(error, QMessageBox::Ok);
    real.error(QStringLiteral("Cannot open file /tmp/a &amp; <b>.htm"), &parent);
    ASSERT_TRUE(error.seen);
    EXPECT_EQ(error.format, Qt::PlainText);
    EXPECT_EQ(error.text, QStringLiteral("Cannot open file /tmp/a &amp; <b>.htm"));
    EXPECT_EQ(error.icon, QMessageBox::Critical);

    ShownBox question;
    readNextBox(question, QMessageBox::No);
    EXPECT_EQ(real.askYesNoCancel(QStringLiteral("File <x>.htm has changed."), &parent), Answer::No);
    ASSERT_TRUE(question.seen);
    EXPECT_EQ(question.format, Qt::PlainText);
    EXPECT_EQ(question.text, QStringLiteral("File <x>.htm has changed."));
    EXPECT_EQ(question.icon, QMessageBox::Question);
}

// The input box as the program shows it: wide enough that a window manager
// can show its whole title beside the title bar's icon and buttons, and it
// gives back what was typed, or nothing when cancelled.
TEST(QtDialogsInput, TheTitleHasRoomAndTheTypedTextComesBack)
{
    QtDialogs qt;
    Dialogs &real = qt;
    QWidget parent;
    parent.resize(800, 600);
    parent.show();
    const QString title = QStringLiteral("Create New Folder");

    int width = 0;
    QString prompt;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        if (!box)
            return;
        width = box->width();
        prompt = box->labelText();
        box->setTextValue(QStringLiteral("img"));
        box->accept();
    });
    EXPECT_EQ(real.inputText(title, QStringLiteral("Enter Folder Name"), QString(), &parent),
              std::optional<QString>(QStringLiteral("img")));
    EXPECT_EQ(prompt, QStringLiteral("Enter Folder Name"));
    QFont bold = QApplication::font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    // Icon, three buttons and the space between them: several text heights.
    EXPECT_GE(width, metrics.horizontalAdvance(title) + 6 * metrics.height());

    QTimer::singleShot(0, [] {
        if (auto *box = qobject_cast<QInputDialog *>(QApplication::activeModalWidget()))
            box->reject();
    });
    EXPECT_EQ(real.inputText(title, QStringLiteral("Enter Folder Name"), QStringLiteral("x"), &parent), std::nullopt);
}
