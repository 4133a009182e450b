#pragma once
// "Headline": a heading of level 1 to 6 around a text, which starts as the
// document's selection.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class RadioGroup;

class THeadline : public QDialog {
    Q_OBJECT
public:
    explicit THeadline(QWidget *parent = nullptr);

    // The headline built by Apply; emptied on each opening and by Cancel.
    QString FragmentText;

    // The document's selection, given by the caller before showing; the text
    // field takes it when the window opens.
    void setSelectionText(const QString &text) { selection_ = text; }

    QLabel *Label1;
    QLineEdit *Edit1;
    RadioGroup *RadioGroup1;   // alignment
    RadioGroup *RadioGroup2;   // size
    QPushButton *SpeedButton1; // "&Cancel"
    QPushButton *SpeedButton2; // "&Apply"

    void SpeedButton1Click();
    void SpeedButton2Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
    QString selection_;
};
