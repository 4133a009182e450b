#pragma once
// "Insert email": a mailto link.
#include "markup/fragmentdialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TemailBox : public FragmentDialog {
    Q_OBJECT
public:
    explicit TemailBox(QWidget *parent = nullptr);

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

protected:
    std::optional<QString> buildFragment() override;
    void FormShow() override;

private:
    QString selection_;
};
