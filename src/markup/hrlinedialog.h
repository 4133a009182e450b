#pragma once
// "Set HR Line": width and its unit, height, colour and alignment of <HR>.
#include "markup/fragmentdialog.h"

class ColourSwatch;
class QCheckBox;
class QLabel;
class QPushButton;
class RadioGroup;
class SpinField;

class THrLineBox : public FragmentDialog {
    Q_OBJECT
public:
    explicit THrLineBox(QWidget *parent = nullptr);

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

protected:
    std::optional<QString> buildFragment() override;
    void keyPressEvent(QKeyEvent *event) override;
};
