#include "markup/headlinedialog.h"

#include "widgets/radiogroup.h"
#include "markup/textformat.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

THeadline::THeadline(QWidget *parent)
    : FragmentDialog(parent, {})
{
    setWindowTitle(QStringLiteral("Headline"));
    setSizeGripEnabled(true);

    Label1 = new QLabel(QStringLiteral("Headline Text"), this);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    RadioGroup1 = new RadioGroup(QStringLiteral(" Alignment "),
                                 {QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")},
                                 3, this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setItemIndex(0);
    RadioGroup2 = new RadioGroup(QStringLiteral(" Size "),
                                 {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                  QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6")},
                                 6, this);
    RadioGroup2->setObjectName(QStringLiteral("RadioGroup2"));
    RadioGroup2->setItemIndex(0);
    std::tie(SpeedButton1, SpeedButton2) = makeButtons(QStringLiteral("&Cancel"), QStringLiteral("&Apply"));
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));

    auto *textRow = new QHBoxLayout;
    textRow->addWidget(Label1);
    textRow->addWidget(Edit1, 1);
    auto *groups = new QHBoxLayout;
    groups->addWidget(RadioGroup1);
    groups->addWidget(RadioGroup2);
    auto *main = new QVBoxLayout(this);
    main->addLayout(textRow);
    main->addLayout(groups);
    main->addStretch();
    main->addLayout(buttonRow());

    resize(QSize(480, 169).expandedTo(minimumSizeHint()));
}

void THeadline::FormShow()
{
    Edit1->setText(selection_);
}

std::optional<QString> THeadline::buildFragment()
{
    markup::HeadlineValues v;
    v.text = Edit1->text();
    v.align = static_cast<markup::HeadAlign>(RadioGroup1->itemIndex());
    v.size = RadioGroup2->itemIndex() + 1;
    return markup::headline(v);
}
