#pragma once
class QWidget;
class QPushButton;
class QString;

// Centres a window on the screen it will appear on.
void centreOnScreen(QWidget *window);

// A dialog button that Enter does not press behind the user's back.
QPushButton *dialogButton(const QString &caption, QWidget *parent);
