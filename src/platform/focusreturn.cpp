#include "platform/focusreturn.h"

#include <QApplication>

FocusReturn::FocusReturn(QWidget *fallback)
{
    widget_ = QApplication::focusWidget();
    if (!widget_ && fallback)
        widget_ = fallback->window();
}

FocusReturn::~FocusReturn()
{
    focusInItsWindow(widget_);
}

void focusInItsWindow(QWidget *control)
{
    if (!control || !control->isVisible())
        return;
    QWidget *window = control->window();
    window->raise();
    window->activateWindow();
    control->setFocus(Qt::ActiveWindowFocusReason);
}

int execReturningFocus(QDialog *dialog, QWidget *fallback)
{
    FocusReturn back(fallback);
    return dialog->exec();
}
