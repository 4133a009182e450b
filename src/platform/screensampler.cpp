#include "platform/screensampler.h"

#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

namespace {

class DesktopSampler : public ScreenSampler {
public:
    quint32 pixelUnderPointer() override
    {
        const QPoint pos = QCursor::pos();
        QScreen *screen = QGuiApplication::screenAt(pos);
        if (!screen)
            return 0xFFFFFFFFu;
        const QPoint local = pos - screen->geometry().topLeft();
        const QImage img = screen->grabWindow(0, local.x(), local.y(), 1, 1).toImage();
        if (img.isNull())
            return 0xFFFFFFFFu;
        const QColor c = img.pixelColor(0, 0);
        return quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16);
    }
};

ScreenSampler *installed = nullptr;

} // namespace

ScreenSampler &screenSampler()
{
    static DesktopSampler real;
    return installed ? *installed : real;
}

void setScreenSampler(ScreenSampler *replacement)
{
    installed = replacement;
}
