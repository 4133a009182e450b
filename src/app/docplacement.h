#pragma once
// Where a new document window goes on the desktop: the first one fills it,
// each further one is as large, a cascade step down and right of the one
// before, cut at the desktop's right and bottom edges. Once a window would
// keep less than half the desktop's width or height, the steps start again
// from the top-left corner. Qt Core only.
#include <QRect>
#include <QSize>

// `open` counts the document windows already on the desktop; `step` is the
// offset between two cascaded windows.
QRect newDocumentGeometry(const QSize &desktop, int open, const QSize &step);
