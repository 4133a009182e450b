#pragma once
// The colour swatch of the HTML tool strip: a filled rectangle with a white
// outline that reports mouse presses with their button.
#include <QWidget>

class ColourShape : public QWidget {
    Q_OBJECT
public:
    explicit ColourShape(QWidget *parent = nullptr);
    quint32 fill() const { return fill_; }          // 0x00BBGGRR
    void setFill(quint32 colour);
    quint32 outline() const { return outline_; }
    void setOutline(quint32 colour);

signals:
    void pressed(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;

private:
    quint32 fill_ = 0x00FFFFFF;
    quint32 outline_ = 0x00FFFFFF;
};

// 0x00BBGGRR to a QColor and back.
QColor colourFromValue(quint32 value);
quint32 valueFromColour(const QColor &c);
