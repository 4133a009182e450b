#pragma once
// The publishing commands of the main window: FTP settings, Save @ www,
// image resources and Open @ www. The main window binds its menu entries
// here; this class owns the server table, the connection and the dialogs.
#include "platform/result.h"
#include "transfer/ftpprefs.h"
#include "transfer/ftpsession.h"
#include "transfer/keyring.h"

#include <QObject>
#include <functional>

class QDialog;
class QWidget;
class TFTPOUT;
class TResBox;
class TURLBox;
struct FileDialogState;

namespace transfer {

// What reading FTPData.dvf gave: ok with its lines, or a failure. A missing
// file is a failure without a message; a damaged one carries a message.
using FtpDataRead = ResultOf<QStringList>;

class Publishing : public QObject {
    Q_OBJECT
public:
    Publishing(QWidget *owner, std::function<FtpDataRead()> load, TFTPPrefs::Store store,
               FileDialogState &saveDialog, Keyring &keyring = desktopKeyring());
    ~Publishing() override;

    FtpSession session;
    TFTPPrefs *FTPPrefs = nullptr;
    TFTPOUT *FTPOUT = nullptr;
    TResBox *ResBox = nullptr;
    TURLBox *URLBox = nullptr;
    // Shows a dialog modally; tests answer in its place.
    std::function<int(QDialog *)> showModal;

    // Reads the server table. The first entry becomes the current server.
    // Passwords kept in the keyring are filled in as the keyring answers.
    void LoadFtpData();
    // The keyring calls (reads of LoadFtpData, removals of Keep) that have
    // not answered yet.
    int passwordsPending() const { return pendingReads_ + pendingRemovals_; }
    // "&FTP Settings": true when the user kept new details.
    bool FTPSettings();
    // Save @ www once the document is written to `localFile`: the dialog,
    // the upload and its report; the connection is closed at the end.
    void uploadDocument(const QString &localFile);
    // "Image &Resources" for a document's text; only files inside
    // `documentFolder`'s tree may be uploaded ("" for a page never saved:
    // none may). An empty text shows nothing.
    void imageResources(const QString &text, const QString &documentFolder);
    // "Open @ www...": the dialog and the download. The full path of the
    // file written, or "" when cancelled or failed (after the message).
    QString openWww();

private:
    // Keep: the passwords into the keyring when the user chose so and it
    // takes them, then the file; the keyring's old entries are removed.
    Result keepServers(const QStringList &lines, const TFTPPrefs::Store &store);
    bool writePasswords(const QList<FtpServerEntry> &records, QString &error);
    // A keyring read of LoadFtpData answered for entry k.
    void answered(qsizetype k, const FtpServerEntry &entry, bool ok, const QString &password, const QString &error);

    QWidget *owner_;
    std::function<FtpDataRead()> load_;
    Keyring &keyring_;
    bool keyringInUse_ = false;   // the file read last sends passwords to the keyring
    int pendingReads_ = 0;
    int pendingRemovals_ = 0;
    int loadGeneration_ = 0;      // answers for an older table are dropped
};

} // namespace transfer
