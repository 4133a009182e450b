#include "app/logo.h"

#include "platform/version.h"
#include "platform/windowcentre.h"

#include <QLinearGradient>
#include <QPainter>
#include <QTimer>

Tlogo::Tlogo(QWidget *parent) : QDialog(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Dialog)
{
    setObjectName(QStringLiteral("logo"));
    setFixedSize(298, 200);
}

QPixmap Tlogo::picture()
{
    QPixmap pm(298, 200);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 200);
    g.setColorAt(0, QColor(0, 40, 120));
    g.setColorAt(1, QColor(0, 0, 60));
    p.fillRect(pm.rect(), g);
    // A pair of angle brackets around the name: the editor's trade.
    p.setPen(QPen(QColor(255, 200, 60), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygon({QPoint(48, 50), QPoint(20, 80), QPoint(48, 110)}));
    p.drawPolyline(QPolygon({QPoint(250, 50), QPoint(278, 80), QPoint(250, 110)}));
    QFont f(QStringLiteral("DejaVu Sans"), 30, QFont::Bold);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(50, 45, 198, 70), Qt::AlignCenter, QStringLiteral("Mivor"));
    f.setPointSize(11);
    f.setBold(false);
    p.setFont(f);
    p.setPen(QColor(200, 210, 255));
    p.drawText(QRect(0, 125, 298, 24), Qt::AlignCenter, QStringLiteral("HTML and text editor"));
    p.drawText(QRect(0, 150, 298, 24), Qt::AlignCenter, QStringLiteral("Version " MIVOR_VERSION));
    p.setPen(QColor(255, 200, 60));
    p.drawRect(pm.rect().adjusted(0, 0, -1, -1));
    return pm;
}

void Tlogo::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    // Over the main window for About; on the screen at start, before it shows.
    centreOnOwner(this);
    FormShow();
}

void Tlogo::FormShow()
{
    // Every showing restarts the 4 seconds.
    delete timer_;
    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &Tlogo::CloseLogo);
    timer_->start(DisplayMs);
}

void Tlogo::CloseLogo()
{
    if (timer_) {
        timer_->deleteLater();
        timer_ = nullptr;
    }
    close();
}

void Tlogo::Image1Click()
{
    delete timer_;
    timer_ = nullptr;
    close();
}

void Tlogo::mousePressEvent(QMouseEvent *)
{
    Image1Click();
}

void Tlogo::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawPixmap(0, 0, picture());
}
