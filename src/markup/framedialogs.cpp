#include "markup/framedialogs.h"

#include "markup/framescript.h"
#include "widgets/radiogroup.h"
#include "widgets/spinfield.h"
#include "widgets/windowplacing.h"

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

QPushButton *creamButton(const QString &text, QWidget *parent)
{
    QPushButton *b = dialogButton(text, parent);
    QFont f = b->font();
    f.setBold(true);
    b->setFont(f);
    QPalette pal = b->palette();
    pal.setColor(QPalette::Button, cream);
    pal.setColor(QPalette::ButtonText, Qt::black);
    b->setPalette(pal);
    return b;
}

QHBoxLayout *buttonRow(QPushButton *cancel, QPushButton *apply)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(cancel);
    row->addWidget(apply);
    return row;
}
}

TFrameset::TFrameset(QWidget *parent)
    : QDialog(parent, Qt::Tool)
{
    setWindowTitle(QStringLiteral("Frameset"));
    paintFrameColours(this);
    StaticText1 = creamLabel(QStringLiteral("Rows:"), this);
    Edit1 = new QLineEdit(this);
    StaticText2 = creamLabel(QStringLiteral("Columns"), this);
    Edit2 = new QLineEdit(this);
    SpeedButton1 = creamButton(QStringLiteral("Cancel"), this);
    SpeedButton2 = creamButton(QStringLiteral("Apply"), this);

    auto *grid = new QGridLayout;
    grid->addWidget(StaticText1, 0, 0);
    grid->addWidget(Edit1, 0, 1);
    grid->addWidget(StaticText2, 1, 0);
    grid->addWidget(Edit2, 1, 1);
    grid->setColumnMinimumWidth(1, 160);
    auto *main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addLayout(buttonRow(SpeedButton1, SpeedButton2));

    connect(SpeedButton1, &QPushButton::clicked, this, &TFrameset::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TFrameset::SpeedButton2Click);
}

void TFrameset::showEvent(QShowEvent *event)
{
    centreOnOwner(this);
    QDialog::showEvent(event);
}

void TFrameset::SpeedButton1Click()
{
    FragmentText.clear();
    reject();
}

void TFrameset::SpeedButton2Click()
{
    FragmentText = markup::frameset({Edit1->text(), Edit2->text()});
    accept();
}

TFramez::TFramez(QWidget *parent)
    : QDialog(parent, Qt::Tool)
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
    SpeedButton1 = creamButton(QStringLiteral("&Cancel"), this);
    SpeedButton2 = creamButton(QStringLiteral("&Apply"), this);

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
    main->addLayout(buttonRow(SpeedButton1, SpeedButton2));

    connect(SpeedButton1, &QPushButton::clicked, this, &TFramez::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TFramez::SpeedButton2Click);
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
    FormShow();
    centreOnOwner(this);
    QDialog::showEvent(event);
    if (!shownBefore_) {
        shownBefore_ = true;
        bord->setFocus();
    }
}

void TFramez::SpeedButton1Click()
{
    FragmentText.clear();
    reject();
}

void TFramez::SpeedButton2Click()
{
    markup::FrameValues v;
    v.name = Edit1->text();
    v.source = Edit2->text();
    v.noResize = CheckBox1->isChecked();
    v.scrolling = static_cast<markup::Scrolling>(RG1->itemIndex());
    v.marginWidth = marg1->fieldValue();
    v.marginHeight = marg2->fieldValue();
    v.border = bord->fieldValue();
    FragmentText = markup::frame(v);
    accept();
}
