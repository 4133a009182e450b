#include "formmaker/navpictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int Side = 24;

void triangle(QPainter &p, qreal tipX, qreal baseX)
{
    QPainterPath path;
    path.moveTo(tipX, Side / 2.0);
    path.lineTo(baseX, 5);
    path.lineTo(baseX, Side - 5);
    path.closeSubpath();
    p.drawPath(path);
}

} // namespace

QIcon navPicture(NavPicture kind)
{
    QPixmap pm(Side, Side);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(0, 0, 128);
    p.setPen(QPen(ink, 1));
    p.setBrush(ink);
    switch (kind) {
    case NavPicture::First:
        p.drawRect(QRectF(5, 5, 2.5, Side - 10));
        triangle(p, 8, 18);
        break;
    case NavPicture::Prior:
        triangle(p, 7, 16);
        break;
    case NavPicture::Next:
        triangle(p, 17, 8);
        break;
    case NavPicture::Last:
        triangle(p, 16, 6);
        p.drawRect(QRectF(16.5, 5, 2.5, Side - 10));
        break;
    case NavPicture::Add:
        p.drawRect(QRectF(10.5, 4, 3, 16));
        p.drawRect(QRectF(4, 10.5, 16, 3));
        break;
    case NavPicture::Delete:
        p.setPen(QPen(QColor(160, 0, 0), 1));
        p.setBrush(QColor(160, 0, 0));
        p.drawRect(QRectF(4, 10.5, 16, 3));
        break;
    case NavPicture::Edit: {
        // A pencil lying from lower left to upper right.
        p.translate(Side / 2.0, Side / 2.0);
        p.rotate(-45);
        p.setBrush(QColor(230, 180, 40));
        p.drawRect(QRectF(-8, -2.5, 13, 5));
        QPainterPath tip;
        tip.moveTo(5, -2.5);
        tip.lineTo(10, 0);
        tip.lineTo(5, 2.5);
        tip.closeSubpath();
        p.setBrush(ink);
        p.drawPath(tip);
        break;
    }
    case NavPicture::Post: {
        QPen pen(QColor(0, 120, 0), 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(5, 13), QPointF(10, 18), QPointF(19, 6)}));
        break;
    }
    case NavPicture::Clear: {
        QPen pen(QColor(170, 0, 0), 3.2, Qt::SolidLine, Qt::RoundCap);
        p.setPen(pen);
        p.drawLine(QPointF(6, 6), QPointF(18, 18));
        p.drawLine(QPointF(18, 6), QPointF(6, 18));
        break;
    }
    }
    p.end();
    return QIcon(pm);
}
