#include "markup/listdialog.h"

#include "widgets/radiogroup.h"
#include "widgets/spinfield.h"
#include "markup/textformat.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int OrderedItem = 1;
}

TListForm::TListForm(QWidget *parent)
    : FragmentDialog(parent, {})
{
    setWindowTitle(QStringLiteral("List"));

    RadioGroup1 = new RadioGroup(QStringLiteral(" List Type "),
                                 {QStringLiteral("Unordered"), QStringLiteral("Ordered")}, 1, this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setItemIndex(0);
    BullNumbers = new RadioGroup(QStringLiteral(" Bullets "),
                                 {QStringLiteral("disc"), QStringLiteral("square"), QStringLiteral("circle")},
                                 1, this);
    BullNumbers->setObjectName(QStringLiteral("BullNumbers"));
    BullNumbers->setItemIndex(0);
    Bullets = new RadioGroup(QStringLiteral(" Numbers "),
                             {QStringLiteral("1   Arabic Number"), QStringLiteral("a   Lowercase Alphabet"),
                              QStringLiteral("A   Uppercase Alphabet"),
                              QStringLiteral("i    Lowercase Roman Numerals"),
                              QStringLiteral("I   Uppercase Roman Numeral")},
                             1, this);
    Bullets->setObjectName(QStringLiteral("Bullets"));
    Bullets->setItemIndex(0);
    Label1 = new QLabel(QStringLiteral("Start at:"), this);
    SpinEdit1 = new SpinField(this);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setLimits(1, 100);
    SpinEdit1->setFieldValue(1);
    std::tie(SpeedButton1, SpeedButton2) = makeButtons(QStringLiteral("Cancel"), QStringLiteral("Apply"));
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));

    // The two style groups share one place; only one is visible at a time.
    auto *styles = new QGridLayout;
    styles->addWidget(BullNumbers, 0, 0, Qt::AlignTop);
    styles->addWidget(Bullets, 0, 0, Qt::AlignTop);
    auto *start = new QHBoxLayout;
    start->addWidget(Label1);
    start->addWidget(SpinEdit1);
    start->addStretch();
    auto *left = new QVBoxLayout;
    left->addWidget(RadioGroup1);
    left->addLayout(start);
    left->addStretch();
    auto *top = new QHBoxLayout;
    top->addLayout(left);
    top->addLayout(styles, 1);
    auto *main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addLayout(buttonRow());

    // Both groups keep their room while hidden, so the window does not
    // change size when the list kind changes.
    for (RadioGroup *g : {BullNumbers, Bullets}) {
        QSizePolicy policy = g->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        g->setSizePolicy(policy);
    }
    showKind(false);

    connect(RadioGroup1, &RadioGroup::itemClicked, this, &TListForm::RadioGroup1Click);
}

void TListForm::showKind(bool ordered)
{
    BullNumbers->setVisible(!ordered);
    Bullets->setVisible(ordered);
    Label1->setEnabled(ordered);
    SpinEdit1->setEnabled(ordered);
}

void TListForm::RadioGroup1Click()
{
    const bool ordered = RadioGroup1->itemIndex() == OrderedItem;
    showKind(ordered);
    if (ordered)
        SpinEdit1->setFieldValue(1);
}

std::optional<QString> TListForm::buildFragment()
{
    markup::ListValues v;
    v.ordered = RadioGroup1->itemIndex() == OrderedItem;
    v.bullet = static_cast<markup::Bullet>(BullNumbers->itemIndex());
    v.numbering = static_cast<markup::Numbering>(Bullets->itemIndex());
    v.start = SpinEdit1->fieldValue();
    const markup::ListTags tags = markup::listTags(v);
    CloseTag = tags.closeTag;
    return tags.openTag;
}
