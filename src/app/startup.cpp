#include "app/logo.h"
#include "app/mainwindow.h"

#include <QCoreApplication>

// Start-up after the main window exists: the first group of dialogs, the
// splash while the user looks, then the rest.
void TMainForm::startUp(bool splash)
{
    createDialogsBeforeSplash();
    if (splash) {
        showModal(tools_.about(this));
        QCoreApplication::processEvents();
    }
    createDialogsAfterSplash();
}
