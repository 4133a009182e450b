#include "markup/colorhtml.h"

QString ColorToHtml(quint32 colour)
{
    const QString hex = QString::number(colour, 16).toUpper().rightJustified(6, QLatin1Char('0'));
    // The digits read blue, green, red; swap the outer pairs.
    return hex.mid(4, 2) + hex.mid(2, 2) + hex.mid(0, 2);
}
