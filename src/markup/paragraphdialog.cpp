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
    : FragmentDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("Paragraph"));

    AG = new RadioGroup(QStringLiteral(" Alignment "),
                        {QStringLiteral("Left"), QStringLiteral("Centre"), QStringLiteral("Right"),
                         QStringLiteral("Justify")},
                        4, this);
    AG->setObjectName(QStringLiteral("AG"));
    std::tie(SpeedButton1, SpeedButton2) = makeButtons(QStringLiteral("&Cancel"), QStringLiteral("&Apply"));
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));

    auto *main = new QVBoxLayout(this);
    main->addWidget(AG);
    main->addLayout(buttonRow());

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

    connect(SpeedButton3, &QPushButton::clicked, this, &TParabox::SpeedButton3Click);
    adjustSize();
}

void TParabox::FormShow()
{
    AG->setItemIndex(-1);
}

void TParabox::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    Panel1->setGeometry(rect());
}

std::optional<QString> TParabox::buildFragment()
{
    return markup::paragraphTag(static_cast<markup::ParaAlign>(AG->itemIndex()));
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
