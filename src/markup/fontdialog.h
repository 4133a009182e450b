#pragma once
// "Set Font": face, size and colour of a <FONT> tag. Keeps every choice from
// one use to the next. Also used by the marquee dialog and the table editor.
#include "markup/fragmentdialog.h"

class ColourSwatch;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class SpinField;

class THtmlFont : public FragmentDialog {
    Q_OBJECT
public:
    explicit THtmlFont(QWidget *parent = nullptr);

    QCheckBox *CheckBox1;
    QLabel *Label1;
    QComboBox *Fontfacebox;
    QCheckBox *CheckBox2;
    QLabel *Label2;
    SpinField *Fontsize;
    QCheckBox *CheckBox3;
    QLabel *Label3;
    ColourSwatch *fontcol;
    QPushButton *CancelBtn;
    QPushButton *ApplyBtn;

    void CancelBtnClick() { cancel(); }
    void ApplyBtnClick() { apply(); }

protected:
    std::optional<QString> buildFragment() override;
};
