#include "markup/paragraphdialog.h"

#include "widgets/radiogroup.h"
#include "markup/textformat.h"
#include "widgets/windowplacing.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TParabox::TParabox(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("Paragraph"));

    AG = new RadioGroup(QStringLiteral(" Alignment "),
                        {QStringLiteral("Left"), QStringLiteral("Centre"), QStringLiteral("Right"),
                         QStringLiteral("Justify")},
                        4, this);
    AG->setObjectName(QStringLiteral("AG"));
    SpeedButton1 = dialogButton(QStringLiteral("&Cancel"), this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton2 = dialogButton(QStringLiteral("&Apply"), this);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(SpeedButton1);
    buttons->addWidget(SpeedButton2);
    auto *main = new QVBoxLayout(this);
    main->addWidget(AG);
    main->addLayout(buttons);

    // The panel lies over everything and is placed by hand in resizeEvent.
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAutoFillBackground(true);
    Label1 = new QLabel(QStringLiteral("Searching for Keywords, please wait."), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    ProgressBar1 = new QProgressBar(Panel1);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    SpeedButton3 = dialogButton(QStringLiteral("Cancel"), Panel1);
    SpeedButton3->setObjectName(QStringLiteral("SpeedButton3"));
    auto *panelRow = new QHBoxLayout;
    panelRow->addWidget(ProgressBar1, 1);
    panelRow->addWidget(SpeedButton3);
    auto *panel = new QVBoxLayout(Panel1);
    panel->addWidget(Label1);
    panel->addLayout(panelRow);
    Panel1->hide();

    connect(SpeedButton1, &QPushButton::clicked, this, &TParabox::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TParabox::SpeedButton2Click);
    connect(SpeedButton3, &QPushButton::clicked, this, &TParabox::SpeedButton3Click);
    adjustSize();
}

void TParabox::FormShow()
{
    FragmentText.clear();
    AG->setItemIndex(-1);
}

void TParabox::showEvent(QShowEvent *event)
{
    FormShow();
    centreOnOwner(this);
    QDialog::showEvent(event);
}

void TParabox::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    Panel1->setGeometry(rect());
}

void TParabox::SpeedButton1Click()
{
    FragmentText.clear();
    reject();
}

void TParabox::SpeedButton2Click()
{
    FragmentText = markup::paragraphTag(static_cast<markup::ParaAlign>(AG->itemIndex()));
    accept();
}

void TParabox::SpeedButton3Click()
{
    emit keywordSearchCancelled();
}

void TParabox::showKeywordProgress()
{
    setWindowTitle(QStringLiteral("Keywords"));
    ProgressBar1->setValue(0);
    Panel1->setGeometry(rect());
    Panel1->show();
    Panel1->raise();
    show();
}

void TParabox::hideKeywordProgress()
{
    Panel1->hide();
    setWindowTitle(QStringLiteral("Paragraph"));
    hide();
}
