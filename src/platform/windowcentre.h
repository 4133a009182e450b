#pragma once
// Where dialogs and tool windows appear: over the middle of the window they
// belong to, so they open where the user is looking.
class QWidget;

// Centres a window over the window of its parent (the main window, or the
// dialog it was opened from), or on the screen while that window is not
// shown, keeping it on the screen. Called from a show event, which comes
// before the window appears.
void centreOnOwner(QWidget *window);

// The same each time the window is shown, or only the first time when
// `firstShowOnly`.
void centreOnOwnerWhenShown(QWidget *window, bool firstShowOnly = false);
