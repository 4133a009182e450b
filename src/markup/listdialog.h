#pragma once
// "List": an ordered or unordered list's opening and closing tags.
#include "markup/fragmentdialog.h"

class QLabel;
class QPushButton;
class RadioGroup;
class SpinField;

class TListForm : public FragmentDialog {
    Q_OBJECT
public:
    explicit TListForm(QWidget *parent = nullptr);

    // Built by Apply; OpenTag is the dialog's fragment, so it is emptied on
    // each opening and by Cancel, and an empty OpenTag means nothing to
    // insert. CloseTag is only ever set.
    QString &OpenTag = FragmentText;
    QString CloseTag;

    RadioGroup *RadioGroup1;   // " List Type "
    RadioGroup *BullNumbers;   // " Bullets ", shown for an unordered list
    RadioGroup *Bullets;       // " Numbers ", shown for an ordered list
    QLabel *Label1;
    SpinField *SpinEdit1;      // "Start at:"
    QPushButton *SpeedButton1; // "Cancel"
    QPushButton *SpeedButton2; // "Apply"

    void RadioGroup1Click();

protected:
    std::optional<QString> buildFragment() override;

private:
    void showKind(bool ordered);
};
