#pragma once
// Small helpers for driving the dialogs' controls in tests.
#include "widgets/spinfield.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWidget>

inline void pressMouse(QWidget *w, Qt::MouseButton button = Qt::LeftButton)
{
    const QPointF at(2, 2);
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), button, button, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
}

// Types text into a spin field as a user would, without leaving it.
inline void typeInto(SpinField *spin, const QString &text)
{
    spin->findChild<QLineEdit *>()->setText(text);
}

inline void leaveField(QWidget *w)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(w, &out);
}
