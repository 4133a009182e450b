#pragma once
// "Headline": a heading of level 1 to 6 around a text, which starts as the
// document's selection.
#include "markup/fragmentdialog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class RadioGroup;

class THeadline : public FragmentDialog {
    Q_OBJECT
public:
    explicit THeadline(QWidget *parent = nullptr);

    // The document's selection, given by the caller before showing; the text
    // field takes it when the window opens.
    void setSelectionText(const QString &text) { selection_ = text; }

    QLabel *Label1;
    QLineEdit *Edit1;
    RadioGroup *RadioGroup1;   // alignment
    RadioGroup *RadioGroup2;   // size
    QPushButton *SpeedButton1; // "&Cancel"
    QPushButton *SpeedButton2; // "&Apply"

protected:
    std::optional<QString> buildFragment() override;
    void FormShow() override;

private:
    QString selection_;
};
