#pragma once
// "Anchor": a link, a named anchor, or both.
#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TAnchorBox : public QDialog {
    Q_OBJECT
public:
    explicit TAnchorBox(QWidget *parent = nullptr);

    // The anchor built by Apply; emptied on each opening and by Cancel.
    QString FragmentText;

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

    void SpeedButton1Click();
    void SpeedButton2Click();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString selection_;
};
