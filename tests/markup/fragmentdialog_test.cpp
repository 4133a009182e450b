// What every tag dialog gets from the frame they share, checked on each of
// them: a dialog that lays out its own buttons or placement would differ here.
#include "markup/anchordialog.h"
#include "markup/emaildialog.h"
#include "markup/fontdialog.h"
#include "markup/framedialogs.h"
#include "markup/headlinedialog.h"
#include "markup/hrlinedialog.h"
#include "markup/listdialog.h"
#include "markup/marqueedialog.h"
#include "markup/paragraphdialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {
struct Owned {
    QWidget owner;
    THtmlFont *font;
    std::vector<FragmentDialog *> dialogs;

    Owned()
    {
        owner.setGeometry(120, 90, 860, 640);
        owner.show();
        font = new THtmlFont(&owner);
        dialogs = {new TParabox(&owner),  font,
                   new THeadline(&owner), new THrLineBox(&owner),
                   new TListForm(&owner), new TAnchorBox(&owner),
                   new TemailBox(&owner), new Tmarqueebox(font, &owner),
                   new TFrameset(&owner), new TFramez(&owner)};
    }
};

QString name(const QWidget *w)
{
    return QString::fromLatin1(w->metaObject()->className());
}

// The controls Tab stops at, in order.
QStringList tabStops(QWidget *window)
{
    QStringList stops;
    for (QWidget *w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
            const auto *b = qobject_cast<QPushButton *>(w);
            stops << (b ? QString(b->text()).remove(QLatin1Char('&')) : name(w));
        }
    }
    return stops;
}
}

TEST(FragmentDialogFrame, CancelAndApplyAreTheLastTabStops)
{
    Owned o;
    for (FragmentDialog *d : o.dialogs) {
        SCOPED_TRACE(name(d).toStdString());
        d->show();
        const QStringList stops = tabStops(d);
        ASSERT_GE(stops.size(), 3);
        EXPECT_EQ(stops.mid(stops.size() - 2), QStringList({"Cancel", "Apply"}));
        d->hide();
    }
}

TEST(FragmentDialogFrame, EveryOpeningIsCentredOverTheOwner)
{
    Owned o;
    for (FragmentDialog *d : o.dialogs) {
        SCOPED_TRACE(name(d).toStdString());
        for (int opening = 0; opening < 2; ++opening) {
            d->show();
            const QPoint off = d->geometry().center() - o.owner.geometry().center();
            EXPECT_LE(off.manhattanLength(), 2);
            d->hide();
            // Moved away by the user; the next opening comes back over the owner.
            d->move(0, 0);
        }
    }
}

TEST(FragmentDialogFrame, EnterInATextFieldDoesNotApply)
{
    Owned o;
    int checked = 0;
    for (FragmentDialog *d : o.dialogs) {
        QLineEdit *field = d->findChild<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly);
        if (!field)
            continue;
        SCOPED_TRACE(name(d).toStdString());
        d->show();
        field->setText(QStringLiteral("x"));
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_TRUE(d->isVisible());
        EXPECT_TRUE(d->FragmentText.isEmpty());
        d->hide();
        ++checked;
    }
    EXPECT_EQ(checked, 6);
}
