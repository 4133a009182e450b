#pragma once
// "Anchor": a link, a named anchor, or both.
#include "markup/fragmentdialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TAnchorBox : public FragmentDialog {
    Q_OBJECT
public:
    explicit TAnchorBox(QWidget *parent = nullptr);

    // The document's selection, given by the caller before showing; it
    // becomes the description when the window opens.
    void setSelectionText(const QString &text) { selection_ = text; }

    QLabel *Label1;
    QLineEdit *Edit1;      // URL
    QLabel *Label2;
    QComboBox *ComboBox1;  // Target
    QLabel *Label3;
    QLineEdit *Edit3;      // Name
    QLabel *Label4;
    QLineEdit *Edit4;      // Description
    QPushButton *SpeedButton1;
    QPushButton *SpeedButton2;

protected:
    // Refuses an anchor that lacks its address or name, or its description.
    std::optional<QString> buildFragment() override;
    void FormShow() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString selection_;
};
