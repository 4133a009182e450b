#include "app/transfercommands.h"

#include "app/commandhost.h"
#include "app/commandstate.h"
#include "app/documentcommands.h"
#include "app/ftpdatastore.h"
#include "app/windowcommands.h"
#include "documents/filecommands.h"
#include "documents/filerules.h"
#include "documents/memo.h"
#include "documents/subform.h"
#include "documents/textfile.h"
#include "transfer/publishing.h"

#include <QAction>
#include <QFileInfo>

TransferCommands::TransferCommands(CommandHost &host, CommandState &state, DocumentCommands &documents,
                                   WindowCommands &windows)
    : host_(host), state_(state), documents_(documents), windows_(windows)
{
}

void TransferCommands::bind(CommandState &state)
{
    using commands::Id;
    state.bind(Id::Openwww, [this] { Openwww1Click(); });
    state.bind(Id::Savewww, [this] { Savewww1Click(); });
    state.bind(Id::FtpSettings, [this] { FTPSettings1Click(); });
    state.bind(Id::Resources, [this] { Resources1Click(); });
}

void TransferCommands::createPublishing(const QString &programFolder)
{
    const QString folder = programFolder;
    publishing = new transfer::Publishing(
        host_.frame(), [folder] { return loadFtpDataFile(folder); },
        [folder](const QStringList &lines) { return saveFtpDataFile(folder, lines); },
        documents_.saveDialogState());
    publishing->showModal = [this](QDialog *d) { return host_.runModal(d); };
    LoadFtpData();
}

void TransferCommands::LoadFtpData()
{
    publishing->LoadFtpData();
    FtpDataPresent = publishing->session.FtpDataPresent;
}

void TransferCommands::FTPSettings1Click()
{
    if (!publishing->FTPSettings())
        return;
    FtpDataPresent = publishing->session.FtpDataPresent;
    if (!host_.documents().isEmpty())
        state_.action(commands::Id::Savewww)->setEnabled(FtpDataPresent);
}

void TransferCommands::Savewww1Click()
{
    TSubForm *doc = host_.currentDocument();
    if (!doc)
        return;
    // A document that never had a file gets one through Save As first.
    if (filerules::isUntitled(doc->caption())) {
        if (!documents_.saveDocument(doc))
            return;
    } else if (const Result written = filecommands::write(*doc, doc->caption()); !written) {
        dialogs().error(written.message, host_.frame());
        return;
    }
    publishing->uploadDocument(doc->caption());
}

void TransferCommands::Resources1Click()
{
    TSubForm *doc = host_.currentDocument();
    if (!doc)
        return;
    const QString caption = doc->caption();
    const QString folder = caption.startsWith(QLatin1Char('~')) ? QString() : QFileInfo(caption).absolutePath();
    publishing->imageResources(doc->Memo1->text(), folder);
}

void TransferCommands::Openwww1Click()
{
    const QString target = publishing->openWww();
    if (target.isEmpty())
        return;
    // What cannot be edited as text (NUL bytes, UTF-16, too large) gets no
    // window: an empty one would overwrite the downloaded bytes at Save.
    textfile::Decoded decoded;
    const textfile::LoadStatus status = textfile::load(target, decoded);
    if (status != textfile::LoadStatus::Ok) {
        dialogs().error(textfile::loadFailureMessage(status, target), host_.frame());
        return;
    }
    TSubForm *doc = host_.CreateDocWindow(target);
    if (!documents_.fillDocument(doc, target, status, decoded, {}))
        return;
    windows_.AddWindowItem();
    doc->Memo1->setModified(true);
    state_.SetSaveCommands();
}
