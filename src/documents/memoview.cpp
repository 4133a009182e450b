// The text area's view beyond its text: zoom, the background of the
// caret's line, and going to a row as the gutter numbers it.
#include "documents/memo.h"
#include "documents/memoengine.h"

#include <algorithm>

namespace {

long sciColour(const QColor &c)
{
    return long(c.red()) | (long(c.green()) << 8) | (long(c.blue()) << 16);
}

} // namespace

void TMemo::connectView()
{
    // Ctrl+wheel zooms inside the engine; the keys and menu entries too.
    connect(sci_, &QsciScintillaBase::SCN_ZOOM, this, [this] { emit zoomChanged(zoom()); });
}

void TMemo::zoomIn()
{
    sci_->S(QsciScintillaBase::SCI_ZOOMIN);
}

void TMemo::zoomOut()
{
    sci_->S(QsciScintillaBase::SCI_ZOOMOUT);
}

void TMemo::zoomReset()
{
    sci_->S(QsciScintillaBase::SCI_SETZOOM, 0);
}

int TMemo::zoom() const
{
    return int(sci_->S(QsciScintillaBase::SCI_GETZOOM));
}

QColor TMemo::currentLineColour(const QColor &background)
{
    // A step of lightness away from the background, towards the middle:
    // darker on a light page, lighter on a dark one, the hue kept, so the
    // text on it reads as well as on the rest of the page.
    const QColor hsl = background.toHsl();
    const int l = hsl.lightness();
    constexpr int kStep = 22;
    const int lightness = l >= 128 ? l - kStep : l + kStep;
    return QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), std::clamp(lightness, 0, 255));
}

void TMemo::setCurrentLineShown(bool on)
{
    currentLine_ = on;
    applyCurrentLine();
}

void TMemo::applyCurrentLine()
{
    sci_->S(QsciScintillaBase::SCI_SETCARETLINEVISIBLE, currentLine_);
    // Also while the find window or a dialog has the keyboard.
    sci_->S(QsciScintillaBase::SCI_SETCARETLINEVISIBLEALWAYS, currentLine_);
    if (currentLine_)
        sci_->S(QsciScintillaBase::SCI_SETCARETLINEBACK, sciColour(currentLineColour(palette().color(QPalette::Base))));
}

void TMemo::goToRow(int row)
{
    if (!finishWrapping())
        return;
    const int target = std::clamp(row, 0, lineCount() - 1);
    setSelStart(lineIndex(target));
    ensureCursorVisible();
}
