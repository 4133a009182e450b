#pragma once
// "List": an ordered or unordered list's opening and closing tags.
#include <QDialog>

class QLabel;
class QPushButton;
class RadioGroup;
class SpinField;

class TListForm : public QDialog {
    Q_OBJECT
public:
    explicit TListForm(QWidget *parent = nullptr);

    // Built by Apply; OpenTag is emptied on each opening and by Cancel, and
    // an empty OpenTag means nothing to insert.
    QString OpenTag;
    QString CloseTag;

    RadioGroup *RadioGroup1;   // " List Type "
    RadioGroup *BullNumbers;   // " Bullets ", shown for an unordered list
    RadioGroup *Bullets;       // " Numbers ", shown for an ordered list
    QLabel *Label1;
    SpinField *SpinEdit1;      // "Start at:"
    QPushButton *SpeedButton1; // "Cancel"
    QPushButton *SpeedButton2; // "Apply"

    void RadioGroup1Click();
    void SpeedButton1Click();
    void SpeedButton2Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showKind(bool ordered);
};
