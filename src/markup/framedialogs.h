#pragma once
// "Frameset" and "Frames": the FRAMESET pair and one FRAME element. Both are
// drawn in the desktop colour with cream bold captions.
#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class RadioGroup;
class SpinField;

class TFrameset : public QDialog {
    Q_OBJECT
public:
    explicit TFrameset(QWidget *parent = nullptr);

    QString FragmentText;   // built by Apply, emptied by Cancel

    QLabel *StaticText1;
    QLineEdit *Edit1;   // rows, kept between uses
    QLabel *StaticText2;
    QLineEdit *Edit2;   // columns, kept between uses
    QPushButton *SpeedButton1;   // "Cancel"
    QPushButton *SpeedButton2;   // "Apply"

    void SpeedButton1Click();
    void SpeedButton2Click();

protected:
    void showEvent(QShowEvent *event) override;
};

class TFramez : public QDialog {
    Q_OBJECT
public:
    explicit TFramez(QWidget *parent = nullptr);

    QString FragmentText;   // built by Apply, emptied by Cancel

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

    void SpeedButton1Click();
    void SpeedButton2Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
    bool shownBefore_ = false;
};
