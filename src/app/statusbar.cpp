#include "app/statusbar.h"

#include "documents/subform.h"
#include "documents/textfile.h"

#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <algorithm>

void StatusPanels::build(QMainWindow *frame)
{
    auto *bar = new QStatusBar(frame);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    QFont f = bar->font();
    f.setBold(true);
    bar->setFont(f);
    statusPanel0 = new QLabel(bar);
    statusPanel0->setFixedWidth(130);
    statusPanel0->setFrameShape(QFrame::Panel);
    statusPanel0->setFrameShadow(QFrame::Sunken);
    statusPanel1 = new QLabel(bar);
    statusPanel1->setFixedWidth(300);
    statusPanel1->setFrameShape(QFrame::Panel);
    statusPanel1->setFrameShadow(QFrame::Sunken);
    statusPanel2 = new QLabel(bar);
    statusPanel2->setObjectName(QStringLiteral("SaveFormatPanel"));
    statusPanel2->setFrameShape(QFrame::Panel);
    statusPanel2->setFrameShadow(QFrame::Sunken);
    statusPanel2->setToolTip(QStringLiteral("Encoding and line breaks the document is saved with"));
    bar->addWidget(statusPanel0);
    bar->addWidget(statusPanel1);
    bar->addWidget(statusPanel2);
    statusPanel2->hide();
    bar->setSizeGripEnabled(false);
    frame->setStatusBar(bar);
}

QLabel *StatusPanels::statusPanel(int panel) const
{
    return panel == 0 ? statusPanel0 : panel == 1 ? statusPanel1 : statusPanel2;
}

QString StatusPanels::statusText(int panel) const
{
    return statusPanel(panel)->text();
}

void StatusPanels::showCaretPosition(const QString &text)
{
    statusPanel0->setText(text);
    // Long documents have long row numbers: the panel grows to show them whole.
    const int needed = statusPanel0->fontMetrics().horizontalAdvance(text) + 2 * statusPanel0->frameWidth() +
                       statusPanel0->fontMetrics().averageCharWidth();
    statusPanel0->setFixedWidth(std::max(130, needed));
}

void StatusPanels::showHint(const QString &text)
{
    statusPanel1->setText(text);
}

void StatusPanels::clearHint()
{
    statusPanel1->clear();
}

void StatusPanels::showSaveFormat(const TSubForm *doc)
{
    if (doc)
        statusPanel2->setText(textfile::saveFormatName(doc->savedEncoding(), doc->byteOrderMark));
    else
        statusPanel2->clear();
    statusPanel2->setVisible(doc != nullptr);
}
