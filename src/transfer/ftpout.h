#pragma once
// "FTP Upload": picks a server, walks its folders, may create one, and
// returns the remote path to store under (or, in image mode, the folder).
#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;
namespace transfer { struct FtpSession; }

class TFTPOUT : public QDialog {
    Q_OBJECT
public:
    TFTPOUT(transfer::FtpSession &session, QWidget *parent = nullptr);

    QString UploadPath;
    bool ImageMode = false;
    // The file-name part of the current document's title.
    QString documentName;

    QLabel *Label1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QToolButton *GetDirBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
    QPushButton *ApplyBtn = nullptr;
    QLabel *Label3 = nullptr;
    QComboBox *servercombo = nullptr;
    QToolButton *SpeedButton8 = nullptr;
    QLabel *Label2 = nullptr;
    QListWidget *DList = nullptr;
    QPushButton *SelectBtn = nullptr;
    QPushButton *CloseUpBtn = nullptr;

    void FormShow();
    void GetDirBtnClick();
    void servercomboChange();
    void DListDblClick();
    void SelectBtnClick();
    void CloseUpBtnClick();
    void SpeedButton8Click();
    void ApplyBtnClick();
    void CancelBtnClick();
    void ListServerFolder(const QString &path);

    // The window's outer height, title bar included: 360 open, 102 closed up,
    // 108 after a folder was selected.
    int outerHeight() const;
    void setOuterHeight(int h);

protected:
    void showEvent(QShowEvent *e) override;

private:
    transfer::FtpSession &session_;
};
