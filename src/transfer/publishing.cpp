#include "transfer/publishing.h"

#include "platform/dialogs.h"
#include "transfer/download.h"
#include "transfer/ftplogic.h"
#include "transfer/ftpout.h"
#include "transfer/imagerefs.h"
#include "transfer/resbox.h"
#include "transfer/transferrunner.h"
#include "transfer/urlbox.h"

#include <QFileInfo>
#include <QListWidget>

namespace transfer {

Publishing::Publishing(QWidget *owner, std::function<FtpDataRead()> load, TFTPPrefs::Store store,
                       FileDialogState &saveDialog)
    : QObject(owner), owner_(owner), load_(std::move(load))
{
    showModal = [](QDialog *d) { return d->exec(); };
    FTPPrefs = new TFTPPrefs(std::move(store), owner);
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
    session.FtpServers = tableFromRecords(recordsFromLines(read.value));
    session.FtpServer = session.FtpServers[0].Server;
    session.FtpUser = session.FtpServers[0].UserName;
    session.FtpPassword = session.FtpServers[0].Password;
    session.FtpDataPresent = true;
}

bool Publishing::FTPSettings()
{
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
        dialogs().error(QStringLiteral("Failed to upload file."), owner_);
    session.closeHandles();
}

void Publishing::imageResources(const QString &text, const QString &documentFolder)
{
    ResBox->IMGList->clear();
    if (text.isEmpty())
        return;
    ResBox->IMGList->addItems(scanImageReferences(text));
    ResBox->documentFolder = documentFolder;
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
        dialogs().error(QStringLiteral("Error in file download"), owner_);
        return {};
    }
    return target;
}

} // namespace transfer
