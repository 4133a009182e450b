#pragma once
// "IMG Resources": the files the page refers to, and their upload into a
// server folder chosen in the upload dialog.
#include <QDialog>
#include <functional>

class QListWidget;
class QProgressBar;
class QPushButton;
class TFTPOUT;
namespace transfer { struct FtpSession; }

class TResBox : public QDialog {
    Q_OBJECT
public:
    TResBox(transfer::FtpSession &session, TFTPOUT &ftpDialog,
            std::function<int(QDialog *)> &showModal, QWidget *parent = nullptr);

    QListWidget *IMGList = nullptr;
    QProgressBar *PB1 = nullptr;
    QPushButton *CloseBtn = nullptr;
    QPushButton *SpeedButton1 = nullptr;   // "Upload"

    // Relative references are files of this folder.
    QString documentFolder;

    void FormShow();
    void CloseBtnClick();
    void SpeedButton1Click();

private:
    transfer::FtpSession &session_;
    TFTPOUT &ftp_;
    std::function<int(QDialog *)> &showModal_;
};
