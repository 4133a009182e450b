#include "app/docplacement.h"

#include <algorithm>

QRect newDocumentGeometry(const QSize &desktop, int open, const QSize &step)
{
    const int w = std::max(desktop.width(), 1), h = std::max(desktop.height(), 1);
    const int dx = std::max(step.width(), 0), dy = std::max(step.height(), 0);
    // Steps that leave at least half of each side, the first window's included.
    int steps = 1;
    while (steps < 1000 && dx * steps <= w / 2 && dy * steps <= h / 2 && (dx > 0 || dy > 0))
        ++steps;
    const int k = std::max(open, 0) % steps;
    return QRect(k * dx, k * dy, w - k * dx, h - k * dy);
}
