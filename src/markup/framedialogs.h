#pragma once
// "Frameset" and "Frames": the FRAMESET pair and one FRAME element. Both are
// drawn in the desktop colour with cream bold captions.
#include "markup/fragmentdialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class RadioGroup;
class SpinField;

class TFrameset : public FragmentDialog {
    Q_OBJECT
public:
    explicit TFrameset(QWidget *parent = nullptr);

    QLabel *StaticText1;
    QLineEdit *Edit1;   // rows, kept between uses
    QLabel *StaticText2;
    QLineEdit *Edit2;   // columns, kept between uses
    QPushButton *SpeedButton1;   // "Cancel"
    QPushButton *SpeedButton2;   // "Apply"

protected:
    std::optional<QString> buildFragment() override;
};

class TFramez : public FragmentDialog {
    Q_OBJECT
public:
    explicit TFramez(QWidget *parent = nullptr);

    QLabel *StaticText1;
    QLineEdit *Edit1;        // name
    QLabel *StaticText2;
    QLineEdit *Edit2;        // source
    QCheckBox *CheckBox1;    // "Noresize"
    RadioGroup *RG1;         // scrolling
    QLabel *StaticText3;
    SpinField *marg1;        // margin width, no range
    QLabel *StaticText4;
    SpinField *marg2;        // margin height, no range
    QLabel *StaticText5;
    SpinField *bord;         // frame border 0..1
    QPushButton *SpeedButton1;   // "&Cancel"
    QPushButton *SpeedButton2;   // "&Apply"

protected:
    std::optional<QString> buildFragment() override;
    void FormShow() override;
    void showEvent(QShowEvent *event) override;

private:
    bool shownBefore_ = false;
};
