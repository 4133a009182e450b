#include "app/mainwindow.h"

#include "app/docplacement.h"
#include "app/logo.h"
#include "app/session.h"
#include "documents/filerules.h"
#include "documents/memo.h"
#include "documents/subform.h"
#include "htmlaid/htmlaids.h"
#include "platform/appfolder.h"
#include "platform/dialogs.h"
#include "platform/version.h"
#include "preview/browserpane.h"
#include "search/keywords.h"
#include "spike/spikestore.h"
#include "spike/spikewindow.h"
#include "widgets/colourswatch.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

TMainForm::TMainForm(const QStringList &args, QWidget *parent)
    : QMainWindow(parent), AppFolder(appFolder()), args_(args), state_(CurrentDoc), windows_(*this),
      documents_(*this, state_, windows_, settings), search_(*this, tools_),
      transfer_(*this, state_, documents_, windows_), help_(*this, tools_, AppFolder),
      prefs_(*this, tools_, settings, addedOptions_, AppFolder)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Mivor " MIVOR_VERSION));
    resize(680, 572);
    setMouseTracking(true);
    setAcceptDrops(true);
    showModal = [](QDialog *d) { return d->exec(); };
    makeFrame();

    // The owners that need the frame's widgets.
    state_.buildMenus(menuBar(), this);
    state_.buildToolStrips(Panel1, HtmlTools, this);
    windows_.attach(desktop, state_.menu(commands::Menu::Windows), state_.menu(commands::Menu::Reopen), this);
    status_.build(this);
    autosave_ = new Autosave(*this, settings, this);
    autosave_->makeProgress(Panel1);
    markup_ = new MarkupCommands(*this, state_, tools_, documents_, this);
    markup_->makeSwatch(HtmlTools, this);
    tools_cmds_ = new ToolCommands(*this, tools_, documents_, AppFolder, this);
    preview_ = std::make_unique<PreviewCommands>(*this, state_, documents_,
                                                 PreviewArea{Splitter1, Panel2, WebBrowser1, Panel1});
    view_ = std::make_unique<ViewCommands>(*this, state_, *preview_,
                                           ViewBars{Panel1, HtmlTools, statusBar(), Splitter1});
    tools_.host = ToolHost{this, this, &settings, AppFolder,
                           [this](const QString &fragment) {
                               if (CurrentDoc)
                                   CurrentDoc->Memo1->InsertFragment(fragment);
                           },
                           [this](bool shown) { action(commands::Id::ShowSearchResults)->setChecked(shown); }};
    bindCommands();

    connect(desktop, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *w) {
        if (TSubForm *doc = windows_.documentOf(w))
            doc->FormActivate();
    });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        // Keeps Paste honest when another program changes the clipboard.
        if (!docs_.isEmpty())
            state_.SetPasteCommands();
    });

    FormCreate();
}

// The desktop, both strips, the preview pane and its handle strip.
void TMainForm::makeFrame()
{
    auto *central = new QWidget(this);
    central->setMouseTracking(true);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    Panel1 = new QWidget(central);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(33);
    column->addWidget(Panel1);

    auto *rowWidget = new QWidget(central);
    auto *row = new QHBoxLayout(rowWidget);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    HtmlTools = new QWidget(rowWidget);
    HtmlTools->setObjectName(QStringLiteral("HtmlTools"));
    HtmlTools->setFixedWidth(33);
    row->addWidget(HtmlTools);

    Splitter1 = new QSplitter(Qt::Horizontal, rowWidget);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(2);
    Splitter1->setOpaqueResize(true);
    desktop = new QMdiArea(Splitter1);
    desktop->setObjectName(QStringLiteral("desktop"));
    // The pane may take all but a sliver: the desktop's own size hint must not stop it.
    desktop->setMinimumWidth(1);
    desktop->viewport()->setMouseTracking(true);
    desktop->viewport()->installEventFilter(this);
    auto *pane = new QWidget(Splitter1);
    auto *paneRow = new QHBoxLayout(pane);
    paneRow->setContentsMargins(0, 0, 0, 0);
    paneRow->setSpacing(0);
    auto *handle = new QFrame(pane);
    handle->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel2 = handle;
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedWidth(8);
    Panel2->setCursor(Qt::PointingHandCursor);
    Panel2->setAutoFillBackground(true);
    QPalette p2 = Panel2->palette();
    p2.setColor(QPalette::Window, QColor(0, 64, 128));
    Panel2->setPalette(p2);
    WebBrowser1 = new BrowserPane(pane);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1->setMinimumWidth(0);
    paneRow->addWidget(Panel2);
    paneRow->addWidget(WebBrowser1, 1);
    Splitter1->addWidget(desktop);
    Splitter1->addWidget(pane);
    Splitter1->setCollapsible(0, false);
    Splitter1->setCollapsible(1, false);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    row->addWidget(Splitter1, 1);
    column->addWidget(rowWidget, 1);
    setCentralWidget(central);
}

