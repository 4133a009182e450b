#pragma once
// "Marquee": scrolling text, optionally inside a FONT tag chosen with the
// shared font dialog.
#include "markup/fragmentdialog.h"

class ColourSwatch;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class RadioGroup;
class SpinField;
class THtmlFont;

class Tmarqueebox : public FragmentDialog {
    Q_OBJECT
public:
    // `fontDialog` is the program's one font dialog, shown by "Font".
    explicit Tmarqueebox(THtmlFont *fontDialog, QWidget *parent = nullptr);

    QString FontTag;       // FONT opening tag chosen with "Font", or empty

    // The document's selection; it becomes the text on opening.
    void setSelectionText(const QString &text) { selection_ = text; }

    QLabel *Label5;
    QLineEdit *marqtext;
    QLabel *Label3;
    SpinField *loopspin;
    QLabel *Label4;
    QCheckBox *BGCheck;
    ColourSwatch *Shape1;
    RadioGroup *Direction;
    RadioGroup *Behaviour;
    RadioGroup *wide;
    SpinField *widespin;
    RadioGroup *high;
    SpinField *highspin;
    QLabel *Label2;
    QLineEdit *Marqtitle;
    QLabel *Label6;
    SpinField *scrollA;
    QLabel *Label7;
    SpinField *scrollD;
    QPushButton *FontBtn;
    QPushButton *SpeedButton2;   // "&Cancel"
    QPushButton *SpeedButton1;   // "Apply"

    // "Font": shows the font dialog modally and takes its result.
    void FontBtnClick();
    // What FontBtnClick does once the font dialog has closed with `result`:
    // an accepted, non-empty tag becomes FontTag; otherwise FontTag stays.
    void FontDialogClosed(int result);

protected:
    std::optional<QString> buildFragment() override;
    void FormShow() override;

private:
    THtmlFont *fontDialog_;
    QString selection_;
};
