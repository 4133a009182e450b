#include "app/mainwindow.h"

#include "htmlaid/htmlaids.h"

#include "app/commandtable.h"
#include "app/docplacement.h"
#include "app/ftpdatastore.h"
#include "app/icons.h"
#include "app/startoptions.h"
#include "spike/spikestore.h"
#include "search/keywords.h"
#include "spike/spikewindow.h"
#include "app/logo.h"
#include "app/prefsdialog.h"
#include "app/session.h"
#include "app/windowlist.h"
#include "documents/filecommands.h"
#include "documents/filenames.h"
#include "documents/filerules.h"
#include "documents/memo.h"
#include "documents/rtftotext.h"
#include "documents/subform.h"
#include "documents/textfile.h"
#include "htmlaid/htmlaids.h"
#include "widgets/colourswatch.h"
#include "markup/insert.h"
#include "platform/appfolder.h"
#include "platform/fileio.h"
#include "platform/version.h"
#include "preview/browserpane.h"
#include "transfer/publishing.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

TMainForm::TMainForm(const QStringList &args, QWidget *parent) : QMainWindow(parent), args_(args)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Mivor " MIVOR_VERSION));
    resize(680, 572);
    setMouseTracking(true);
    setAcceptDrops(true);

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

    buildMenus();
    buildToolStrips();
    buildStatusBar();
    showModal = [](QDialog *d) { return d->exec(); };
    wireCommands();
    wirePreviewCommands();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);
    autosaveStep_ = new QTimer(this);
    autosaveStep_->setInterval(15);
    connect(autosaveStep_, &QTimer::timeout, this, &TMainForm::autosaveStep);

    connect(desktop, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *w) {
        if (TSubForm *doc = docOf(w))
            doc->FormActivate();
    });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        // Keeps Paste honest when another program changes the clipboard.
        if (!docs_.isEmpty()) {
            const QMimeData *m = QApplication::clipboard()->mimeData();
            const bool text = m && m->hasText();
            action(commands::Id::Paste)->setEnabled(text);
            button(commands::Id::Paste)->setEnabled(text);
        }
    });

    FormCreate();
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
    UntitledCount = 0;
    NewPageSaving = false;
    FtpDataPresent = false;
    TableEditorShown = TableEditorClosed = false;
    TempFiles.clear();

    AppFolder = appFolder();
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
    // The keyword generator works out of the box with the shipped word list.
    search::installDefaultIgnoreList(AppFolder, dataFolder());

    restartAutosaveTimer();

    const QString folder = AppFolder;
    publishing = new transfer::Publishing(
        this, [folder] { return loadFtpDataFile(folder); },
        [folder](const QStringList &lines) { return saveFtpDataFile(folder, lines); },
        SaveDialog1);
    publishing->showModal = [this](QDialog *d) { return showModal(d); };
    LoadFtpData();
}

void TMainForm::applyDesktopColour()
{
    desktop->setBackground(colourFromValue(settings.DesktopColor));
}

QList<TSubForm *> TMainForm::documents() const
{
    return docs_;
}

TSubForm *TMainForm::docOf(QMdiSubWindow *w) const
{
    auto *doc = qobject_cast<TSubForm *>(w);
    return docs_.contains(doc) ? doc : nullptr;
}

int TMainForm::documentCount() const
{
    return docs_.size();
}

void TMainForm::documentClosed(TSubForm *doc)
{
    docs_.removeAll(doc);
    if (CurrentDoc != doc)
        return;
    CurrentDoc = nullptr;
    const QList<QMdiSubWindow *> order = desktop->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = order.crbegin(); it != order.crend(); ++it) {
        if (TSubForm *next = docOf(*it)) {
            desktop->setActiveSubWindow(next);
            if (CurrentDoc != next)
                next->FormActivate();
            break;
        }
    }
}

