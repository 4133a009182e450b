#include "app/autosave.h"

#include "app/commandhost.h"
#include "documents/filecommands.h"
#include "documents/subform.h"
#include "platform/dialogs.h"
#include "settings/settingsstore.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <algorithm>

Autosave::Autosave(CommandHost &host, const MivorSettings &settings, QObject *parent)
    : QObject(parent), host_(host), settings_(settings)
{
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, &Autosave::Timer1Timer);
    autosaveStep_ = new QTimer(this);
    autosaveStep_->setInterval(15);
    connect(autosaveStep_, &QTimer::timeout, this, &Autosave::autosaveStep);
}

void Autosave::makeProgress(QWidget *mainStrip)
{
    Label1 = new QLabel(QStringLiteral("Autosaving: "), mainStrip);
    Label1->setObjectName(QStringLiteral("Label1"));
    // Right-aligned against the bar, and as wide and high as its text needs
    // in the desktop's font, so its first letter is never cut off.
    const QSize labelSize(std::max(71, Label1->fontMetrics().horizontalAdvance(Label1->text()) + 4),
                          std::max(16, Label1->fontMetrics().height()));
    Label1->setGeometry(659 - labelSize.width(), 17 - labelSize.height() / 2, labelSize.width(),
                        labelSize.height());
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label1->hide();
    ProgressBar1 = new QProgressBar(mainStrip);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(660, 9, 133, 16);
    ProgressBar1->setRange(0, 50000);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->hide();
}

void Autosave::restartAutosaveTimer()
{
    if (settings_.AutosaveOn) {
        Timer1->setInterval(std::max(1, settings_.AutosaveMinutes) * 60000);
        Timer1->start();
    } else {
        Timer1->stop();
    }
}

void Autosave::stop()
{
    Timer1->stop();
}

void Autosave::Timer1Timer()
{
    if (settings_.AutosaveOn)
        AutosaveNow();
}

void Autosave::AutosaveNow()
{
    if (host_.documents().isEmpty() || autosaveClock_.isValid())
        return;   // nothing to save, or a run is already under way
    Label1->show();
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    if (autosaveProgressMs <= 0) {
        finishAutosave();
        return;
    }
    // A short visible run, moved on by a timer so the interface stays live.
    autosaveClock_.start();
    autosaveStep_->start();
}

void Autosave::autosaveStep()
{
    const qint64 elapsed = autosaveClock_.elapsed();
    if (elapsed < autosaveProgressMs) {
        ProgressBar1->setValue(int(qint64(50000) * elapsed / autosaveProgressMs));
        return;
    }
    autosaveStep_->stop();
    autosaveClock_.invalidate();
    finishAutosave();
}

void Autosave::finishAutosave()
{
    ProgressBar1->setValue(50000);
    TSubForm *doc = host_.currentDocument();   // whichever is current now
    if (!doc) {
        ProgressBar1->hide();
        Label1->hide();
        return;
    }
    if (const Result saved = filecommands::autosave(*doc, dialogs(), host_.frame()); !saved) {
        // A full disk fails every run: one message for the streak, not a new
        // box stacked on the last one at every interval.
        if (!autosaveFailing_)
            dialogs().error(saved.message, host_.frame());
        autosaveFailing_ = true;
        return;   // the label and bar stay until a later run completes
    }
    autosaveFailing_ = false;
    ProgressBar1->hide();
    Label1->hide();
}
