#include "markup/framedialogs.h"

#include "markup/framescript.h"
#include "widgets/radiogroup.h"
#include "widgets/spinfield.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QColor desktop(0x3A, 0x6E, 0xA5);
const QColor cream(0xFF, 0xFB, 0xF0);

// The desktop background; the captions alone turn cream, so fields and
// their arrows keep the colours they are drawn legibly in.
void paintFrameColours(QDialog *d)
{
    d->setAutoFillBackground(true);
    QPalette pal = d->palette();
    pal.setColor(QPalette::Window, desktop);
    d->setPalette(pal);
}

void creamCaption(QWidget *w)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, cream);
    w->setPalette(pal);
    QFont f = w->font();
    f.setBold(true);
    w->setFont(f);
}

QLabel *creamLabel(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    creamCaption(l);
    return l;
}

std::pair<QPushButton *, QPushButton *> creamButtons(std::pair<QPushButton *, QPushButton *> buttons)
{
    for (QPushButton *b : {buttons.first, buttons.second}) {
        QFont f = b->font();
        f.setBold(true);
        b->setFont(f);
        QPalette pal = b->palette();
        pal.setColor(QPalette::Button, cream);
        pal.setColor(QPalette::ButtonText, Qt::black);
        b->setPalette(pal);
    }
    return buttons;
}
}

// Rows and columns are kept from one use to the next, and so is the result.
TFrameset::TFrameset(QWidget *parent)
    : FragmentDialog(parent, Qt::Tool, Opening::KeepResult)
{
    setWindowTitle(QStringLiteral("Frameset"));
    paintFrameColours(this);
    StaticText1 = creamLabel(QStringLiteral("Rows:"), this);
    Edit1 = new QLineEdit(this);
    StaticText2 = creamLabel(QStringLiteral("Columns"), this);
    Edit2 = new QLineEdit(this);
    std::tie(SpeedButton1, SpeedButton2) =
        creamButtons(makeButtons(QStringLiteral("Cancel"), QStringLiteral("Apply")));

    auto *grid = new QGridLayout;
    grid->addWidget(StaticText1, 0, 0);
    grid->addWidget(Edit1, 0, 1);
    grid->addWidget(StaticText2, 1, 0);
    grid->addWidget(Edit2, 1, 1);
    grid->setColumnMinimumWidth(1, 160);
    auto *main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addLayout(buttonRow());
}

std::optional<QString> TFrameset::buildFragment()
{
    return markup::frameset({Edit1->text(), Edit2->text()});
}

// Every opening resets the controls but leaves the last result until Cancel
// or Apply.
TFramez::TFramez(QWidget *parent)
    : FragmentDialog(parent, Qt::Tool, Opening::KeepResult)
{
    setWindowTitle(QStringLiteral("Frames"));
    paintFrameColours(this);
    StaticText1 = creamLabel(QStringLiteral("Name"), this);
    Edit1 = new QLineEdit(this);
    StaticText2 = creamLabel(QStringLiteral("Source:"), this);
    Edit2 = new QLineEdit(this);
    CheckBox1 = new QCheckBox(QStringLiteral("Noresize"), this);
    CheckBox1->setLayoutDirection(Qt::RightToLeft);   // caption on the left
    creamCaption(CheckBox1);
    RG1 = new RadioGroup(QStringLiteral(" Scrolling "),
                         {QStringLiteral("Auto"), QStringLiteral("Yes"), QStringLiteral("No")}, 3, this);
    creamCaption(RG1);
    StaticText3 = creamLabel(QStringLiteral("Margin Width"), this);
    marg1 = new SpinField(this);
    marg1->setLimits(0, 0);
    StaticText4 = creamLabel(QStringLiteral("Margin Height"), this);
    marg2 = new SpinField(this);
    marg2->setLimits(0, 0);
    StaticText5 = creamLabel(QStringLiteral("Frame Border"), this);
    bord = new SpinField(this);
    bord->setLimits(0, 1);
    std::tie(SpeedButton1, SpeedButton2) =
        creamButtons(makeButtons(QStringLiteral("&Cancel"), QStringLiteral("&Apply")));

    auto *grid = new QGridLayout;
    grid->addWidget(StaticText1, 0, 0);
    grid->addWidget(Edit1, 0, 1, 1, 3);
    grid->addWidget(StaticText2, 1, 0);
    grid->addWidget(Edit2, 1, 1, 1, 3);
    grid->addWidget(StaticText3, 2, 0);
    grid->addWidget(marg1, 2, 1);
    grid->addWidget(StaticText4, 2, 2);
    grid->addWidget(marg2, 2, 3);
    grid->addWidget(StaticText5, 3, 0);
    grid->addWidget(bord, 3, 1);
    grid->addWidget(CheckBox1, 3, 2, 1, 2, Qt::AlignLeft);
    auto *main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addWidget(RG1);
    main->addLayout(buttonRow());
}

void TFramez::FormShow()
{
    Edit1->clear();
    Edit2->clear();
    CheckBox1->setChecked(false);
    RG1->setItemIndex(0);
    marg1->setFieldValue(0);
    marg2->setFieldValue(0);
    bord->setFieldValue(0);
}

void TFramez::showEvent(QShowEvent *event)
{
    FragmentDialog::showEvent(event);
    if (!shownBefore_) {
        shownBefore_ = true;
        bord->setFocus();
    }
}

std::optional<QString> TFramez::buildFragment()
{
    markup::FrameValues v;
    v.name = Edit1->text();
    v.source = Edit2->text();
    v.noResize = CheckBox1->isChecked();
    v.scrolling = static_cast<markup::Scrolling>(RG1->itemIndex());
    v.marginWidth = marg1->fieldValue();
    v.marginHeight = marg2->fieldValue();
    v.border = bord->fieldValue();
    return markup::frame(v);
}
