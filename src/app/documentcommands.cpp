#include "app/mainwindow.h"
#include "app/windowlist.h"
#include "documents/filechecks.h"
#include "documents/filecommands.h"
#include "documents/filerules.h"
#include "documents/memo.h"
#include "documents/subform.h"
#include "documents/textfile.h"
#include "platform/dialogs.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDropEvent>
#include <QMdiArea>
#include <QMimeData>
#include <QTimer>
#include <QToolButton>

// The File and Edit menus' handlers: each a short call into the file
// commands of documents/ or the current document's text area.

// ------------------------------------------------------------ files

filecommands::SaveOptions TMainForm::saveOptions()
{
    filecommands::SaveOptions o;
    o.makeBackups = settings.MakeBackups;
    o.newPage = NewPageSaving;
    o.saveDialog = &SaveDialog1;
    o.parent = this;
    return o;
}

bool TMainForm::openDocument(const QString &path, Listing listing, const QString &cannotOpenMessage)
{
    textfile::Decoded decoded;
    const textfile::LoadStatus status = textfile::load(path, decoded);
    // Such a file cannot be edited without losing bytes: no window at all.
    if (status == textfile::LoadStatus::ZeroBytes) {
        dialogs().error(textfile::loadFailureMessage(status, path), this);
        return false;
    }
    // A folder, FIFO or device holds no text: an empty window titled with
    // it would only invite a save that cannot work.
    if (status == textfile::LoadStatus::CannotOpen && filechecks::isNoRegularFile(path)) {
        dialogs().error(cannotOpenMessage.isEmpty() ? textfile::loadFailureMessage(status, path)
                                                    : cannotOpenMessage,
                        this);
        return false;
    }
    TSubForm *doc = CreateDocWindow(path);
    if (listing == Listing::Always)
        AddWindowItem();
    if (!fillDocument(doc, path, status, decoded, cannotOpenMessage))
        return false;
    if (listing == Listing::OnSuccess)
        AddWindowItem();
    return true;
}

bool TMainForm::fillDocument(TSubForm *doc, const QString &path, textfile::LoadStatus status,
                             const textfile::Decoded &decoded, const QString &cannotOpenMessage)
{
    const filecommands::LoadResult r =
        filecommands::fill(*doc, path, status, decoded, dialogs(), this, cannotOpenMessage);
    if (r.restored && doc == CurrentDoc)
        SetUndoCommands();
    return r.loaded;
}

void TMainForm::New1Click()
{
    ++UntitledCount;
    CreateDocWindow(QStringLiteral("~Untiltled") + QString::number(UntitledCount));
    AddWindowItem();
}

void TMainForm::Open1Click()
{
    OpenDialog1.title = QStringLiteral("Open");
    OpenDialog1.filter = filerules::openFilter();
    OpenDialog1.fileName.clear();
    OpenDialog1.defaultExt.clear();
    if (!dialogs().openFile(OpenDialog1, this))
        return;
    openDocument(OpenDialog1.fileName, Listing::OnSuccess);
}

// Files dropped on the window open one after the other as Open opens them.
// Text dragged inside a document is the text area's own business; it passes
// drags of files on to here.
static QStringList filesOf(const QMimeData *data)
{
    return data && data->hasUrls() ? filerules::droppedFiles(data->urls()) : QStringList();
}

static void acceptFiles(QDragMoveEvent *e)
{
    if (!filesOf(e->mimeData()).isEmpty())
        e->acceptProposedAction();
    else
        e->ignore();
}

void TMainForm::dragEnterEvent(QDragEnterEvent *e)
{
    acceptFiles(e);
}

void TMainForm::dragMoveEvent(QDragMoveEvent *e)
{
    acceptFiles(e);
}

void TMainForm::dropEvent(QDropEvent *e)
{
    const QStringList paths = filesOf(e->mimeData());
    if (paths.isEmpty()) {
        e->ignore();
        return;
    }
    // The drag source waits until the drop returns: open the files after it,
    // so a message box about one of them does not hold the file manager.
    e->acceptProposedAction();
    QTimer::singleShot(0, this, [this, paths] { openDroppedFiles(paths); });
}

void TMainForm::openDroppedFiles(const QStringList &paths)
{
    for (const QString &path : paths)
        openDocument(path, Listing::OnSuccess);
}

bool TMainForm::saveDocument(TSubForm *doc)
{
    if (!doc)
        return false;
    return afterSave(*doc, filecommands::save(*doc, saveOptions(), dialogs()));
}

void TMainForm::Save1Click()
{
    saveDocument(CurrentDoc);
}

void TMainForm::SaveAs1Click()
{
    saveAsDocument(CurrentDoc);
}

// Save As of any document window, current or not: an untitled window closed
// while another one is current must be saved under its own text.
void TMainForm::saveAsDocument(TSubForm *doc)
{
    if (doc)
        afterSave(*doc, filecommands::saveAs(*doc, saveOptions(), dialogs()));
}

bool TMainForm::afterSave(TSubForm &doc, const filecommands::SaveResult &r)
{
    if (r.saved() && &doc == CurrentDoc)
        SetSaveCommands();
    if (!r.viaSaveAs || r.outcome == filecommands::Outcome::Failed)
        return r.saved();
    // Listed again under its caption, whether or not a name was chosen.
    removeWindowEntries(r.oldCaption);
    TSubForm *was = CurrentDoc;
    CurrentDoc = &doc;
    AddWindowItem();
    CurrentDoc = was;
    // The check stays with the window that is current.
    if (was && was != &doc)
        checkWindowEntries(was->caption());
    return r.saved();
}

void TMainForm::SaveSelBtnClick()
{
    if (CurrentDoc)
        filecommands::saveSelection(*CurrentDoc, SaveDialog1, dialogs(), this);
}

void TMainForm::Close1Click()
{
    if (CurrentDoc)
        CurrentDoc->close();
}

void TMainForm::CloseAll1Click()
{
    const int n = docs_.size();
    for (int i = 0; i < n; ++i) {
        if (CurrentDoc)
            CurrentDoc->close();
        QCoreApplication::processEvents();
    }
}

void TMainForm::Exit1Click()
{
    close();
}

// ------------------------------------------------------------ edit commands

// Undo goes back as many steps as the engine keeps (a run of typing is one),
// and Redo forward again; both stay enabled while they have a step to take.
void TMainForm::Undo1Click()
{
    if (!CurrentDoc)
        return;
    CurrentDoc->Memo1->undo();
    SetUndoCommands();
}

void TMainForm::Redo1Click()
{
    if (!CurrentDoc)
        return;
    CurrentDoc->Memo1->redo();
    SetUndoCommands();
}

void TMainForm::CutBtnClick()
{
    if (!CurrentDoc)
        return;
    CurrentDoc->Memo1->cut();
    CurrentDoc->Memo1->setModified(true);
    SetPasteCommands();
}

void TMainForm::CopyBtnClick()
{
    if (!CurrentDoc)
        return;
    CurrentDoc->Memo1->copy();
    SetPasteCommands();
}

void TMainForm::PasteBtnClick()
{
    if (CurrentDoc)
        CurrentDoc->Memo1->paste();
}

void TMainForm::Delete1Click()
{
    if (CurrentDoc)
        CurrentDoc->Memo1->replaceSelection(QString());
}

void TMainForm::SelectAll1Click()
{
    if (!CurrentDoc)
        return;
    CurrentDoc->Memo1->selectAll();
    CurrentDoc->Memo1KeyUp();
}

