#pragma once
// The publishing commands of the main window: FTP settings, Save @ www,
// image resources and Open @ www. The main window binds its menu entries
// here; this class owns the server table, the connection and the dialogs.
#include "platform/result.h"
#include "transfer/ftpprefs.h"
#include "transfer/ftpsession.h"

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
               FileDialogState &saveDialog);
    ~Publishing() override;

    FtpSession session;
    TFTPPrefs *FTPPrefs = nullptr;
    TFTPOUT *FTPOUT = nullptr;
    TResBox *ResBox = nullptr;
    TURLBox *URLBox = nullptr;
    // Shows a dialog modally; tests answer in its place.
    std::function<int(QDialog *)> showModal;

    // Reads the server table. The first entry becomes the current server.
    void LoadFtpData();
    // "&FTP Settings": true when the user kept new details.
    bool FTPSettings();
    // Save @ www once the document is written to `localFile`: the dialog,
    // the upload and its report; the connection is closed at the end.
    void uploadDocument(const QString &localFile);
    // "Image &Resources" for a document's text; `documentFolder` resolves
    // relative references. An empty text shows nothing.
    void imageResources(const QString &text, const QString &documentFolder);
    // "Open @ www...": the dialog and the download. The full path of the
    // file written, or "" when cancelled or failed (after the message).
    QString openWww();

private:
    QWidget *owner_;
    std::function<FtpDataRead()> load_;
};

} // namespace transfer