// ------------------------------------------------------------ command state

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
    doc->Memo1->isCommandShortcut = [this](const QKeySequence &s) { return isCommandShortcut(s); };
    connect(doc, &TSubForm::saveFormatChanged, this, [this, doc] {
        if (doc == CurrentDoc)
            showSaveFormat();
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

    showWrapState(doc->Memo1->wrap());
    showSaveFormat();
    EnableDocCommands();
    action(commands::Id::Savewww)->setEnabled(FtpDataPresent);
    SetPasteCommands();
    if (settings.AutosaveOn)
        Timer1->start();
    else
        Timer1->stop();
    return doc;
}

void TMainForm::enableSelectAll()
{
    action(commands::Id::SelectAll)->setEnabled(true);
}

void TMainForm::documentActivated(TSubForm *doc)
{
    CurrentDoc = doc;
    showSaveFormat();
}

void TMainForm::InsertFragment(const QString &text)
{
    if (!CurrentDoc)
        return;
    ::InsertFragment(*CurrentDoc->Memo1, text);
    CurrentDoc->Memo1->setFocus();
}

// ------------------------------------------------------------ view

void TMainForm::Toolbar1Click()
{
    QAction *a = action(commands::Id::Toolbar);
    if (a->isChecked()) {
        Panel1->hide();
        a->setChecked(false);
    } else {
        Panel1->show();
        a->setChecked(true);
    }
}

void TMainForm::StatusBar2Click()
{
    QAction *a = action(commands::Id::StatusBar);
    if (statusBar()->isVisible()) {
        statusBar()->hide();
        a->setChecked(false);
    } else {
        statusBar()->show();
        a->setChecked(true);
    }
}

int TMainForm::previewPaneWidth() const
{
    return WebBrowser1->width();
}

void TMainForm::setPreviewPaneWidth(int w)
{
    const QList<int> sizes = Splitter1->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    const int pane = std::clamp(w + Panel2->width(), Panel2->width(), std::max(total, Panel2->width()));
    Splitter1->setSizes({std::max(0, total - pane), pane});
}

void TMainForm::HtmlToolbar1Click()
{
    QAction *a = action(commands::Id::HtmlToolbar);
    QSplitterHandle *handle = Splitter1->handle(1);
    auto splitterLeft = [&] { return handle->mapTo(this, QPoint(0, 0)).x(); };
    if (HtmlTools->isVisible()) {
        HtmlTools->hide();
        a->setChecked(false);
        layout()->activate();
        if (splitterLeft() < 50)
            setPreviewPaneWidth(width() - Splitter1->handleWidth() - 7);
    } else {
        HtmlTools->show();
        a->setChecked(true);
        layout()->activate();
        const int left = splitterLeft();
        if (left < 50)
            setPreviewPaneWidth(width() - (Splitter1->handleWidth() + 40));
        else if (left > 700)
            setPreviewPaneWidth(4);
    }
}

void TMainForm::wrapbtnClick()
{
    if (!CurrentDoc)
        return;
    const bool on = !action(commands::Id::WordWrap)->isChecked();
    CurrentDoc->Memo1->setWrap(on);
    showWrapState(on);
}

void TMainForm::ZoomIn1Click()
{
    if (CurrentDoc)
        CurrentDoc->Memo1->zoomIn();
}

void TMainForm::ZoomOut1Click()
{
    if (CurrentDoc)
        CurrentDoc->Memo1->zoomOut();
}

void TMainForm::ZoomReset1Click()
{
    if (CurrentDoc)
        CurrentDoc->Memo1->zoomReset();
}

void TMainForm::LineNumbering1Click()
{
    QAction *a = action(commands::Id::LineNumbering);
    a->setChecked(!a->isChecked());
    if (CurrentDoc)
        CurrentDoc->setGutterVisible(a->isChecked());
}

void TMainForm::Preferences1Click()
{
    Tprefs *prefs = tools_.preferences(this);
    prefs->FormShow(settings);
    prefs->splash->setChecked(addedOptions_.showSplash);
    prefs->remoteContent->setChecked(addedOptions_.remoteContent);
    prefs->currentLine->setChecked(addedOptions_.currentLine);
    prefs->reopenDocuments->setChecked(addedOptions_.reopenDocuments);
    prefs->showAids(addedOptions_.aids, aids_->languages());
    if (showModal(prefs) != QDialog::Accepted)
        return;
    settings = prefs->values();
    if (Result r = writeSettingsFromDialog(AppFolder, settings); !r)
        dialogs().error(r.message, this);
    // Kept apart from mivor.dvf, whose lines keep their meaning; the file is
    // written only once the user has changed a choice.
    const AddedOptions chosen{prefs->splash->isChecked(), prefs->remoteContent->isChecked(),
                              prefs->currentLine->isChecked(), prefs->reopenDocuments->isChecked(), prefs->aids()};
    if (chosen != addedOptions_) {
        addedOptions_ = chosen;
        WebBrowser1->setRemoteContent(chosen.remoteContent);
        aids_->setOptions(chosen.aids);
        for (TSubForm *doc : docs_)
            doc->Memo1->setCurrentLineShown(chosen.currentLine);
        if (Result r = writeAddedOptions(AppFolder, chosen); !r)
            dialogs().error(r.message, this);
    }
    restartAutosaveTimer();
    applyDesktopColour();
}

void TMainForm::About1Click()
{
    Tlogo *logo = tools_.about(this);
    logo->show();
    logo->raise();
    logo->FormShow();   // a showing while already visible restarts the time too
}

// The preview pane: on, it takes most of the window and the tool strips rest.
void TMainForm::BrowseBtnClick()
{
    QAction *a = action(commands::Id::HtmlPreview);
    if (a->isChecked()) {
        a->setChecked(false);
        setPreviewPaneWidth(4);
        action(commands::Id::WebPrintPreview)->setEnabled(false);
        EnableHtmlTools();
    } else {
        a->setChecked(true);
        setPreviewPaneWidth(width() - 50);
        action(commands::Id::WebPrintPreview)->setEnabled(true);
        DisableHtmlTools();
    }
    RefreshPreview();
}

void TMainForm::previewOff()
{
    action(commands::Id::HtmlPreview)->setChecked(false);
    setPreviewPaneWidth(4);
    action(commands::Id::WebPrintPreview)->setEnabled(false);
    EnableHtmlTools();
}

// ------------------------------------------------------------ hints

void TMainForm::NewBtnMouseMove(const QString &hint)
{
    statusPanel1->setText(hint);
}

void TMainForm::FormMouseMove()
{
    clearHint();
}

void TMainForm::mouseMoveEvent(QMouseEvent *e)
{
    QMainWindow::mouseMoveEvent(e);
    FormMouseMove();
}

bool TMainForm::eventFilter(QObject *watched, QEvent *e)
{
    if (PickingColour) {
        // The pointer is captured: it moves anywhere and the first press ends picking.
        if (e->type() == QEvent::MouseMove) {
            QTimer::singleShot(0, this, &TMainForm::ApplicationEvents1Idle);
        } else if (e->type() == QEvent::MouseButtonPress) {
            FormMouseDown();
            return true;
        }
    }
    if (e->type() == QEvent::MouseMove || e->type() == QEvent::Enter) {
        if (watched == desktop->viewport()) {
            FormMouseMove();
        } else if (auto *w = qobject_cast<QWidget *>(watched); w && (buttons_.contains(w->objectName()) || w == Shape1)) {
            NewBtnMouseMove(w->toolTip());
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

// ------------------------------------------------------------ life cycle

void TMainForm::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (!previewShownOnce_) {
        // The preview entry starts checked, so this first toggle closes the pane.
        previewShownOnce_ = true;
        BrowseBtnClick();
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
        openCommandLinePath(args_.join(QLatin1Char(' ')));
    } else {
        for (const QString &path : args_)
            openCommandLinePath(path);
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
        if (!openDocument(d.path, Listing::OnSuccess))
            continue;   // Open's own message said why
        TSubForm *doc = CurrentDoc;
        doc->Memo1->setWrap(d.wrap);
        showWrapState(d.wrap);
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

void TMainForm::openCommandLinePath(const QString &path)
{
    const QString ext = names::extensionOf(path).toUpper();
    if (ext == QLatin1String(".HTM") || ext == QLatin1String(".HTML")) {
        openDocument(path, Listing::OnSuccess);
    } else if (ext == QLatin1String(".RTF")) {
        const fileio::FileRead rtf = fileio::readRegularFile(path, textfile::kMaxDocumentBytes);
        if (!rtf) {
            dialogs().error(rtf.tooLarge ? QStringLiteral("Text exceeds memo capacity")
                                         : QStringLiteral("Cannot open file ") + path,
                            this);
            return;
        }
        const QString text = rtfToText(rtf.value);
        ++UntitledCount;
        TSubForm *doc = CreateDocWindow(QStringLiteral("~Untiltled") + QString::number(UntitledCount));
        AddWindowItem();
        doc->Memo1->setText(text);
        doc->Memo1->setModified(true);
        SetUndoCommands();
    } else if (!path.isEmpty()) {
        openDocument(path, Listing::Always);
    }
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
    for (const QString &f : TempFiles)
        QFile::remove(f);
    TempFiles.clear();
    if (tools_.Spike) {
        if (Result r = saveSpikeClips(AppFolder, tools_.Spike->clips()); !r)
            dialogs().error(r.message, this);
    }
    if (Result r = writeSettingsAtClose(AppFolder, settings, reopenList(), dialogs().fontFamilies()); !r)
        dialogs().error(r.message, this);
    if (!addedOptions_.reopenDocuments) {
        forgetSession(AppFolder);
    } else if (Result r = writeSession(AppFolder, sessionDocuments()); !r) {
        dialogs().error(r.message, this);
    }
}
