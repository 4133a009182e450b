// The main window's tool commands: find and replace, find in files, the
// spike, the table editor, pictures, scripts and the keyword META line. Each
// handler hands its work to the tool's own window or logic.
#include "app/mainwindow.h"

#include "documents/filecommands.h"
#include "documents/filenames.h"
#include "documents/gotoline.h"
#include "documents/gotolinedialog.h"
#include "documents/filerules.h"
#include "documents/memo.h"
#include "documents/subform.h"
#include "documents/textfile.h"
#include "markup/insert.h"
#include "markup/newpagedialog.h"
#include "markup/jseditor.h"
#include "markup/paragraphdialog.h"
#include "markup/picturedialog.h"
#include "platform/appfolder.h"
#include "platform/focusreturn.h"
#include "search/findform.h"
#include "search/findinfiles.h"
#include "search/findinfilesform.h"
#include "search/htmlcheck.h"
#include "search/keywordrun.h"
#include "search/keywords.h"
#include "search/resultsform.h"
#include "spike/spikewindow.h"
#include "table/tablewindow.h"
#include "transfer/publishing.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QPointer>
#include <QProgressBar>
#include <QToolButton>

QString TMainForm::documentFolder() const
{
    if (!CurrentDoc || CurrentDoc->caption().startsWith(QLatin1Char('~')))
        return QString();
    return names::folderPart(CurrentDoc->caption());
}

void TMainForm::createToolWindows()
{
    tools_.createTools(*this);
}

QList<TSubForm *> TMainForm::documentsLeastRecentFirst()
{
    QList<TSubForm *> out;
    for (QMdiSubWindow *w : desktop->subWindowList(QMdiArea::ActivationHistoryOrder))
        if (TSubForm *doc = docOf(w))
            out << doc;
    // Windows never activated yet count as the oldest.
    for (TSubForm *doc : docs_)
        if (!out.contains(doc))
            out.prepend(doc);
    return out;
}

void TMainForm::bringToFront(TSubForm *doc)
{
    if (!docs_.contains(doc))
        return;
    if (doc->isMinimized())
        doc->showNormal();
    desktop->setActiveSubWindow(doc);
    doc->raise();
    if (CurrentDoc != doc)
        doc->FormActivate();
}

void TMainForm::Find1Click()
{
    createToolWindows();
    tools_.FindForm->Find1Click();
}

void TMainForm::Replace1Click()
{
    createToolWindows();
    tools_.FindForm->Replace1Click();
}

void TMainForm::FindinFiles1Click()
{
    createToolWindows();
    showModal(tools_.FinFiles);
}

void TMainForm::FindNext1Click()
{
    createToolWindows();
    tools_.FindForm->FindNextInCurrent();
}

void TMainForm::showSearchNote(const QString &text)
{
    statusPanel1->setText(text);
}

void TMainForm::GoToLine1Click()
{
    if (!CurrentDoc)
        return;
    TSubForm *doc = CurrentDoc;
    TMemo *memo = doc->Memo1;
    // Row numbers as the gutter shows them: with wrapping on, the rows of
    // the whole page must be known first (the user may cancel that wait).
    if (!memo->finishWrapping())
        return;
    const int rows = memo->lineCount();
    TGoToLine *dialog = tools_.goToLineDialog(this);
    dialog->FormShow(rows, doc->CaretLine());
    if (showModal(dialog) != QDialog::Accepted || !docs_.contains(doc))
        return;
    const gotoline::RowChoice choice = gotoline::readRow(dialog->typed(), rows);
    if (!choice.ok) {
        dialogs().error(choice.message, this);
        return;
    }
    memo->goToRow(choice.row);
    memo->setFocus();
    doc->Memo1MouseUp();
}

void TMainForm::CheckHtml1Click()
{
    if (!CurrentDoc)
        return;
    createToolWindows();
    TMemo *memo = CurrentDoc->Memo1;
    const search::HtmlCheck check = search::checkHtml(memo->text());
    if (!check.refusal.isEmpty()) {
        dialogs().error(check.refusal, this);
        return;
    }
    if (!tools_.resultsForm->AddHtmlCheck(check, search::fileNamePart(CurrentDoc->caption()), memo))
        return;
    tools_.resultsForm->show();
    tools_.resultsForm->raise();
}

