#pragma once
// The small filled rectangle that stands for a colour in the dialogs, and the
// one colour chooser that every swatch shares.
#include <QWidget>
#include <optional>

class QAbstractButton;

// Colours are 0x00BBGGRR everywhere in the program.
quint32 colourValue(const QColor &colour);
QColor colourFromValue(quint32 value);

// Opens the colour chooser at the colour last chosen in it (from any swatch)
// and remembers a confirmed choice. nullopt when the user cancels.
std::optional<quint32> chooseSharedColour(QWidget *parent);
// The colour the shared chooser opens at next (white before any choice).
quint32 lastSharedColour();
void setLastSharedColour(quint32 value);

class ColourSwatch : public QWidget {
    Q_OBJECT
public:
    explicit ColourSwatch(QWidget *parent = nullptr, QSize size = QSize(41, 21));

    quint32 fill() const { return fill_; }
    void setFill(quint32 value);
    quint32 outline() const { return outline_; }
    void setOutline(quint32 value);

    // Any mouse button on an enabled swatch opens the shared chooser and a
    // confirmed colour becomes the fill. Turned off by a swatch that handles
    // its clicks itself (it still reports them through mousePressed).
    void setOpensChooser(bool on) { opensChooser_ = on; }

    // The swatch follows the check box: enabled exactly while it is ticked.
    void followCheckBox(QAbstractButton *box);

    QSize sizeHint() const override { return size_; }
    QSize minimumSizeHint() const override { return size_; }

signals:
    void mousePressed(Qt::MouseButton button);
    void fillChanged(quint32 value);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QSize size_;
    quint32 fill_ = 0xFFFFFF;
    quint32 outline_ = 0x000000;
    bool opensChooser_ = true;
};
