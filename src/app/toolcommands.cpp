#include "app/toolcommands.h"

#include "app/commandhost.h"
#include "app/commandstate.h"
#include "app/documentcommands.h"
#include "app/toolwindows.h"
#include "documents/filenames.h"
#include "documents/memo.h"
#include "documents/subform.h"
#include "markup/jseditor.h"
#include "markup/newpagedialog.h"
#include "markup/paragraphdialog.h"
#include "markup/picturedialog.h"
#include "platform/appfolder.h"
#include "platform/dialogs.h"
#include "platform/focusreturn.h"
#include "search/keywordrun.h"
#include "search/keywords.h"
#include "spike/spikewindow.h"
#include "table/tablewindow.h"

#include <QListWidget>
#include <QPointer>
#include <QProgressBar>

ToolCommands::ToolCommands(CommandHost &host, ToolWindows &tools, DocumentCommands &documents,
                           const QString &programFolder, QObject *parent)
    : QObject(parent), host_(host), tools_(tools), documents_(documents), programFolder_(programFolder)
{
}

void ToolCommands::bind(CommandState &state)
{
    using commands::Id;
    state.bind(Id::CopyToSpike, [this] { CopyToSpike1Click(); });
    state.bind(Id::ShowSpike, [this] { ShowSpike1Click(); });
    state.bind(Id::Table, [this] { Table1Click(); });
    state.bind(Id::Image, [this] { Image1Click(); });
    state.bind(Id::Direct, [this] { Direct1Click(); });
    state.bind(Id::FromFile, [this] { FromFile1Click(); });
    state.bind(Id::Meta, [this] { META1Click(); });
    state.bind(Id::EditIgnoreList, [this] { EditIgnoreList1Click(); });
}

QString ToolCommands::documentFolder()
{
    TSubForm *doc = host_.currentDocument();
    if (!doc || doc->caption().startsWith(QLatin1Char('~')))
        return QString();
    return names::folderPart(doc->caption());
}

bool ToolCommands::insertIntoCurrent(const QString &text)
{
    TSubForm *doc = host_.currentDocument();
    if (doc)
        doc->Memo1->InsertFragment(text);
    return doc != nullptr;
}

void ToolCommands::CopyToSpike1Click()
{
    TSubForm *doc = host_.currentDocument();
    if (!doc)
        return;
    tools_.createTools();
    tools_.Spike->CopyToSpike(doc->Memo1->selText());
}

void ToolCommands::ShowSpike1Click()
{
    tools_.createTools();
    tools_.Spike->show();
    // The window takes the keyboard, so that Escape and the arrow keys reach it.
    focusInItsWindow(tools_.Spike->SpikeList);
}

void ToolCommands::Table1Click()
{
    tools_.createTools();
    tools_.createBeforeSplash();
    tools_.createAfterSplash();
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
    hooks.insertTable = [this](const QString &html) { return insertIntoCurrent(html); };
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
    tools_.TableEditor = new Thtmltabletemp(hooks, tools_.Parabox, tools_.HtmlFont, host_.frame());
    connect(tools_.TableEditor, &Thtmltabletemp::closed, this, [this] { TableEditorClosed = true; });
    connect(tools_.TableEditor, &QObject::destroyed, this, [this] {
        TableEditorShown = false;
        tools_.TableEditor = nullptr;
    });
    tools_.TableEditor->show();
    TableEditorShown = true;
    TableEditorClosed = false;
}

void ToolCommands::Image1Click()
{
    if (!host_.currentDocument())
        return;
    tools_.createTools();
    const std::optional<QString> tag = runImageCommand(*tools_.PictureDialog, documentFolder(), host_.frame());
    if (tag)
        insertIntoCurrent(*tag);
    // The document window itself takes the keyboard back.
    if (TSubForm *doc = host_.currentDocument())
        doc->setFocus();
}

void ToolCommands::Direct1Click()
{
    if (!host_.currentDocument())
        return;
    tools_.createTools();
    runDirectScript(*tools_.JSEditor, [this](const QString &t) { insertIntoCurrent(t); });
}

void ToolCommands::FromFile1Click()
{
    if (!host_.currentDocument())
        return;
    tools_.createTools();
    runScriptFromFile(*tools_.JSEditor, [this](const QString &t) { insertIntoCurrent(t); });
}

void ToolCommands::EditIgnoreList1Click()
{
    search::installDefaultIgnoreList(programFolder_, dataFolder());
    const QString path = search::ignoreListPath(programFolder_);
    const qsizetype before = host_.documents().size();
    documents_.openDocument(path, DocumentCommands::Listing::Never,
                            QString::fromLatin1(search::IgnoreListMissingMessage));
    if (host_.documents().size() == before)
        return;   // a file that cannot be edited as text opens nothing
    TSubForm *doc = host_.currentDocument();
    doc->Memo1->setFocus();
    doc->Memo1->setSelStart(0);
}

void ToolCommands::META1Click()
{
    TSubForm *doc = host_.currentDocument();
    if (!doc || keywordRun_)
        return;   // one scan at a time
    tools_.createAfterSplash();
    const QString text = doc->Memo1->text();
    const search::IgnoreListFile ignore = search::readIgnoreList(search::ignoreListPath(programFolder_));
    if (!ignore.ok) {
        dialogs().error(ignore.message, host_.frame());
        return;
    }
    keywordRun_ = new search::KeywordRun(text, ignore.value, this);
    TParabox *box = tools_.Parabox;
    box->setWindowTitle(QStringLiteral("Keywords"));
    box->ProgressBar1->setRange(0, 100);
    box->ProgressBar1->setValue(0);
    box->showKeywordProgress();
    box->show();
    connect(keywordRun_, &search::KeywordRun::progress, box->ProgressBar1, &QProgressBar::setValue);
    connect(box, &TParabox::keywordSearchCancelled, keywordRun_, &search::KeywordRun::cancel);
    connect(keywordRun_, &search::KeywordRun::finished, this,
            [this, doc = QPointer<TSubForm>(doc), text] { finishKeywords(doc, text); });
    keywordRun_->start();
}

void ToolCommands::finishKeywords(TSubForm *doc, const QString &text)
{
    const QString meta = keywordRun_->scan().metaText();
    keywordRun_->deleteLater();
    keywordRun_ = nullptr;
    tools_.Parabox->hideKeywordProgress();
    tools_.Parabox->setWindowTitle(QStringLiteral("Paragraph"));
    tools_.Parabox->hide();
    if (!host_.isOpen(doc))
        return;   // the document went away during the scan
    const search::MetaInsertion ins = search::findMetaInsertion(text, meta);
    if (!ins.found) {
        dialogs().error(search::NoHeadMessage, host_.frame());
        return;
    }
    // The META line goes in as a line of its own where the scan found room.
    doc->Memo1->setSelStart(ins.offset);
    doc->Memo1->InsertFragment(ins.text);
}
