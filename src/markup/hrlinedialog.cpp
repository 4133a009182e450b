#include "markup/hrlinedialog.h"

#include "widgets/colourswatch.h"
#include "widgets/radiogroup.h"
#include "widgets/spinfield.h"
#include "markup/textformat.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int PercentItem = 0;
}

THrLineBox::THrLineBox(QWidget *parent)
    : FragmentDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(QStringLiteral("Set HR Line"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(pal);

    RadioGroup1 = new RadioGroup(QStringLiteral(" Width "), {QStringLiteral("%"), QStringLiteral("Pixels")},
                                 1, this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setItemIndex(PercentItem);
    SpinEdit1 = new SpinField(this);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setLimits(0, 1000);
    SpinEdit1->setFieldValue(100);
    Label1 = new QLabel(QStringLiteral("Height"), this);
    SpinEdit2 = new SpinField(this);
    SpinEdit2->setObjectName(QStringLiteral("SpinEdit2"));
    SpinEdit2->setLimits(0, 100);
    SpinEdit2->setFieldValue(1);
    Label2 = new QLabel(QStringLiteral("Colour"), this);
    CheckBox1 = new QCheckBox(this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    Shape1 = new ColourSwatch(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->followCheckBox(CheckBox1);
    RadioGroup2 = new RadioGroup(QStringLiteral(" Alignment "),
                                 {QStringLiteral("Centre (default)"), QStringLiteral("Left"),
                                  QStringLiteral("Right")},
                                 1, this);
    RadioGroup2->setObjectName(QStringLiteral("RadioGroup2"));
    RadioGroup2->setItemIndex(0);
    std::tie(CancelBtn, ApplyBtn) = makeButtons(QStringLiteral("&Cancel"), QStringLiteral("&Apply"));
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    ApplyBtn->setObjectName(QStringLiteral("ApplyBtn"));

    auto *width = new QHBoxLayout;
    width->addWidget(RadioGroup1);
    width->addWidget(SpinEdit1, 0, Qt::AlignBottom);
    auto *details = new QGridLayout;
    details->addWidget(Label1, 0, 0);
    details->addWidget(SpinEdit2, 0, 1, 1, 2, Qt::AlignLeft);
    details->addWidget(Label2, 1, 0);
    details->addWidget(CheckBox1, 1, 1);
    details->addWidget(Shape1, 1, 2, Qt::AlignLeft);
    details->setColumnStretch(2, 1);
    auto *left = new QVBoxLayout;
    left->addLayout(width);
    left->addLayout(details);
    left->addStretch();
    auto *top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(RadioGroup2, 0, Qt::AlignTop);
    auto *main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addLayout(buttonRow());
    main->setSizeConstraint(QLayout::SetFixedSize);

    connect(RadioGroup1, &RadioGroup::itemClicked, this, &THrLineBox::RadioGroup1Click);
}

void THrLineBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        apply();
        return;
    }
    QDialog::keyPressEvent(event);
}

void THrLineBox::RadioGroup1Click()
{
    if (RadioGroup1->itemIndex() == PercentItem) {
        SpinEdit1->setLimits(0, 100);
        SpinEdit1->setFieldValue(100);
    } else {
        SpinEdit1->setLimits(0, 1000);
    }
}

std::optional<QString> THrLineBox::buildFragment()
{
    markup::RuleValues v;
    v.percent = RadioGroup1->itemIndex() == PercentItem;
    v.width = SpinEdit1->fieldValue();
    v.height = SpinEdit2->fieldValue();
    v.useColour = CheckBox1->isChecked();
    v.colour = Shape1->fill();
    v.align = static_cast<markup::RuleAlign>(RadioGroup2->itemIndex());
    return markup::ruleTag(v);
}
