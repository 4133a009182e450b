#pragma once
// "IMG Resources": the files the page refers to, and their upload into a
// server folder chosen in the upload dialog.
#include <QDialog>
#include <functional>

class QListWidget;
class QListWidgetItem;
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

    // Lists the page's references. Those that may not leave the machine stay
    // in the list with the reason and cannot be selected. `pageFolder` is
    // the folder of the page's file, "" for a page never saved.
    void setReferences(const QStringList &references, const QString &pageFolder);
    // The reference an entry of IMGList stands for.
    static QString referenceOf(const QListWidgetItem *item);

    void FormShow();
    void CloseBtnClick();
    // Sends the selected files one after the other, each while a progress
    // box may show; meanwhile a second press and a close do nothing.
    void SpeedButton1Click();
    void reject() override;

private:
    transfer::FtpSession &session_;
    TFTPOUT &ftp_;
    std::function<int(QDialog *)> &showModal_;
    QString pageFolder_;
    bool uploading_ = false;
};
