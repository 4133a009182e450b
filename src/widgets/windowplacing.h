#pragma once
#include "platform/windowcentre.h"

#include <initializer_list>
#include <utility>

class QDialog;
class QLabel;
class QWidget;
class QPushButton;
class QString;


// A dialog button that Enter does not press behind the user's back.
QPushButton *dialogButton(const QString &caption, QWidget *parent);

// The layout of the small field dialogs: a column of labelled fields over a
// right-aligned row of buttons (cancel, then apply).
void layOutFieldDialog(QDialog *dialog, std::initializer_list<std::pair<QLabel *, QWidget *>> rows,
                       QPushButton *cancel, QPushButton *apply);