// Every row of the command table to its owner's handler; the switchboard's
// only list of who runs what is in the owners' bind().
void TMainForm::bindCommands()
{
    documents_.bind(state_);
    markup_->bind(state_);
    search_.bind(state_);
    tools_cmds_->bind(state_);
    preview_->bind(state_);
    view_->bind(state_);
    windows_.bind(state_);
    transfer_.bind(state_);
    help_.bind(state_);
    prefs_.bind(state_);
    windows_.picked = [this] { preview_->RefreshPreview(); };
    windows_.reopen = [this](const QString &path) {
        return documents_.openDocument(path, DocumentCommands::Listing::OnSuccess);
    };
    prefs_.applied = [this](bool addedChanged) { applySettings(addedChanged); };
}

TMainForm::~TMainForm()
{
    // Open documents go without their closing step, and before this window's
    // members are gone, so no handler of theirs reaches back into it.
    disconnect(desktop, nullptr, this, nullptr);
    // Child windows still alive now (the table editor, a closed document
    // whose deferred delete has not run) are deleted after this window's own
    // part is gone: none of their signals may reach back into it.
    for (QObject *child : findChildren<QObject *>())
        disconnect(child, nullptr, this, nullptr);
    const QList<TSubForm *> open = docs_;
    for (TSubForm *d : open) {
        disconnect(d, nullptr, this, nullptr);
        d->discard();
        delete d;
    }
    docs_.clear();
    CurrentDoc = nullptr;
    // The program's last step: the plain settings file must not outlive it.
    deletePlainSettings(AppFolder);
}

void TMainForm::FormCreate()
{
    FirstActivation = true;
    const SettingsStart start = readSettingsAtStart(AppFolder, dialogs().fontFamilies());
    settings = start.read.settings;
    for (const QString &msg : start.read.errors)
        dialogs().error(msg, this);
    if (start.fromFile) {
        // Stored top first; each entry goes on top, so the last one goes first.
        const QStringList &stored = start.read.reopen;
        for (auto it = stored.crbegin(); it != stored.crend(); ++it)
            AddReopenItem(*it);
    }
    applyDesktopColour();
    const ResultOf<AddedOptions> added = readAddedOptions(AppFolder);
    addedOptions_ = added.value;
    if (!added)
        dialogs().error(added.message, this);
    WebBrowser1->setRemoteContent(addedOptions_.remoteContent);
    aids_ = new htmlaid::AidsHub(AppFolder, this);
    aids_->setOptions(addedOptions_.aids);
    prefs_.setWritingAids(aids_);
    // The keyword generator works out of the box with the shipped word list.
    search::installDefaultIgnoreList(AppFolder, dataFolder());

    autosave_->restartAutosaveTimer();
    transfer_.createPublishing(AppFolder);
}

void TMainForm::startUp(bool splash)
{
    tools_.createBeforeSplash();
    if (splash)
        showModal(tools_.about());
    tools_.createAfterSplash();
}

void TMainForm::applyDesktopColour()
{
    desktop->setBackground(colourFromValue(settings.DesktopColor));
}

void TMainForm::applySettings(bool addedChanged)
{
    if (addedChanged) {
        WebBrowser1->setRemoteContent(addedOptions_.remoteContent);
        aids_->setOptions(addedOptions_.aids);
        for (TSubForm *doc : docs_)
            doc->Memo1->setCurrentLineShown(addedOptions_.currentLine);
    }
    autosave_->restartAutosaveTimer();
    applyDesktopColour();
}

// ------------------------------------------------------------ document windows

