#include "widgets/colourswatch.h"

#include "platform/dialogs.h"

#include <QAbstractButton>
#include <QMouseEvent>
#include <QPainter>

namespace {
quint32 sharedColour = 0xFFFFFF;
}

quint32 colourValue(const QColor &colour)
{
    return quint32(colour.red()) | (quint32(colour.green()) << 8) | (quint32(colour.blue()) << 16);
}

QColor colourFromValue(quint32 value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

std::optional<quint32> chooseSharedColour(QWidget *parent)
{
    const std::optional<QColor> chosen = dialogs().chooseColor(colourFromValue(sharedColour), parent);
    if (!chosen || !chosen->isValid())
        return std::nullopt;
    sharedColour = colourValue(*chosen);
    return sharedColour;
}

quint32 lastSharedColour()
{
    return sharedColour;
}

void setLastSharedColour(quint32 value)
{
    sharedColour = value;
}

ColourSwatch::ColourSwatch(QWidget *parent, QSize size)
    : QWidget(parent), size_(size)
{
    setFixedSize(size);
    setCursor(Qt::PointingHandCursor);
}

void ColourSwatch::setFill(quint32 value)
{
    if (fill_ == value)
        return;
    fill_ = value;
    update();
    emit fillChanged(value);
}

void ColourSwatch::setOutline(quint32 value)
{
    outline_ = value;
    update();
}

void ColourSwatch::followCheckBox(QAbstractButton *box)
{
    setEnabled(box->isChecked());
    connect(box, &QAbstractButton::toggled, this, &QWidget::setEnabled);
}

void ColourSwatch::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QColor fill = colourFromValue(fill_);
    if (!isEnabled())
        fill.setAlpha(110);   // a disabled swatch reads as inactive, its colour still visible
    p.setPen(colourFromValue(outline_));
    p.setBrush(fill);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ColourSwatch::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    emit mousePressed(event->button());
    if (!opensChooser_)
        return;
    if (const std::optional<quint32> chosen = chooseSharedColour(window()))
        setFill(*chosen);
}
