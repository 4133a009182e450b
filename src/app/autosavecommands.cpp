// The autosave timer and its visible run: only the current document is written.
#include "app/mainwindow.h"

#include "documents/filecommands.h"
#include "documents/subform.h"
#include "platform/dialogs.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <algorithm>

void TMainForm::restartAutosaveTimer()
{
    if (settings.AutosaveOn) {
        Timer1->setInterval(std::max(1, settings.AutosaveMinutes) * 60000);
        Timer1->start();
    } else {
        Timer1->stop();
    }
}

void TMainForm::Timer1Timer()
{
    if (settings.AutosaveOn)
        AutosaveNow();
}

void TMainForm::AutosaveNow()
{
    if (docs_.isEmpty() || autosaveClock_.isValid())
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

void TMainForm::autosaveStep()
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

void TMainForm::finishAutosave()
{
    ProgressBar1->setValue(50000);
    TSubForm *doc = CurrentDoc;   // whichever is current now
    if (!doc) {
        ProgressBar1->hide();
        Label1->hide();
        return;
    }
    if (const Result saved = filecommands::autosave(*doc, dialogs(), this); !saved) {
        // A full disk fails every run: one message for the streak, not a new
        // box stacked on the last one at every interval.
        if (!autosaveFailing_)
            dialogs().error(saved.message, this);
        autosaveFailing_ = true;
        return;   // the label and bar stay until a later run completes
    }
    autosaveFailing_ = false;
    ProgressBar1->hide();
    Label1->hide();
}
