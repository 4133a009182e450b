#pragma once
// The splash window: a borderless, always-on-top picture of the product logo,
// centred on the screen. It closes itself 4 seconds after each showing, or at
// once when clicked.
#include <QDialog>

class QTimer;

class Tlogo : public QDialog {
    Q_OBJECT
public:
    explicit Tlogo(QWidget *parent = nullptr);
    static constexpr int DisplayMs = 4000;
    QTimer *timer() const { return timer_; }

    void FormShow();
    void CloseLogo();
    void Image1Click();
    // The logo picture, drawn by the program itself.
    static QPixmap picture();

protected:
    void showEvent(QShowEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    QTimer *timer_ = nullptr;
};
