// The status bar's panels: caret position and hints, wrap state, the save format.
#include "app/mainwindow.h"

#include "documents/subform.h"
#include "documents/textfile.h"

#include <QLabel>
#include <QStatusBar>
#include <QToolButton>
#include <algorithm>

void TMainForm::buildStatusBar()
{
    auto *bar = new QStatusBar(this);
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
    setStatusBar(bar);
}

void TMainForm::showWrapState(bool on)
{
    action(commands::Id::WordWrap)->setChecked(on);
    button(commands::Id::WordWrap)->setChecked(on);
}

void TMainForm::showLineNumberingState(bool on)
{
    action(commands::Id::LineNumbering)->setChecked(on);
}

void TMainForm::showCaretPosition(const QString &text)
{
    statusPanel0->setText(text);
    // Long documents have long row numbers: the panel grows to show them whole.
    const int needed = statusPanel0->fontMetrics().horizontalAdvance(text) + 2 * statusPanel0->frameWidth() +
                       statusPanel0->fontMetrics().averageCharWidth();
    statusPanel0->setFixedWidth(std::max(130, needed));
}

void TMainForm::clearHint()
{
    statusPanel1->clear();
}

QString TMainForm::statusText(int panel) const
{
    return statusPanel(panel)->text();
}

void TMainForm::showSaveFormat()
{
    // Without a document the panel goes rather than stand empty.
    if (CurrentDoc)
        statusPanel2->setText(textfile::saveFormatName(CurrentDoc->savedEncoding(), CurrentDoc->byteOrderMark));
    else
        statusPanel2->clear();
    statusPanel2->setVisible(CurrentDoc != nullptr);
}
