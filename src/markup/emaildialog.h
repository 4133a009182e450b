#pragma once
// "Insert email": a mailto link.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TemailBox : public QDialog {
    Q_OBJECT
public:
    explicit TemailBox(QWidget *parent = nullptr);

    // The link built by Apply; emptied on each opening and by Cancel.
    QString FragmentText;

    // The document's selection; it becomes the description on opening.
    void setSelectionText(const QString &text) { selection_ = text; }

    QLabel *Label1;
    QLineEdit *Edit1;   // address, kept between uses
    QLabel *Label2;
    QLineEdit *Edit2;   // subject, kept between uses
    QLabel *Label3;
    QLineEdit *Edit3;   // description
    QPushButton *SpeedButton1;
    QPushButton *SpeedButton2;

    void SpeedButton1Click();
    void SpeedButton2Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QString selection_;
};
