#include "transfer/publishing.h"

#include "platform/dialogs.h"
#include "transfer/download.h"
#include "transfer/ftplogic.h"
#include "transfer/ftpout.h"
#include "transfer/imagerefs.h"
#include "transfer/resbox.h"
#include "transfer/transferrunner.h"
#include "transfer/urlbox.h"

#include <QCheckBox>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <QListWidget>

namespace transfer {

Publishing::Publishing(QWidget *owner, std::function<FtpDataRead()> load, TFTPPrefs::Store store,
                       FileDialogState &saveDialog, Keyring &keyring)
    : QObject(owner), owner_(owner), load_(std::move(load)), keyring_(keyring)
{
    showModal = [](QDialog *d) { return d->exec(); };
    FTPPrefs = new TFTPPrefs([this, store = std::move(store)](const QStringList &lines) {
        return keepServers(lines, store);
    }, owner);
    FTPOUT = new TFTPOUT(session, owner);
    ResBox = new TResBox(session, *FTPOUT, showModal, owner);
    URLBox = new TURLBox(saveDialog, owner);
}

Publishing::~Publishing()
{
    session.closeHandles();
}

void Publishing::LoadFtpData()
{
    const FtpDataRead read = load_();
    if (!read.message.isEmpty())
        dialogs().error(read.message, owner_);
    if (!read.ok) {
        session.FtpDataPresent = false;
        return;
    }
    const QList<FtpServerEntry> records = recordsFromLines(read.value);
    session.FtpServers = tableFromRecords(records);
    session.FtpServer = session.FtpServers[0].Server;
    session.FtpUser = session.FtpServers[0].UserName;
    session.FtpPassword = session.FtpServers[0].Password;
    session.FtpDataPresent = true;

    const int generation = ++loadGeneration_;
    keyringInUse_ = false;
    pendingReads_ = 0;
    for (qsizetype k = 0; k < records.size(); ++k) {
        if (!isKeyringMarker(records[k].Password))
            continue;
        keyringInUse_ = true;
        const FtpServerEntry entry = records[k];
        if (!keyring_.reachable()) {
            dialogs().error(QStringLiteral("The FTP password for %1 is kept in the desktop keyring, which "
                                           "cannot be reached now.").arg(passwordKey(entry)),
                            owner_);
            continue;
        }
        ++pendingReads_;
        // The keyring answers later; the table may have been read again, or
        // the window gone, by then.
        keyring_.read(passwordKey(entry), [self = QPointer<Publishing>(this), k, entry, generation](
                                              bool ok, const QString &password, const QString &error) {
            if (!self || generation != self->loadGeneration_)
                return;
            self->answered(k, entry, ok, password, error);
        });
    }
}

void Publishing::answered(qsizetype k, const FtpServerEntry &entry, bool ok, const QString &password,
                          const QString &error)
{
    --pendingReads_;
    if (!ok) {
        dialogs().error(QStringLiteral("The FTP password for %1 could not be read from the desktop keyring.\n%2")
                            .arg(passwordKey(entry), error),
                        owner_);
        return;
    }
    session.FtpServers[size_t(k)].Password = password;
    if (k == 0 && session.FtpServer == entry.Server && session.FtpUser == entry.UserName)
        session.FtpPassword = password;
}

bool Publishing::writePasswords(const QList<FtpServerEntry> &records, QString &error)
{
    // Keep waits for the keyring: it may ask the user to unlock it first.
    // The answers may come after a time-out, so what they touch outlives it.
    struct Writes {
        int left = 0;
        bool allKept = true;
        QString error;
        QEventLoop wait;
    };
    auto writes = std::make_shared<Writes>();
    writes->left = int(records.size());
    for (const FtpServerEntry &entry : records) {
        keyring_.write(passwordKey(entry), entry.Password, [writes](bool ok, const QString &why) {
            if (!ok && writes->allKept) {
                writes->allKept = false;
                writes->error = why;
            }
            if (--writes->left == 0)
                writes->wait.quit();
        });
    }
    if (writes->left > 0) {
        QTimer::singleShot(60000, &writes->wait, [w = writes.get()] {
            if (w->left > 0) {
                w->allKept = false;
                w->error = QStringLiteral("The keyring did not answer.");
            }
            w->wait.quit();
        });
        writes->wait.exec();
    }
    error = writes->error;
    return writes->allKept && writes->left == 0;
}

Result Publishing::keepServers(const QStringList &lines, const TFTPPrefs::Store &store)
{
    const QList<FtpServerEntry> records = recordsFromLines(lines);
    QStringList stored = lines;
    bool inKeyring = false;
    const bool tried = FTPPrefs->KeyringBox->isChecked() && FTPPrefs->KeyringBox->isEnabled() && !records.isEmpty();
    if (tried) {
        QString error;
        if (writePasswords(records, error)) {
            stored = withKeyringMarkers(lines);
            inKeyring = true;
        } else {
            dialogs().error(QStringLiteral("The desktop keyring did not keep the FTP passwords; they are kept "
                                           "scrambled in FTPData.dvf instead.\n%1").arg(error),
                            FTPPrefs);
        }
    }
    const Result written = store(stored);
    if (!written)
        return written;
    // What the keyring holds for servers no longer kept there goes: those
    // dropped from the table, or all of them when the file keeps them now.
    if (!tried && !keyringInUse_)
        return written;
    QStringList keptKeys, goneKeys;
    for (const FtpServerEntry &entry : records)
        (inKeyring ? keptKeys : goneKeys) << passwordKey(entry);
    if (keyringInUse_) {
        for (const FtpServerEntry &old : session.FtpServers)
            if (!old.Server.isEmpty() && !keptKeys.contains(passwordKey(old)))
                goneKeys << passwordKey(old);
    }
    goneKeys.removeDuplicates();
    for (const QString &key : goneKeys) {
        ++pendingRemovals_;
        keyring_.remove(key, [self = QPointer<Publishing>(this)](bool, const QString &) {
            if (self)
                --self->pendingRemovals_;
        });
    }
    return written;
}

bool Publishing::FTPSettings()
{
    const bool reachable = keyring_.reachable();
    FTPPrefs->KeyringBox->setEnabled(reachable);
    // On where a keyring answers, unless the file read last kept the
    // passwords itself (the user chose so).
    const bool anyServer = !session.FtpServers[0].Server.isEmpty();
    FTPPrefs->KeyringBox->setChecked(reachable && (keyringInUse_ || !anyServer));
    FTPPrefs->FormShow(session.FtpServers);
    if (showModal(FTPPrefs) != QDialog::Accepted)
        return false;
    LoadFtpData();
    return true;
}

void Publishing::uploadDocument(const QString &localFile)
{
    FTPOUT->ImageMode = false;
    FTPOUT->documentName = fileNamePart(localFile);
    if (showModal(FTPOUT) != QDialog::Accepted) {
        session.closeHandles();
        return;
    }
    const QString uploadPath = FTPOUT->UploadPath;
    const QString remote = remoteNameOf(uploadPath);
    InternetClient &client = session.client;
    bool sent = false;
    runInBackground(owner_, QStringLiteral("Uploading %1...").arg(fileNamePart(localFile)), client,
                    [&] { sent = client.putFile(localFile, remote); });
    if (sent)
        dialogs().message(QStringLiteral("File uploaded to: Server: ") + session.FtpServer
                              + QStringLiteral(" in Folder:") + FolderPart(uploadPath),
                          owner_);
    else
        dialogs().error(withReason(QStringLiteral("Failed to upload file."), client.lastError()), owner_);
    session.closeHandles();
}

void Publishing::imageResources(const QString &text, const QString &documentFolder)
{
    ResBox->IMGList->clear();
    if (text.isEmpty())
        return;
    ResBox->setReferences(scanImageReferences(text), documentFolder);
    ResBox->FormShow();
    showModal(ResBox);
}

QString Publishing::openWww()
{
    URLBox->FormShow();
    showModal(URLBox);
    if (URLBox->Url.isEmpty())
        return {};
    const QString target = QFileInfo(URLBox->TargetFile).absoluteFilePath();
    InternetClient client;
    Result downloaded = Result::failure(QString());   // stays so if the download never ran
    runInBackground(owner_, QStringLiteral("Downloading %1...").arg(URLBox->Url), client,
                    [&] { downloaded = DownloadFile(client, URLBox->Url, target); });
    if (!downloaded) {
        // The design's sentence first; why, where known, below it.
        dialogs().error(withReason(QStringLiteral("Error in file download"), downloaded.message), owner_);
        return {};
    }
    return target;
}

} // namespace transfer
