// The main window's tool commands: find and replace, find in files, the
// spike, the table editor, pictures, scripts and the keyword META line. Each
// handler hands its work to the tool's own window or logic.
#include "app/mainwindow.h"

#include "app/spikestore.h"
#include "documents/filenames.h"
#include "documents/memo.h"
#include "documents/subform.h"
#include "documents/textfile.h"
#include "markup/insert.h"
#include "markup/newpagedialog.h"
#include "markup/jseditor.h"
#include "markup/paragraphdialog.h"
#include "markup/picturedialog.h"
#include "search/findform.h"
#include "search/findinfilesform.h"
#include "search/keywords.h"
#include "search/resultsform.h"
#include "spike/spikewindow.h"
#include "table/tablewindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMdiArea>
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
    if (PictureDialog)
        return;
    PictureDialog = new TPictureDialog(this);
    EditorLook look{settings.EditorFontName, settings.EditorFontSize, settings.EditorFontColor,
                    settings.EditorBackColor};
    JSEditor = new TJSEditor(look, this);
    resultsForm = new TresultsForm(*this, this);
    connect(resultsForm, &TresultsForm::shownChanged, this,
            [this](bool shown) { action(QStringLiteral("ShowSearchResults1"))->setChecked(shown); });
    FinFiles = new TFinFiles(*this, *resultsForm, this);
    FindForm = new TFindForm(*this, this);
    Spike = new TSpike([this](const QString &fragment) { InsertFragment(fragment); }, this);
    QString error;
    Spike->setClips(loadSpikeClips(AppFolder, &error));
    if (!error.isEmpty())
        dialogs().error(error, this);
    // Clips are saved as they change, so a crash does not lose them.
    connect(Spike, &TSpike::clipsChanged, this, [this] {
        QString err;
        if (!saveSpikeClips(AppFolder, Spike->clips(), &err))
            dialogs().message(err, this);
    });
}

void TMainForm::wireToolCommands()
{
    bindCommand("Find1", "FindBtn", &TMainForm::Find1Click);
    bindCommand("Replace1", "ReplaceBtn", &TMainForm::Replace1Click);
    bindCommand("FindinFiles1", nullptr, &TMainForm::FindinFiles1Click);
    bindCommand("ShowSearchResults1", nullptr, &TMainForm::ShowSearchResults1Click);
    bindCommand("CopyToSpike1", nullptr, &TMainForm::CopyToSpike1Click);
    bindCommand("ShowSpike1", "SpikeBtn1", &TMainForm::ShowSpike1Click);
    bindCommand("Table1", "TableBtn", &TMainForm::Table1Click);
    bindCommand("Image1", "ImgBtn", &TMainForm::Image1Click);
    bindCommand("Direct1", nullptr, &TMainForm::Direct1Click);
    bindCommand("FromFile1", nullptr, &TMainForm::FromFile1Click);
    bindCommand("META1", nullptr, &TMainForm::META1Click);
    bindCommand("EditIgnoreList1", nullptr, &TMainForm::EditIgnoreList1Click);
    action(QStringLiteral("ShowSearchResults1"))->setCheckable(true);
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
    FindForm->Find1Click();
}

void TMainForm::Replace1Click()
{
    createToolWindows();
    FindForm->Replace1Click();
}

void TMainForm::FindinFiles1Click()
{
    createToolWindows();
    showModal(FinFiles);
}

void TMainForm::ShowSearchResults1Click()
{
    createToolWindows();
    if (resultsForm->isVisible())
        resultsForm->hide();
    else
        resultsForm->show();
}

void TMainForm::CopyToSpike1Click()
{
    if (!CurrentDoc)
        return;
    createToolWindows();
    Spike->CopyToSpike(CurrentDoc->Memo1->selText());
}

void TMainForm::ShowSpike1Click()
{
    createToolWindows();
    Spike->show();
    Spike->raise();
}

