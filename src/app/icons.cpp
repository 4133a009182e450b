#include "app/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

void page(QPainter &p, int x, int y)
{
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygon({QPoint(x, y), QPoint(x + 9, y), QPoint(x + 13, y + 4), QPoint(x + 13, y + 17),
                            QPoint(x, y + 17)}));
}

void letter(QPainter &p, const QString &s, bool bold, bool italic, bool underline)
{
    QFont f(QStringLiteral("DejaVu Serif"), 13);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    p.setFont(f);
    p.drawText(QRect(0, 0, 22, 22), Qt::AlignCenter, s);
}

} // namespace

QIcon toolIcon(const QString &name)
{
    QPixmap pm(22, 22);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(30, 30, 30), 1.2));
    if (name == QLatin1String("NewBtn")) {
        page(p, 4, 2);
    } else if (name == QLatin1String("OpenBtn")) {
        p.setBrush(QColor(240, 200, 80));
        p.drawRect(2, 7, 17, 11);
        p.drawRect(2, 4, 7, 3);
    } else if (name == QLatin1String("SaveBtn") || name == QLatin1String("SaveSelBtn")) {
        p.setBrush(QColor(60, 90, 170));
        p.drawRect(3, 3, 16, 16);
        p.setBrush(Qt::white);
        p.drawRect(6, 3, 10, 6);
        if (name == QLatin1String("SaveSelBtn")) {
            p.setBrush(QColor(255, 220, 0));
            p.drawRect(7, 12, 8, 5);
        }
    } else if (name == QLatin1String("PrintBtn") || name == QLatin1String("PreviewBtn")) {
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(2, 9, 18, 8);
        p.setBrush(Qt::white);
        p.drawRect(6, 3, 10, 6);
        if (name == QLatin1String("PreviewBtn")) {
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(QColor(0, 0, 120), 2));
            p.drawEllipse(10, 9, 8, 8);
            p.drawLine(17, 17, 21, 21);
        }
    } else if (name == QLatin1String("CutBtn")) {
        p.drawEllipse(3, 13, 6, 6);
        p.drawEllipse(13, 13, 6, 6);
        p.drawLine(7, 13, 15, 2);
        p.drawLine(15, 13, 7, 2);
    } else if (name == QLatin1String("CopyBtn")) {
        page(p, 2, 1);
        page(p, 8, 4);
    } else if (name == QLatin1String("PasteBtn")) {
        p.setBrush(QColor(180, 130, 60));
        p.drawRect(3, 4, 12, 16);
        page(p, 8, 4);
    } else if (name == QLatin1String("SpikeBtn1")) {
        p.setPen(QPen(QColor(60, 60, 60), 2));
        p.drawLine(11, 2, 11, 18);
        p.setBrush(QColor(120, 120, 120));
        p.drawRect(4, 18, 14, 3);
        p.setBrush(Qt::white);
        p.setPen(QPen(QColor(30, 30, 30), 1));
        p.drawRect(5, 8, 12, 4);
    } else if (name == QLatin1String("UndoBtn") || name == QLatin1String("RedoBtn")) {
        // Redo's arrow is Undo's, mirrored.
        if (name == QLatin1String("RedoBtn")) {
            p.translate(22, 0);
            p.scale(-1, 1);
        }
        p.setPen(QPen(QColor(0, 0, 150), 2));
        QPainterPath path;
        path.moveTo(5, 9);
        path.cubicTo(10, 2, 20, 6, 17, 17);
        p.drawPath(path);
        p.drawLine(5, 9, 5, 3);
        p.drawLine(5, 9, 11, 9);
    } else if (name == QLatin1String("FindBtn") || name == QLatin1String("ReplaceBtn")) {
        p.setPen(QPen(QColor(0, 0, 120), 2));
        p.drawEllipse(3, 3, 10, 10);
        p.drawLine(12, 12, 19, 19);
        if (name == QLatin1String("ReplaceBtn")) {
            p.setPen(QPen(QColor(180, 0, 0), 2));
            p.drawLine(14, 4, 20, 4);
            p.drawLine(17, 1, 20, 4);
        }
    } else if (name == QLatin1String("wrapbtn")) {
        p.drawLine(3, 5, 19, 5);
        p.drawLine(3, 10, 17, 10);
        p.drawArc(12, 10, 8, 8, 90 * 16, -180 * 16);
        p.drawLine(3, 17, 14, 17);
    } else if (name == QLatin1String("htmlBtn") || name == QLatin1String("BrowseBtn")) {
        p.setBrush(QColor(90, 160, 230));
        p.drawEllipse(2, 2, 18, 18);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(7, 2, 8, 18);
        p.drawLine(2, 11, 20, 11);
    } else if (name == QLatin1String("colpicBtn")) {
        p.setPen(QPen(QColor(30, 30, 30), 3));
        p.drawLine(5, 17, 15, 7);
        p.setBrush(QColor(80, 80, 80));
        p.drawEllipse(13, 2, 7, 7);
    } else if (name == QLatin1String("ImgBtn")) {
        p.setBrush(QColor(150, 210, 250));
        p.drawRect(2, 4, 18, 14);
        p.setBrush(QColor(60, 150, 60));
        p.drawPolygon(QPolygon({QPoint(3, 17), QPoint(9, 9), QPoint(14, 17)}));
        p.setBrush(QColor(250, 220, 0));
        p.drawEllipse(14, 6, 4, 4);
    } else if (name == QLatin1String("TableBtn")) {
        p.setBrush(Qt::white);
        p.drawRect(2, 4, 18, 14);
        p.drawLine(2, 9, 20, 9);
        p.drawLine(2, 13, 20, 13);
        p.drawLine(8, 4, 8, 18);
        p.drawLine(14, 4, 14, 18);
    } else if (name == QLatin1String("BoldBtn")) {
        letter(p, QStringLiteral("B"), true, false, false);
    } else if (name == QLatin1String("ItalicBtn")) {
        letter(p, QStringLiteral("I"), false, true, false);
    } else if (name == QLatin1String("UnderLineBtn")) {
        letter(p, QStringLiteral("U"), false, false, true);
    }
    p.end();
    return QIcon(pm);
}
