#pragma once
// "FTP Preferences": the grid in which the user keeps up to four servers.
#include "platform/result.h"
#include "transfer/ftpdata.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QTableWidget;
class QPushButton;

class TFTPPrefs : public QDialog {
    Q_OBJECT
public:
    // `store` writes the kept lines to the settings folder; it fails with a
    // message for the user.
    using Store = std::function<Result(const QStringList &lines)>;
    explicit TFTPPrefs(Store store, QWidget *parent = nullptr);

    QTableWidget *StringGrid1 = nullptr;
    QPushButton *SpeedButton1 = nullptr;   // "&Cancel"
    QPushButton *SpeedButton2 = nullptr;   // "&Keep"
    // Whether the passwords go to the desktop's keyring rather than the file;
    // disabled when no keyring is reachable.
    QCheckBox *KeyringBox = nullptr;

    void FormShow(const transfer::FtpServerTable &table);
    void SpeedButton1Click();
    void SpeedButton2Click();

    // Row 1 to 4 of the grid (the header is row 0).
    void setCell(int row, int column, const QString &text);
    QString cell(int row, int column) const;

private:
    Store store_;
};