void TMainForm::ShowSearchResults1Click()
{
    createToolWindows();
    if (tools_.resultsForm->isVisible())
        tools_.resultsForm->hide();
    else
        tools_.resultsForm->show();
}

void TMainForm::CopyToSpike1Click()
{
    if (!CurrentDoc)
        return;
    createToolWindows();
    tools_.Spike->CopyToSpike(CurrentDoc->Memo1->selText());
}

void TMainForm::ShowSpike1Click()
{
    createToolWindows();
    tools_.Spike->show();
    // The window takes the keyboard, so that Escape and the arrow keys reach it.
    focusInItsWindow(tools_.Spike->SpikeList);
}

void TMainForm::Table1Click()
{
    createToolWindows();
    createDialogsBeforeSplash();
    createDialogsAfterSplash();
    if (TableEditorClosed && tools_.TableEditor) {
        delete tools_.TableEditor;
        tools_.TableEditor = nullptr;
        TableEditorShown = false;
    }
    if (TableEditorShown && tools_.TableEditor) {
        tools_.TableEditor->hooks().documentFolder = documentFolder();
        tools_.TableEditor->show();
        tools_.TableEditor->raise();
        tools_.TableEditor->activateWindow();
        return;
    }
    TableEditorHooks hooks;
    hooks.insertTable = [this](const QString &html) {
        if (!CurrentDoc)
            return false;
        InsertFragment(html);
        return true;
    };
    hooks.choosePicture = [this](const QString &folder) -> std::optional<std::pair<QString, QImage>> {
        const std::optional<TNewHtml::Background> bg = choosePageBackground(*tools_.PictureDialog, folder);
        if (!bg)
            return std::nullopt;
        return std::make_pair(bg->imageRef, bg->preview);
    };
    hooks.spikePickMode = [this](bool on) {
        if (on)
            tools_.Spike->PickClips();
    };
    hooks.pickedText = [this] { return tools_.Spike->PickedText; };
    hooks.documentFolder = documentFolder();
    tools_.TableEditor = new Thtmltabletemp(hooks, tools_.Parabox, tools_.HtmlFont, this);
    connect(tools_.TableEditor, &Thtmltabletemp::closed, this, [this] { TableEditorClosed = true; });
    connect(tools_.TableEditor, &QObject::destroyed, this, [this] {
        TableEditorShown = false;
        tools_.TableEditor = nullptr;
    });
    tools_.TableEditor->show();
    TableEditorShown = true;
    TableEditorClosed = false;
}

void TMainForm::Image1Click()
{
    if (!CurrentDoc)
        return;
    createToolWindows();
    const std::optional<QString> tag = runImageCommand(*tools_.PictureDialog, documentFolder(), this);
    if (tag)
        InsertFragment(*tag);
    if (CurrentDoc)
        CurrentDoc->setFocus();
}

void TMainForm::Direct1Click()
{
    if (!CurrentDoc)
        return;
    createToolWindows();
    runDirectScript(*tools_.JSEditor, [this](const QString &t) { InsertFragment(t); });
}

void TMainForm::FromFile1Click()
{
    if (!CurrentDoc)
        return;
    createToolWindows();
    runScriptFromFile(*tools_.JSEditor, [this](const QString &t) { InsertFragment(t); });
}

void TMainForm::EditIgnoreList1Click()
{
    search::installDefaultIgnoreList(AppFolder, dataFolder());
    const QString path = search::ignoreListPath(AppFolder);
    const int before = documentCount();
    openDocument(path, Listing::Never, QString::fromLatin1(search::IgnoreListMissingMessage));
    if (documentCount() == before)
        return;   // a file that cannot be edited as text opens nothing
    TSubForm *doc = CurrentDoc;
    doc->Memo1->setFocus();
    doc->Memo1->setSelStart(0);
}

