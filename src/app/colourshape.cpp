#include "app/colourshape.h"

#include <QMouseEvent>
#include <QPainter>

QColor colourFromValue(quint32 value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

quint32 valueFromColour(const QColor &c)
{
    return quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16);
}

ColourShape::ColourShape(QWidget *parent) : QWidget(parent)
{
    setFixedSize(29, 27);
    setMouseTracking(true);
}

void ColourShape::setFill(quint32 colour)
{
    fill_ = colour;
    update();
}

void ColourShape::setOutline(quint32 colour)
{
    outline_ = colour;
    update();
}

void ColourShape::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QColor fill = isEnabled() ? colourFromValue(fill_) : palette().color(QPalette::Button);
    p.fillRect(rect(), fill);
    p.setPen(colourFromValue(outline_));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ColourShape::mousePressEvent(QMouseEvent *e)
{
    emit pressed(e->button());
}
