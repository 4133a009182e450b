#include "app/documentcommands.h"

#include "app/commandhost.h"
#include "app/commandstate.h"
#include "app/windowcommands.h"
#include "documents/filechecks.h"
#include "documents/filenames.h"
#include "documents/filerules.h"
#include "documents/memo.h"
#include "documents/rtftotext.h"
#include "documents/subform.h"
#include "platform/fileio.h"
#include "settings/settingsstore.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

DocumentCommands::DocumentCommands(CommandHost &host, CommandState &state, WindowCommands &windows,
                                   const MivorSettings &settings)
    : host_(host), state_(state), windows_(windows), settings_(settings)
{
}

void DocumentCommands::bind(CommandState &state)
{
    using commands::Id;
    state.bind(Id::New, [this] { New1Click(); });
    state.bind(Id::Open, [this] { Open1Click(); });
    state.bind(Id::Save, [this] { Save1Click(); });
    state.bind(Id::SaveAs, [this] { SaveAs1Click(); });
    state.bind(Id::SaveSelection, [this] { SaveSelBtnClick(); });
    state.bind(Id::Close, [this] { Close1Click(); });
    state.bind(Id::CloseAll, [this] { CloseAll1Click(); });
    state.bind(Id::Exit, [this] { Exit1Click(); });
    state.bind(Id::Undo, [this] { Undo1Click(); });
    state.bind(Id::Redo, [this] { Redo1Click(); });
    state.bind(Id::Cut, [this] { CutBtnClick(); });
    state.bind(Id::Copy, [this] { CopyBtnClick(); });
    state.bind(Id::Paste, [this] { PasteBtnClick(); });
    state.bind(Id::Delete, [this] { Delete1Click(); });
    state.bind(Id::SelectAll, [this] { SelectAll1Click(); });
}

TSubForm *DocumentCommands::current()
{
    return host_.currentDocument();
}

// ------------------------------------------------------------ files

filecommands::SaveOptions DocumentCommands::saveOptions()
{
    filecommands::SaveOptions o;
    o.makeBackups = settings_.MakeBackups;
    o.newPage = NewPageSaving;
    o.saveDialog = &SaveDialog1;
    o.parent = host_.frame();
    return o;
}

bool DocumentCommands::openDocument(const QString &path, Listing listing, const QString &cannotOpenMessage)
{
    textfile::Decoded decoded;
    const textfile::LoadStatus status = textfile::load(path, decoded);
    // Such a file cannot be edited without losing bytes: no window at all.
    if (status == textfile::LoadStatus::ZeroBytes) {
        dialogs().error(textfile::loadFailureMessage(status, path), host_.frame());
        return false;
    }
    // A folder, FIFO or device holds no text: an empty window titled with
    // it would only invite a save that cannot work.
    if (status == textfile::LoadStatus::CannotOpen && filechecks::isNoRegularFile(path)) {
        dialogs().error(cannotOpenMessage.isEmpty() ? textfile::loadFailureMessage(status, path)
                                                    : cannotOpenMessage,
                        host_.frame());
        return false;
    }
    TSubForm *doc = host_.CreateDocWindow(path);
    if (listing == Listing::Always)
        windows_.AddWindowItem();
    if (!fillDocument(doc, path, status, decoded, cannotOpenMessage))
        return false;
    if (listing == Listing::OnSuccess)
        windows_.AddWindowItem();
    return true;
}

bool DocumentCommands::fillDocument(TSubForm *doc, const QString &path, textfile::LoadStatus status,
                                    const textfile::Decoded &decoded, const QString &cannotOpenMessage)
{
    const filecommands::LoadResult r =
        filecommands::fill(*doc, path, status, decoded, dialogs(), host_.frame(), cannotOpenMessage);
    if (r.restored && doc == current())
        state_.SetUndoCommands();
    return r.loaded;
}

void DocumentCommands::openCommandLinePath(const QString &path)
{
    const QString ext = names::extensionOf(path).toUpper();
    if (ext == QLatin1String(".HTM") || ext == QLatin1String(".HTML")) {
        openDocument(path, Listing::OnSuccess);
    } else if (ext == QLatin1String(".RTF")) {
        const fileio::FileRead rtf = fileio::readRegularFile(path, textfile::kMaxDocumentBytes);
        if (!rtf) {
            dialogs().error(rtf.tooLarge ? QStringLiteral("Text exceeds memo capacity")
                                         : QStringLiteral("Cannot open file ") + path,
                            host_.frame());
            return;
        }
        const QString text = rtfToText(rtf.value);
        TSubForm *doc = newUntitledDocument();
        windows_.AddWindowItem();
        doc->Memo1->setText(text);
        doc->Memo1->setModified(true);
        state_.SetUndoCommands();
    } else if (!path.isEmpty()) {
        openDocument(path, Listing::Always);
    }
}