void TMainForm::META1Click()
{
    TSubForm *doc = CurrentDoc;
    if (!doc || keywordRun_)
        return;   // one scan at a time
    createDialogsAfterSplash();
    const QString text = doc->Memo1->text();
    const search::IgnoreListFile ignore = search::readIgnoreList(search::ignoreListPath(AppFolder));
    if (!ignore.ok) {
        dialogs().error(ignore.message, this);
        return;
    }
    keywordRun_ = new search::KeywordRun(text, ignore.value, this);
    tools_.Parabox->setWindowTitle(QStringLiteral("Keywords"));
    tools_.Parabox->ProgressBar1->setRange(0, 100);
    tools_.Parabox->ProgressBar1->setValue(0);
    tools_.Parabox->showKeywordProgress();
    tools_.Parabox->show();
    connect(keywordRun_, &search::KeywordRun::progress, tools_.Parabox->ProgressBar1, &QProgressBar::setValue);
    connect(tools_.Parabox, &TParabox::keywordSearchCancelled, keywordRun_, &search::KeywordRun::cancel);
    connect(keywordRun_, &search::KeywordRun::finished, this,
            [this, doc = QPointer<TSubForm>(doc), text] { finishKeywords(doc, text); });
    keywordRun_->start();
}

void TMainForm::finishKeywords(TSubForm *doc, const QString &text)
{
    const QString meta = keywordRun_->scan().metaText();
    keywordRun_->deleteLater();
    keywordRun_ = nullptr;
    tools_.Parabox->hideKeywordProgress();
    tools_.Parabox->setWindowTitle(QStringLiteral("Paragraph"));
    tools_.Parabox->hide();
    if (!doc || !docs_.contains(doc))
        return;   // the document went away during the scan
    const search::MetaInsertion ins = search::findMetaInsertion(text, meta);
    if (!ins.found) {
        dialogs().error(search::NoHeadMessage, this);
        return;
    }
    doc->Memo1->setSelStart(ins.offset);
    ::InsertFragment(*doc->Memo1, ins.text);
}

// ------------------------------------------------------------ publishing

void TMainForm::LoadFtpData()
{
    publishing->LoadFtpData();
    FtpDataPresent = publishing->session.FtpDataPresent;
}

void TMainForm::FTPSettings1Click()
{
    if (!publishing->FTPSettings())
        return;
    FtpDataPresent = publishing->session.FtpDataPresent;
    if (!docs_.isEmpty())
        action(commands::Id::Savewww)->setEnabled(FtpDataPresent);
}

void TMainForm::Savewww1Click()
{
    TSubForm *doc = CurrentDoc;
    if (!doc)
        return;
    // A document that never had a file gets one through Save As first.
    if (filerules::isUntitled(doc->caption())) {
        if (!saveDocument(doc))
            return;
    } else if (const Result r = filecommands::write(*doc, doc->caption()); !r) {
        dialogs().error(r.message, this);
        return;
    }
    publishing->uploadDocument(doc->caption());
}

void TMainForm::Resources1Click()
{
    if (!CurrentDoc)
        return;
    const QString caption = CurrentDoc->caption();
    const QString folder = caption.startsWith(QLatin1Char('~')) ? QString() : QFileInfo(caption).absolutePath();
    publishing->imageResources(CurrentDoc->Memo1->text(), folder);
}

void TMainForm::Openwww1Click()
{
    const QString target = publishing->openWww();
    if (target.isEmpty())
        return;
    // What cannot be edited as text (NUL bytes, UTF-16, too large) gets no
    // window: an empty one would overwrite the downloaded bytes at Save.
    textfile::Decoded decoded;
    const textfile::LoadStatus status = textfile::load(target, decoded);
    if (status != textfile::LoadStatus::Ok) {
        dialogs().error(textfile::loadFailureMessage(status, target), this);
        return;
    }
    QCoreApplication::processEvents();
    TSubForm *doc = CreateDocWindow(target);
    if (!fillDocument(doc, target, status, decoded, {}))
        return;
    AddWindowItem();
    doc->Memo1->setModified(true);
    SetSaveCommands();
}
