#include "markup/headlinedialog.h"

#include "widgets/radiogroup.h"
#include "markup/textformat.h"
#include "widgets/windowplacing.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

THeadline::THeadline(QWidget *parent)
    : QDialog(parent)
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
    SpeedButton1 = dialogButton(QStringLiteral("&Cancel"), this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton2 = dialogButton(QStringLiteral("&Apply"), this);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));

    auto *textRow = new QHBoxLayout;
    textRow->addWidget(Label1);
    textRow->addWidget(Edit1, 1);
    auto *groups = new QHBoxLayout;
    groups->addWidget(RadioGroup1);
    groups->addWidget(RadioGroup2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(SpeedButton1);
    buttons->addWidget(SpeedButton2);
    auto *main = new QVBoxLayout(this);
    main->addLayout(textRow);
    main->addLayout(groups);
    main->addStretch();
    main->addLayout(buttons);

    connect(SpeedButton1, &QPushButton::clicked, this, &THeadline::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &THeadline::SpeedButton2Click);
    resize(QSize(480, 169).expandedTo(minimumSizeHint()));
    centreOnOwnerWhenShown(this);
}

void THeadline::FormShow()
{
    FragmentText.clear();
    Edit1->setText(selection_);
}

void THeadline::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void THeadline::SpeedButton1Click()
{
    FragmentText.clear();
    reject();
}

void THeadline::SpeedButton2Click()
{
    markup::HeadlineValues v;
    v.text = Edit1->text();
    v.align = static_cast<markup::HeadAlign>(RadioGroup1->itemIndex());
    v.size = RadioGroup2->itemIndex() + 1;
    FragmentText = markup::headline(v);
    accept();
}
