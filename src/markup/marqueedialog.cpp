#include "markup/marqueedialog.h"

#include "widgets/colourswatch.h"
#include "markup/fontdialog.h"
#include "markup/linkmedia.h"
#include "widgets/radiogroup.h"
#include "widgets/spinfield.h"
#include "widgets/windowplacing.h"
#include "platform/focusreturn.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int PercentItem = 0;

SpinField *spin(QWidget *parent, const char *name, int min, int max)
{
    auto *s = new SpinField(parent);
    s->setObjectName(QString::fromLatin1(name));
    s->setLimits(min, max);
    return s;
}
}

Tmarqueebox::Tmarqueebox(THtmlFont *fontDialog, QWidget *parent)
    : FragmentDialog(parent, Qt::Tool), fontDialog_(fontDialog)
{
    setWindowTitle(QStringLiteral("Marquee"));

    Label5 = new QLabel(QStringLiteral("Text:"), this);
    marqtext = new QLineEdit(this);
    marqtext->setObjectName(QStringLiteral("marqtext"));
    Label3 = new QLabel(QStringLiteral("Loop:"), this);
    loopspin = spin(this, "loopspin", 0, 0);
    Label4 = new QLabel(QStringLiteral("BG Color"), this);
    BGCheck = new QCheckBox(this);
    BGCheck->setObjectName(QStringLiteral("BGCheck"));
    Shape1 = new ColourSwatch(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    // Enabled at first; from the first change of the tick on it follows it.
    connect(BGCheck, &QCheckBox::toggled, Shape1, &QWidget::setEnabled);
    Direction = new RadioGroup(QStringLiteral(" Direction "),
                               {QStringLiteral("Left"), QStringLiteral("Right"), QStringLiteral("Up"),
                                QStringLiteral("Down")},
                               1, this);
    Behaviour = new RadioGroup(QStringLiteral(" Behaviour "),
                               {QStringLiteral("slide"), QStringLiteral("scroll"), QStringLiteral("alternate")},
                               1, this);
    wide = new RadioGroup(QStringLiteral(" Width "), {QStringLiteral("%"), QStringLiteral("Pixels")}, 2, this);
    widespin = spin(this, "widespin", 0, 1000);
    high = new RadioGroup(QStringLiteral(" Height "), {QStringLiteral("%"), QStringLiteral("Pixels")}, 2, this);
    highspin = spin(this, "highspin", 0, 1000);
    Label2 = new QLabel(QStringLiteral("Title:"), this);
    Marqtitle = new QLineEdit(this);
    Label6 = new QLabel(QStringLiteral("Scroll Amount"), this);
    scrollA = spin(this, "scrollA", 1, 1000);
    Label7 = new QLabel(QStringLiteral("Scroll Delay"), this);
    scrollD = spin(this, "scrollD", 1, 1000);
    FontBtn = dialogButton(QStringLiteral("Font"), this);
    std::tie(SpeedButton2, SpeedButton1) = makeButtons(QStringLiteral("&Cancel"), QStringLiteral("Apply"));

    auto *text = new QGridLayout;
    text->addWidget(Label5, 0, 0);
    text->addWidget(marqtext, 0, 1, 1, 4);
    text->addWidget(Label2, 1, 0);
    text->addWidget(Marqtitle, 1, 1, 1, 4);
    text->addWidget(Label3, 2, 0);
    text->addWidget(loopspin, 2, 1);
    text->addWidget(Label4, 2, 2, Qt::AlignRight);
    text->addWidget(BGCheck, 2, 3);
    text->addWidget(Shape1, 2, 4, Qt::AlignLeft);
    text->setColumnStretch(4, 1);

    auto *sizes = new QGridLayout;
    sizes->addWidget(wide, 0, 0);
    sizes->addWidget(widespin, 0, 1, Qt::AlignBottom);
    sizes->addWidget(high, 1, 0);
    sizes->addWidget(highspin, 1, 1, Qt::AlignBottom);
    sizes->addWidget(Label6, 2, 0);
    sizes->addWidget(scrollA, 2, 1);
    sizes->addWidget(Label7, 3, 0);
    sizes->addWidget(scrollD, 3, 1);

    auto *groups = new QHBoxLayout;
    groups->addWidget(Direction, 0, Qt::AlignTop);
    groups->addWidget(Behaviour, 0, Qt::AlignTop);
    groups->addLayout(sizes);

    QHBoxLayout *buttons = buttonRow();
    buttons->insertWidget(0, FontBtn);
    auto *main = new QVBoxLayout(this);
    main->addLayout(text);
    main->addLayout(groups);
    main->addLayout(buttons);

    connect(FontBtn, &QPushButton::clicked, this, &Tmarqueebox::FontBtnClick);
    FormShow();
}

void Tmarqueebox::FormShow()
{
    FontTag.clear();
    marqtext->setText(selection_);
    loopspin->setFieldValue(0);
    Direction->setItemIndex(-1);
    Behaviour->setItemIndex(-1);
    wide->setItemIndex(PercentItem);
    widespin->setFieldValue(100);
    high->setItemIndex(PercentItem);
    highspin->setFieldValue(10);
    Marqtitle->clear();
    scrollA->setFieldValue(10);
    scrollD->setFieldValue(10);
}

void Tmarqueebox::FontBtnClick()
{
    if (!fontDialog_)
        return;
    FontDialogClosed(execReturningFocus(fontDialog_, this));
}

void Tmarqueebox::FontDialogClosed(int result)
{
    if (fontDialog_ && result == QDialog::Accepted && !fontDialog_->FragmentText.isEmpty())
        FontTag = fontDialog_->FragmentText;
}

std::optional<QString> Tmarqueebox::buildFragment()
{
    markup::MarqueeValues v;
    v.fontTag = FontTag;
    v.text = marqtext->text();
    v.loops = loopspin->fieldValue();
    v.useBackground = BGCheck->isChecked();
    v.background = Shape1->fill();
    v.direction = static_cast<markup::MarqueeDirection>(Direction->itemIndex());
    v.behaviour = static_cast<markup::MarqueeBehaviour>(Behaviour->itemIndex());
    v.widthPercent = wide->itemIndex() == PercentItem;
    v.width = widespin->fieldValue();
    v.heightPercent = high->itemIndex() == PercentItem;
    v.height = highspin->fieldValue();
    v.title = Marqtitle->text();
    v.scrollAmount = scrollA->fieldValue();
    v.scrollDelay = scrollD->fieldValue();
    return markup::marquee(v);
}
