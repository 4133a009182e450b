#pragma once
// "Download File": the web address and the local file to save it in.
#include <QDialog>

class QLineEdit;
class QPushButton;
class QToolButton;
struct FileDialogState;

class TURLBox : public QDialog {
    Q_OBJECT
public:
    // `saveDialog` is the main window's shared save dialog state.
    TURLBox(FileDialogState &saveDialog, QWidget *parent = nullptr);

    QString Url;
    QString TargetFile;

    QLineEdit *Edit1 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QToolButton *SpeedButton1 = nullptr;
    QPushButton *CancelBtn = nullptr;
    QPushButton *GoBtn = nullptr;

    void FormShow();
    void GoBtnClick();
    void CancelBtnClick();
    void SpeedButton1Click();

    // Escape and closing the window cancel.
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FileDialogState &saveDialog_;
};
