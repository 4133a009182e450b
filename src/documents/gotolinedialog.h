#pragma once
// "Go to Line": asks for a row number as the gutter shows it. It only moves
// the typed text in and out; the caller reads it (documents/gotoline.h) and
// moves the caret.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TGoToLine : public QDialog {
    Q_OBJECT
public:
    explicit TGoToLine(QWidget *parent = nullptr);

    QLabel *Label1;
    QLineEdit *LineEdit;
    QPushButton *CancelBtn;
    QPushButton *GoBtn;

    // Sets the prompt for a text of `rows` rows and the field to the caret's
    // row, selected, so typing replaces it.
    void FormShow(int rows, int caretRow);
    QString typed() const;
};
