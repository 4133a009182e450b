#pragma once
// The colour of the screen pixel under the mouse pointer, for the pipette.
// Tests install a double that feeds pixels.
#include <QtGlobal>

class ScreenSampler {
public:
    virtual ~ScreenSampler() = default;
    // 0x00BBGGRR of the pixel under the pointer; all bits set when unreadable.
    virtual quint32 pixelUnderPointer() = 0;
};

ScreenSampler &screenSampler();
void setScreenSampler(ScreenSampler *replacement);