// The offset between two windows of the desktop's own Cascade: 10 pixels
// across and about a title bar's height down.
static QSize cascadeStep(QMdiSubWindow *window)
{
    QStyleOptionTitleBar options;
    options.initFrom(window);
    const int titleBar = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, &options, window);
    const QFontMetrics metrics(QApplication::font("QMdiSubWindowTitleBar"));
    return QSize(10, std::max(titleBar - (titleBar - metrics.height()) / 2, 1) +
                         window->style()->pixelMetric(QStyle::PM_FocusFrameVMargin, nullptr, window));
}

TSubForm *TMainForm::CreateDocWindow(const QString &caption)
{
    QFont editorFont(settings.EditorFontName);
    editorFont.setPointSize(std::clamp(settings.EditorFontSize, 1, 400));
    auto *doc = new TSubForm(this, settings.WrapNewDocs, editorFont);
    doc->setCaption(caption);
    docs_.append(doc);
    CurrentDoc = doc;
    connect(doc, &QObject::destroyed, this, [this, doc] {
        docs_.removeAll(doc);
        if (CurrentDoc == doc)
            CurrentDoc = nullptr;
    });
    connect(doc, &TSubForm::saveFormatChanged, this, [this, doc] {
        if (doc == CurrentDoc)
            status_.showSaveFormat(doc);
    });

    doc->Memo1->setFont(editorFont);
    QPalette pal = doc->Memo1->palette();
    pal.setColor(QPalette::Text, colourFromValue(settings.EditorFontColor));
    pal.setColor(QPalette::Base, colourFromValue(settings.EditorBackColor));
    doc->Memo1->setPalette(pal);
    doc->Memo1->setCurrentLineShown(addedOptions_.currentLine);
    attachWritingAids(doc);

    desktop->addSubWindow(doc);
    doc->setGeometry(newDocumentGeometry(desktop->viewport()->size(), int(docs_.size()) - 1, cascadeStep(doc)));
    doc->show();
    desktop->setActiveSubWindow(doc);
    CurrentDoc = doc;

    view_->showWrapState(doc->Memo1->wrap());
    status_.showSaveFormat(doc);
    state_.EnableDocCommands();
    action(commands::Id::Savewww)->setEnabled(transfer_.ftpDataPresent());
    state_.SetPasteCommands();
    if (settings.AutosaveOn)
        autosave_->autosaveTimer()->start();
    else
        autosave_->stop();
    return doc;
}

void TMainForm::attachWritingAids(TSubForm *doc)
{
    if (!aids_)
        return;
    htmlaid::HtmlAids *aids = aids_->attach(doc->Memo1);
    // A new caption may make a page of a text file or the other way round.
    connect(doc, &QWidget::windowTitleChanged, aids, &htmlaid::HtmlAids::kindChanged);
}

void TMainForm::DisableDocCommands()
{
    state_.DisableDocCommands();
    autosave_->stop();
    status_.showSaveFormat(nullptr);
}

void TMainForm::enableSelectAll()
{
    action(commands::Id::SelectAll)->setEnabled(true);
}

void TMainForm::documentActivated(TSubForm *doc)
{
    CurrentDoc = doc;
    status_.showSaveFormat(doc);
}

void TMainForm::AddReopenItem(const QString &path)
{
    if (filerules::isUntitled(path)) {
        // The window of that caption, which need not be the current one.
        TSubForm *doc = CurrentDoc && CurrentDoc->caption() == path ? CurrentDoc : nullptr;
        for (TSubForm *d : docs_)
            if (!doc && d->caption() == path)
                doc = d;
        documents_.saveAsDocument(doc);
        return;
    }
    windows_.addReopenEntry(path);
}

void TMainForm::documentClosed(TSubForm *doc)
{
    docs_.removeAll(doc);
    if (CurrentDoc != doc)
        return;
    CurrentDoc = nullptr;
    const QList<QMdiSubWindow *> order = desktop->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = order.crbegin(); it != order.crend(); ++it) {
        if (TSubForm *next = windows_.documentOf(*it)) {
            desktop->setActiveSubWindow(next);
            if (CurrentDoc != next)
                next->FormActivate();
            break;
        }
    }
}

