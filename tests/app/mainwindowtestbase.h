#pragma once
// A real main window on the offscreen platform, with scripted dialogs and a
// private settings folder.
#include "app/mainwindow.h"
#include "app/prefsdialog.h"
#include "documents/memo.h"
#include "documents/subform.h"
#include "support/scripteddialogs.h"
#include "support/tempconfig.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

class MainWindowTest : public ::testing::Test {
protected:
    TempConfig cfg;
    ScriptedDialogs dlg;
    ScriptedShell shellDouble;
    std::unique_ptr<TMainForm> w;
    // Modal dialogs never run their own loop in a test: the test answers.
    QList<QDialog *> shownDialogs;
    std::function<int(QDialog *)> modalAnswer;

    void SetUp() override { open(); }

    void open(const QStringList &args = {})
    {
        w = std::make_unique<TMainForm>(args);
        w->setModalRunner([this](QDialog *d) {
            shownDialogs << d;
            return modalAnswer ? modalAnswer(d) : int(QDialog::Rejected);
        });
        w->resize(1000, 700);
        w->show();
        QCoreApplication::processEvents();
    }

    bool enabled(const QString &name) const
    {
        if (QAction *a = w->action(name))
            return a->isEnabled();
        if (QToolButton *b = w->button(name))
            return b->isEnabled();
        ADD_FAILURE() << "no command " << name.toStdString();
        return false;
    }

    bool checked(const QString &name) const
    {
        if (QAction *a = w->action(name))
            return a->isChecked();
        return w->button(name)->isChecked();
    }

    TMemo &memo() { return *w->currentDocument()->Memo1; }
    // The seams the document and search windows reach the main window by.
    DocumentHost &documentHost() { return *w; }
    SearchHost &searchHost() { return *w; }

    // Runs Preferences with the dialog's controls set by `edit`, then Done.
    void preferences(const std::function<void(Tprefs &)> &edit)
    {
        modalAnswer = [edit](QDialog *d) {
            auto *p = qobject_cast<Tprefs *>(d);
            if (!p)
                return int(QDialog::Rejected);
            edit(*p);
            p->DoneBtnClick();
            return p->result();
        };
        w->preferencesCommands().Preferences1Click();
        modalAnswer = nullptr;
    }

    // The keyword scan runs on timer ticks after its command returns.
    void waitForKeywords()
    {
        QElapsedTimer clock;
        clock.start();
        while (w->toolCommands().keywordScanRunning() && clock.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_FALSE(w->toolCommands().keywordScanRunning()) << "the keyword scan did not end";
    }
};
