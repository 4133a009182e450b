#pragma once
// "Set HR Line": width and its unit, height, colour and alignment of <HR>.
#include <QDialog>

class ColourSwatch;
class QCheckBox;
class QLabel;
class QPushButton;
class RadioGroup;
class SpinField;

class THrLineBox : public QDialog {
    Q_OBJECT
public:
    explicit THrLineBox(QWidget *parent = nullptr);

    // The rule built by Apply; emptied on each opening and by Cancel.
    QString FragmentText;

    RadioGroup *RadioGroup1;   // " Width ": "%", "Pixels"
    SpinField *SpinEdit1;      // width
    QLabel *Label1;
    SpinField *SpinEdit2;      // height
    QLabel *Label2;
    QCheckBox *CheckBox1;
    ColourSwatch *Shape1;
    RadioGroup *RadioGroup2;   // alignment
    QPushButton *CancelBtn;
    QPushButton *ApplyBtn;

    void RadioGroup1Click();
    void CancelBtnClick();
    void ApplyBtnClick();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};
