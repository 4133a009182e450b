#pragma once
// Helpers for tests under a real window manager, where activation and
// stacking arrive as events some time after the request.
#include <QList>
#include <QWidget>
#include <functional>

// Processes events until `done` holds or `ms` milliseconds have passed;
// returns whether it held.
bool waitUntil(const std::function<bool()> &done, int ms = 5000);

// The managed top-level windows from the bottom of the stack to the top, as
// the window manager reports them.
QList<WId> stackingOrder();

// Index of `window` in stackingOrder(), -1 when it is not listed.
int stackPosition(const QWidget *window);