QList<TSubForm *> TMainForm::documentsLeastRecentFirst()
{
    QList<TSubForm *> out;
    for (QMdiSubWindow *w : desktop->subWindowList(QMdiArea::ActivationHistoryOrder))
        if (TSubForm *doc = windows_.documentOf(w))
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

// ------------------------------------------------------------ hints and drops

void TMainForm::mouseMoveEvent(QMouseEvent *e)
{
    QMainWindow::mouseMoveEvent(e);
    status_.clearHint();
}

bool TMainForm::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::MouseMove || e->type() == QEvent::Enter) {
        auto *w = qobject_cast<QWidget *>(watched);
        if (watched == desktop->viewport())
            status_.clearHint();
        else if (w && (state_.isStripButton(w) || w == markup_->colourSwatch()))
            status_.showHint(w->toolTip());
    }
    return QMainWindow::eventFilter(watched, e);
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
    QTimer::singleShot(0, this, [this, paths] { documents_.openDroppedFiles(paths); });
}

// ------------------------------------------------------------ life cycle

void TMainForm::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (!previewShownOnce_) {
        // The preview entry starts checked, so this first toggle closes the pane.
        previewShownOnce_ = true;
        preview_->BrowseBtnClick();
    }
}

void TMainForm::changeEvent(QEvent *e)
{
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TMainForm::FormActivate()
{
    if (!FirstActivation)
        return;
    FirstActivation = false;
    const qsizetype before = docs_.size();
    if (!args_.isEmpty() && !eachArgumentAFile_) {
        documents_.openCommandLinePath(args_.join(QLatin1Char(' ')));
    } else {
        for (const QString &path : args_)
            documents_.openCommandLinePath(path);
    }
    // The documents of the last session follow; the command line's stays in front.
    if (addedOptions_.reopenDocuments)
        reopenSession(docs_.size() > before ? CurrentDoc : nullptr);
}

void TMainForm::reopenSession(TSubForm *inFront)
{
    const ResultOf<QList<SessionDocument>> session = readSession(AppFolder);
    if (!session)
        dialogs().error(session.message, this);
    QStringList missing;
    TSubForm *current = nullptr;
    for (const SessionDocument &d : session.value) {
        const bool open = std::any_of(docs_.cbegin(), docs_.cend(),
                                      [&d](const TSubForm *doc) { return doc->caption() == d.path; });
        if (open)
            continue;
        if (!QFileInfo::exists(d.path)) {
            missing << d.path;
            continue;
        }
        if (!documents_.openDocument(d.path, DocumentCommands::Listing::OnSuccess))
            continue;   // Open's own message said why
        TSubForm *doc = CurrentDoc;
        doc->Memo1->setWrap(d.wrap);
        view_->showWrapState(d.wrap);
        doc->Memo1->setSelStart(std::min(d.caret, doc->Memo1->textLength()));
        doc->Memo1->ensureCursorVisible();
        doc->Memo1MouseUp();
        if (d.current)
            current = doc;
    }
    if (!missing.isEmpty())
        dialogs().error(missingDocumentsMessage(missing), this);
    if (TSubForm *front = inFront ? inFront : current)
        bringToFront(front);
}

QList<SessionDocument> TMainForm::sessionDocuments() const
{
    QList<SessionDocument> out;
    for (const TSubForm *doc : docs_) {
        if (doc->caption().startsWith(QLatin1Char('~')))
            continue;   // never saved: nothing to open again
        out.append({doc->caption(), doc->Memo1->selStart(), doc->Memo1->wrap(), doc == CurrentDoc});
    }
    return out;
}

void TMainForm::closeEvent(QCloseEvent *e)
{
    for (TSubForm *doc : QList<TSubForm *>(docs_)) {
        if (!doc->FormCloseQuery()) {
            e->ignore();
            return;
        }
    }
    FormClose();
    for (TSubForm *doc : docs_)
        doc->discard();
    e->accept();
}

void TMainForm::FormClose()
{
    preview_->removeTempFiles();
    if (tools_.Spike) {
        if (Result r = saveSpikeClips(AppFolder, tools_.Spike->clips()); !r)
            dialogs().error(r.message, this);
    }
    if (Result r = writeSettingsAtClose(AppFolder, settings, windows_.reopenList(), dialogs().fontFamilies()); !r)
        dialogs().error(r.message, this);
    if (!addedOptions_.reopenDocuments) {
        forgetSession(AppFolder);
    } else if (Result r = writeSession(AppFolder, sessionDocuments()); !r) {
        dialogs().error(r.message, this);
    }
}