void DocumentCommands::openDroppedFiles(const QStringList &paths)
{
    for (const QString &path : paths)
        openDocument(path, Listing::OnSuccess);
}

TSubForm *DocumentCommands::newUntitledDocument()
{
    ++UntitledCount;
    return host_.CreateDocWindow(QStringLiteral("~Untiltled") + QString::number(UntitledCount));
}

void DocumentCommands::New1Click()
{
    newUntitledDocument();
    windows_.AddWindowItem();
}

void DocumentCommands::Open1Click()
{
    OpenDialog1.title = QStringLiteral("Open");
    OpenDialog1.filter = filerules::openFilter();
    OpenDialog1.fileName.clear();
    OpenDialog1.defaultExt.clear();
    if (!dialogs().openFile(OpenDialog1, host_.frame()))
        return;
    openDocument(OpenDialog1.fileName, Listing::OnSuccess);
}

bool DocumentCommands::saveDocument(TSubForm *doc)
{
    if (!doc)
        return false;
    return afterSave(*doc, filecommands::save(*doc, saveOptions(), dialogs()));
}

void DocumentCommands::Save1Click()
{
    saveDocument(current());
}

void DocumentCommands::SaveAs1Click()
{
    saveAsDocument(current());
}

// Any document window, current or not: an untitled window closed while
// another one is current must be saved under its own text.
void DocumentCommands::saveAsDocument(TSubForm *doc)
{
    if (doc)
        afterSave(*doc, filecommands::saveAs(*doc, saveOptions(), dialogs()));
}

void DocumentCommands::saveAsNewPage(TSubForm *doc)
{
    NewPageSaving = true;
    saveAsDocument(doc);
    NewPageSaving = false;
}

bool DocumentCommands::afterSave(TSubForm &doc, const filecommands::SaveResult &r)
{
    TSubForm *was = current();
    if (r.saved() && &doc == was)
        state_.SetSaveCommands();
    if (!r.viaSaveAs || r.outcome == filecommands::Outcome::Failed)
        return r.saved();
    // Listed again under its caption, whether or not a name was chosen.
    windows_.removeWindowEntries(r.oldCaption);
    windows_.AddWindowItem(&doc);
    // The check stays with the window that is current.
    if (was && was != &doc)
        windows_.checkWindowEntries(was->caption());
    return r.saved();
}

void DocumentCommands::SaveSelBtnClick()
{
    if (TSubForm *doc = current())
        filecommands::saveSelection(*doc, SaveDialog1, dialogs(), host_.frame());
}

void DocumentCommands::Close1Click()
{
    if (TSubForm *doc = current())
        doc->close();
}

void DocumentCommands::CloseAll1Click()
{
    closeNext(int(host_.documents().size()));
}

void DocumentCommands::closeNext(int left)
{
    TSubForm *doc = current();
    if (left <= 0 || !doc)
        return;
    // A window whose close the user cancels stays current and is asked
    // again at the next step.
    doc->close();
    // The next window is current once this close has run its course.
    QTimer::singleShot(0, host_.frame(), [this, left] { closeNext(left - 1); });
}

void DocumentCommands::Exit1Click()
{
    host_.frame()->close();
}

// ------------------------------------------------------------ edit commands

// Undo goes back as many steps as the engine keeps (a run of typing is one),
// and Redo forward again; both stay enabled while they have a step to take.
void DocumentCommands::Undo1Click()
{
    if (TSubForm *doc = current()) {
        doc->Memo1->undo();
        state_.SetUndoCommands();
    }
}

void DocumentCommands::Redo1Click()
{
    if (TSubForm *doc = current()) {
        doc->Memo1->redo();
        state_.SetUndoCommands();
    }
}

void DocumentCommands::CutBtnClick()
{
    if (TSubForm *doc = current()) {
        doc->Memo1->cut();
        doc->Memo1->setModified(true);
        state_.SetPasteCommands();
    }
}

void DocumentCommands::CopyBtnClick()
{
    if (TSubForm *doc = current()) {
        doc->Memo1->copy();
        state_.SetPasteCommands();
    }
}

void DocumentCommands::PasteBtnClick()
{
    if (TSubForm *doc = current())
        doc->Memo1->paste();
}

void DocumentCommands::Delete1Click()
{
    if (TSubForm *doc = current())
        doc->Memo1->replaceSelection(QString());
}

void DocumentCommands::SelectAll1Click()
{
    if (TSubForm *doc = current()) {
        doc->Memo1->selectAll();
        doc->Memo1KeyUp();
    }
}