void TMainForm::Table1Click()
{
    createToolWindows();
    createDialogsBeforeSplash();
    createDialogsAfterSplash();
    if (TableEditorClosed && TableEditor) {
        delete TableEditor;
        TableEditor = nullptr;
        TableEditorShown = false;
    }
    QCoreApplication::processEvents();
    if (TableEditorShown && TableEditor) {
        TableEditor->hooks().documentFolder = documentFolder();
        TableEditor->show();
        TableEditor->raise();
        TableEditor->activateWindow();
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
        const std::optional<TNewHtml::Background> bg = choosePageBackground(*PictureDialog, folder);
        if (!bg)
            return std::nullopt;
        return std::make_pair(bg->imageRef, bg->preview);
    };
    hooks.spikePickMode = [this](bool on) {
        if (on)
            Spike->PickClips();
    };
    hooks.pickedText = [this] { return Spike->PickedText; };
    hooks.documentFolder = documentFolder();
    TableEditor = new Thtmltabletemp(hooks, Parabox, HtmlFont, this);
    connect(TableEditor, &Thtmltabletemp::closed, this, [this] { TableEditorClosed = true; });
    connect(TableEditor, &QObject::destroyed, this, [this] {
        TableEditorShown = false;
        TableEditor = nullptr;
    });
    TableEditor->show();
    TableEditorShown = true;
    TableEditorClosed = false;
}

void TMainForm::Image1Click()
{
    if (!CurrentDoc)
        return;
    createToolWindows();
    const std::optional<QString> tag = runImageCommand(*PictureDialog, documentFolder(), this);
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
    runDirectScript(*JSEditor, [this](const QString &t) { InsertFragment(t); });
}

void TMainForm::FromFile1Click()
{
    if (!CurrentDoc)
        return;
    createToolWindows();
    runScriptFromFile(*JSEditor, [this](const QString &t) { InsertFragment(t); });
}

void TMainForm::EditIgnoreList1Click()
{
    search::installDefaultIgnoreList();
    const QString path = search::ignoreListPath();
    TSubForm *doc = CreateDocWindow(path);
    textfile::Decoded decoded;
    if (textfile::load(path, decoded)) {
        doc->encoding = decoded.encoding;
        doc->Memo1->setText(decoded.text);
    } else {
        dialogs().message(search::IgnoreListMissingMessage, this);
    }
    doc->Memo1->setModified(false);
    doc->Memo1->setFocus();
    doc->Memo1->setSelStart(0);
}

void TMainForm::META1Click()
{
    TSubForm *doc = CurrentDoc;
    if (!doc)
        return;
    createDialogsAfterSplash();
    const QString text = doc->Memo1->text();
    const search::IgnoreListFile ignore = search::readIgnoreList(search::ignoreListPath());
    if (!ignore.ok) {
        dialogs().error(ignore.error, this);
        return;
    }
    search::KeywordScan scan(text, ignore.words);
    Parabox->setWindowTitle(QStringLiteral("Keywords"));
    Parabox->ProgressBar1->setRange(0, 100);
    Parabox->ProgressBar1->setValue(0);
    Parabox->showKeywordProgress();
    Parabox->show();
    StopKeywordSearch = false;
    QMetaObject::Connection stop =
        connect(Parabox, &TParabox::keywordSearchCancelled, this, [this] { StopKeywordSearch = true; });
    QCoreApplication::processEvents();
    // Work in slices of about one frame so the bar moves and Cancel is heard at once.
    while (!scan.step(15)) {
        Parabox->ProgressBar1->setValue(scan.progressPercent());
        QCoreApplication::processEvents();
        if (StopKeywordSearch)
            scan.cancel();
    }
    disconnect(stop);
    Parabox->hideKeywordProgress();
    Parabox->setWindowTitle(QStringLiteral("Paragraph"));
    Parabox->hide();
    if (!docs_.contains(doc))
        return;   // the document went away while the scan yielded
    const search::MetaInsertion ins = search::findMetaInsertion(text, scan.metaText());
    if (!ins.found) {
        dialogs().message(search::NoHeadMessage, this);
        return;
    }
    doc->Memo1->setSelStart(ins.offset);
    ::InsertFragment(*doc->Memo1, ins.text);
}
