#include "app/mainwindow.h"

#include "app/ftpdatastore.h"
#include "app/icons.h"
#include "app/spikestore.h"
#include "search/keywords.h"
#include "spike/spikewindow.h"
#include "app/logo.h"
#include "app/prefsdialog.h"
#include "app/windowlist.h"
#include "documents/filecommands.h"
#include "documents/filenames.h"
#include "documents/filerules.h"
#include "documents/memo.h"
#include "documents/rtftotext.h"
#include "documents/subform.h"
#include "documents/textfile.h"
#include "markup/colourswatch.h"
#include "markup/insert.h"
#include "platform/appfolder.h"
#include "platform/fileio.h"
#include "preview/browserpane.h"
#include "transfer/publishing.h"

#include <QApplication>
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
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Commands switched on when a document window is created.
const QStringList kDocumentAvailable = {
    QStringLiteral("Color1"), QStringLiteral("WordWrap1"), QStringLiteral("wrapbtn"),
    QStringLiteral("SaveAs1"), QStringLiteral("PreviewBtn"), QStringLiteral("PrintPreview1"),
    QStringLiteral("SpikeBtn1"), QStringLiteral("ShowSpike1"), QStringLiteral("PrintSetup1"),
    QStringLiteral("Print1"), QStringLiteral("PrintBtn"), QStringLiteral("Close1"),
    QStringLiteral("CloseAll1"), QStringLiteral("htmlBtn"), QStringLiteral("FindBtn"),
    QStringLiteral("ReplaceBtn"), QStringLiteral("Find1"), QStringLiteral("FindinFiles1"),
    QStringLiteral("Replace1"), QStringLiteral("BrowseBtn"), QStringLiteral("HtmlPreview1"),
    QStringLiteral("ImgBtn"), QStringLiteral("Shape1"), QStringLiteral("TableBtn"),
    QStringLiteral("Table1"), QStringLiteral("Image1"), QStringLiteral("Paragraph1"),
    QStringLiteral("ParaBtn"), QStringLiteral("Font1"), QStringLiteral("FontBtn"),
    QStringLiteral("Bold1"), QStringLiteral("Italic1"), QStringLiteral("Underline1"),
    QStringLiteral("BoldBtn"), QStringLiteral("ItalicBtn"), QStringLiteral("UnderLineBtn"),
    QStringLiteral("BreakBtn"), QStringLiteral("BNewLine1"), QStringLiteral("HRRule1"),
    QStringLiteral("HRuleBtn"), QStringLiteral("AAnchor1"), QStringLiteral("AnchorBtn"),
    QStringLiteral("SpaceBtn"), QStringLiteral("Space1"), QStringLiteral("email1"),
    QStringLiteral("Keywords1"), QStringLiteral("HHeadlines1"), QStringLiteral("Marquee1"),
    QStringLiteral("List1"), QStringLiteral("ListItem1"), QStringLiteral("FormMenu1"),
    QStringLiteral("CopyToSpike1"), QStringLiteral("SortSelection1"),
    QStringLiteral("ShowSearchResults1"), QStringLiteral("Resources1"),
    QStringLiteral("LineNumbering1"), QStringLiteral("Arrange1"), QStringLiteral("ViewinBrowser1"),
    QStringLiteral("CENTER1"), QStringLiteral("Blockquote1"), QStringLiteral("CenterBtn"),
    QStringLiteral("Windows1"), QStringLiteral("Javascript1"), QStringLiteral("Frameset1"),
    QStringLiteral("Frame1"), QStringLiteral("colpicBtn")};

// The HTML tool strip's buttons that the preview pane may disable.
const QStringList kHtmlToolButtons = {
    QStringLiteral("Shape1"), QStringLiteral("colpicBtn"), QStringLiteral("ImgBtn"),
    QStringLiteral("TableBtn"), QStringLiteral("ParaBtn"), QStringLiteral("FontBtn"),
    QStringLiteral("AnchorBtn"), QStringLiteral("BreakBtn"), QStringLiteral("CenterBtn"),
    QStringLiteral("HRuleBtn"), QStringLiteral("SpaceBtn"), QStringLiteral("BoldBtn"),
    QStringLiteral("ItalicBtn"), QStringLiteral("UnderLineBtn")};

// Entries of the "&Insert" and "&Format" submenus.
const QStringList kInsertFormatEntries = {
    QStringLiteral("Color1"), QStringLiteral("BNewLine1"), QStringLiteral("Space1"),
    QStringLiteral("HHeadlines1"), QStringLiteral("Image1"), QStringLiteral("AAnchor1"),
    QStringLiteral("Table1"), QStringLiteral("Font1"), QStringLiteral("HRRule1"),
    QStringLiteral("email1"), QStringLiteral("FormMenu1"), QStringLiteral("Frameset1"),
    QStringLiteral("Frame1"), QStringLiteral("Marquee1"), QStringLiteral("Javascript1"),
    QStringLiteral("Keywords1"), QStringLiteral("Paragraph1"), QStringLiteral("Blockquote1"),
    QStringLiteral("CENTER1"), QStringLiteral("Bold1"), QStringLiteral("Italic1"),
    QStringLiteral("Underline1"), QStringLiteral("List1"), QStringLiteral("ListItem1")};

const QStringList kNoDocument = QStringList{
    QStringLiteral("Savewww1"), QStringLiteral("Color1"), QStringLiteral("WordWrap1"),
    QStringLiteral("wrapbtn"), QStringLiteral("PasteBtn"), QStringLiteral("Paste1"),
    QStringLiteral("SelectAll1"), QStringLiteral("Delete1"), QStringLiteral("Cut1"),
    QStringLiteral("Copy1"), QStringLiteral("CutBtn"), QStringLiteral("CopyBtn"),
    QStringLiteral("Save1"), QStringLiteral("SaveAs1"), QStringLiteral("SaveBtn"),
    QStringLiteral("SaveSelBtn"), QStringLiteral("SaveSelection1"), QStringLiteral("PreviewBtn"),
    QStringLiteral("PrintPreview1"), QStringLiteral("WebPrintPreview1"), QStringLiteral("ShowSpike1"),
    QStringLiteral("SpikeBtn1"), QStringLiteral("PrintBtn"), QStringLiteral("Print1"),
    QStringLiteral("PrintSetup1"), QStringLiteral("Close1"), QStringLiteral("CloseAll1"),
    QStringLiteral("htmlBtn"), QStringLiteral("FindBtn"), QStringLiteral("ReplaceBtn"),
    QStringLiteral("Find1"), QStringLiteral("FindinFiles1"), QStringLiteral("Replace1"),
    QStringLiteral("BrowseBtn"), QStringLiteral("HtmlPreview1"), QStringLiteral("CopyToSpike1"),
    QStringLiteral("SortSelection1"), QStringLiteral("ShowSearchResults1"),
    QStringLiteral("Resources1"), QStringLiteral("LineNumbering1"), QStringLiteral("Arrange1"),
    QStringLiteral("ViewinBrowser1"), QStringLiteral("Windows1"), QStringLiteral("Undo1"),
    QStringLiteral("UndoBtn")} + kHtmlToolButtons + kInsertFormatEntries;

const QStringList kSelectionCommands = {
    QStringLiteral("CutBtn"), QStringLiteral("Cut1"), QStringLiteral("CopyBtn"),
    QStringLiteral("Copy1"), QStringLiteral("SaveSelBtn"), QStringLiteral("SaveSelection1"),
    QStringLiteral("Delete1"), QStringLiteral("SortSelection1"), QStringLiteral("CopyToSpike1")};

} // namespace

TMainForm::TMainForm(const QStringList &args, QWidget *parent) : QMainWindow(parent), args_(args)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Mivor 2.0"));
    resize(680, 572);
    setMouseTracking(true);

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
    wireMarkupCommands();
    wireToolCommands();
    wirePreviewCommands();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);

    connect(desktop, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *w) {
        if (TSubForm *doc = docOf(w))
            doc->FormActivate();
    });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        // Keeps Paste honest when another program changes the clipboard.
        if (!docs_.isEmpty()) {
            const QMimeData *m = QApplication::clipboard()->mimeData();
            const bool text = m && m->hasText();
            action(QStringLiteral("Paste1"))->setEnabled(text);
            button(QStringLiteral("PasteBtn"))->setEnabled(text);
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
        for (const QString &line : start.read.reopen)
            AddReopenItem(line);
    }
    applyDesktopColour();
    // The keyword generator works out of the box with the shipped word list.
    search::installDefaultIgnoreList();

    restartAutosaveTimer();

    const QString folder = AppFolder;
    publishing = new transfer::Publishing(
        this, [folder] { return loadFtpDataFile(folder); },
        [folder](const QStringList &lines, QString *error) { return saveFtpDataFile(folder, lines, error); },
        SaveDialog1);
    publishing->showModal = [this](QDialog *d) { return showModal(d); };
    LoadFtpData();
}

void TMainForm::restartAutosaveTimer()
{
    if (settings.AutosaveOn) {
        Timer1->setInterval(std::max(1, settings.AutosaveMinutes) * 60000);
        Timer1->start();
    } else {
        Timer1->stop();
    }
}

void TMainForm::Timer1Timer()
{
    if (settings.AutosaveOn)
        AutosaveNow();
}

void TMainForm::AutosaveNow()
{
    if (docs_.isEmpty())
        return;
    Label1->show();
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    // A short visible run that keeps the interface responsive throughout.
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < autosaveProgressMs) {
        ProgressBar1->setValue(int(qint64(50000) * clock.elapsed() / std::max(1, autosaveProgressMs)));
        QCoreApplication::processEvents(QEventLoop::AllEvents, 15);
    }
    ProgressBar1->setValue(50000);
    TSubForm *doc = CurrentDoc;   // whichever is current now
    if (!doc) {
        ProgressBar1->hide();
        Label1->hide();
        return;
    }
    if (!filecommands::autosave(*doc, dialogs(), this))
        return;   // the label and bar stay until a later run completes
    ProgressBar1->hide();
    Label1->hide();
}

void TMainForm::applyDesktopColour()
{
    desktop->setBackground(colourFromValue(settings.DesktopColor));
}

// ---------------------------------------------------------------- building

void TMainForm::buildMenus()
{
    QMenuBar *bar = menuBar();
    auto add = [this](QMenu *menu, const char *name, const QString &caption, const QKeySequence &key,
                      bool off, void (TMainForm::*handler)() = nullptr) {
        auto *a = new QAction(caption, this);
        a->setObjectName(QString::fromLatin1(name));
        if (!key.isEmpty())
            a->setShortcut(key);
        a->setEnabled(!off);
        menu->addAction(a);
        actions_.insert(a->objectName(), a);
        if (handler)
            connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return a;
    };
    // An entry that shows a shortcut the menu bar must not own (its key runs
    // an earlier entry): the key text is displayed, not bound.
    auto addShown = [&](QMenu *menu, const char *name, const QString &caption, const QString &keyText,
                        bool off) {
        QAction *a = add(menu, name, caption + QLatin1Char('\t') + keyText, {}, off);
        return a;
    };
    // A check entry whose handler decides the check itself.
    auto addCheck = [&](QMenu *menu, const char *name, const QString &caption, bool checked, bool off,
                        void (TMainForm::*handler)()) {
        QAction *a = add(menu, name, caption, {}, off);
        a->setCheckable(true);
        a->setChecked(checked);
        if (handler) {
            connect(a, &QAction::triggered, this, [this, a, handler] {
                a->setChecked(!a->isChecked());   // undo Qt's own toggle
                (this->*handler)();
            });
        }
        return a;
    };
    auto submenu = [this](QMenu *parent, const char *name, const QString &caption, bool off) {
        QMenu *m = parent->addMenu(caption);
        m->setObjectName(QString::fromLatin1(name) + QStringLiteral("Menu"));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setEnabled(!off);
        actions_.insert(QString::fromLatin1(name), m->menuAction());
        return m;
    };

    QMenu *file = bar->addMenu(QStringLiteral("&File"));
    add(file, "New1", QStringLiteral("&New"), {}, false, &TMainForm::New1Click);
    add(file, "NewWebPage1", QStringLiteral("New &Web Page"), {}, false);
    add(file, "Open1", QStringLiteral("&Open..."), {}, false, &TMainForm::Open1Click);
    add(file, "Openwww1", QStringLiteral("Open @ www..."), {}, false, &TMainForm::Openwww1Click);
    Reopen1 = submenu(file, "Reopen1", QStringLiteral("Reopen"), false);
    file->addSeparator();
    add(file, "Save1", QStringLiteral("&Save"), {}, true, &TMainForm::Save1Click);
    add(file, "SaveAs1", QStringLiteral("S&ave As..."), {}, true, &TMainForm::SaveAs1Click);
    add(file, "Savewww1", QStringLiteral("Save @ www..."), {}, true, &TMainForm::Savewww1Click);
    add(file, "SaveSelection1", QStringLiteral("Save S&election..."), {}, true, &TMainForm::SaveSelBtnClick);
    add(file, "Close1", QStringLiteral("&Close"), {}, true, &TMainForm::Close1Click);
    add(file, "CloseAll1", QStringLiteral("Close &All"), {}, true, &TMainForm::CloseAll1Click);
    file->addSeparator();
    QMenu *setup = submenu(file, "PrintSetup1", QStringLiteral("Print S&etup..."), true);
    addCheck(setup, "Portrait1", QStringLiteral("&Portrait"), true, false, nullptr);
    addCheck(setup, "Landscape1", QStringLiteral("&Landscape"), false, false, nullptr);
    add(file, "PrintPreview1", QStringLiteral("&Print Preview..."), {}, true);
    add(file, "WebPrintPreview1", QStringLiteral("&Web Page Print Preview..."), {}, true);
    add(file, "Print1", QStringLiteral("Prin&t"), {}, true);
    file->addSeparator();
    add(file, "Exit1", QStringLiteral("E&xit"), {}, false, &TMainForm::Exit1Click);

    QMenu *edit = bar->addMenu(QStringLiteral("&Edit"));
    add(edit, "Undo1", QStringLiteral("&Undo"), QKeySequence(QStringLiteral("Ctrl+Z")), true, &TMainForm::Undo1Click);
    edit->addSeparator();
    add(edit, "Cut1", QStringLiteral("C&ut"), QKeySequence(QStringLiteral("Ctrl+X")), true, &TMainForm::CutBtnClick);
    add(edit, "Copy1", QStringLiteral("&Copy"), QKeySequence(QStringLiteral("Ctrl+C")), true, &TMainForm::CopyBtnClick);
    add(edit, "CopyToSpike1", QStringLiteral("Copy To &Spike"), QKeySequence(QStringLiteral("Ctrl+K")), true);
    add(edit, "Paste1", QStringLiteral("&Paste"), QKeySequence(QStringLiteral("Ctrl+V")), true, &TMainForm::PasteBtnClick);
    add(edit, "Delete1", QStringLiteral("&Delete"), {}, true, &TMainForm::Delete1Click);
    edit->addSeparator();
    add(edit, "SelectAll1", QStringLiteral("&Select All"), QKeySequence(QStringLiteral("Ctrl+A")), true,
        &TMainForm::SelectAll1Click);
    edit->addSeparator();
    add(edit, "SortSelection1", QStringLiteral("Sor&t Selection"), {}, true);
    edit->addSeparator();
    add(edit, "Preferences1", QStringLiteral("&Preferences"), {}, false, &TMainForm::Preferences1Click);
    add(edit, "FTPSettings1", QStringLiteral("&FTP Settings"), {}, false, &TMainForm::FTPSettings1Click);

    QMenu *html = bar->addMenu(QStringLiteral("Html"));
    QMenu *ins = submenu(html, "Insert1", QStringLiteral("&Insert"), false);
    add(ins, "Color1", QStringLiteral("Color..."), QKeySequence(QStringLiteral("Ctrl+Alt+C")), true);
    add(ins, "BNewLine1", QStringLiteral("<BR> New Line"), QKeySequence(QStringLiteral("Ctrl+N")), true);
    add(ins, "Space1", QStringLiteral("&Space"), QKeySequence(QStringLiteral("Ctrl+Space")), true);
    add(ins, "HHeadlines1", QStringLiteral("<H> &Headlines..."), QKeySequence(QStringLiteral("Ctrl+H")), true);
    add(ins, "Image1", QStringLiteral("<IMG> I&mage"), QKeySequence(QStringLiteral("Ctrl+M")), true);
    addShown(ins, "AAnchor1", QStringLiteral("<A> Anchor"), QStringLiteral("Ctrl+A"), true);
    add(ins, "Table1", QStringLiteral("<&TABLE>"), QKeySequence(QStringLiteral("Ctrl+T")), true);
    add(ins, "Font1", QStringLiteral("<&FONT>"), QKeySequence(QStringLiteral("Ctrl+F")), true);
    add(ins, "HRRule1", QStringLiteral("<HR> &Rule"), QKeySequence(QStringLiteral("Ctrl+R")), true);
    add(ins, "email1", QStringLiteral("&email..."), QKeySequence(QStringLiteral("Ctrl+E")), true);
    addShown(ins, "FormMenu1", QStringLiteral("<FORM>"), QStringLiteral("Ctrl+F"), true);
    add(ins, "Frameset1", QStringLiteral("Frameset"), QKeySequence(QStringLiteral("Ctrl+Alt+F")), true);
    add(ins, "Frame1", QStringLiteral("Frame"), QKeySequence(QStringLiteral("Shift+Alt+F")), true);
    add(ins, "Marquee1", QStringLiteral("Marquee..."), QKeySequence(QStringLiteral("Ctrl+Q")), true);
    ins->addSeparator();
    QMenu *js = submenu(ins, "Javascript1", QStringLiteral("&Javascript"), true);
    add(js, "Direct1", QStringLiteral("&Direct"), {}, false);
    add(js, "FromFile1", QStringLiteral("&From File"), {}, false);
    ins->addSeparator();
    QMenu *kw = submenu(ins, "Keywords1", QStringLiteral("&Keywords"), true);
    add(kw, "META1", QStringLiteral("<META>"), {}, false);
    add(kw, "EditIgnoreList1", QStringLiteral("Edit Ignore List"), {}, false);
    QMenu *fmt = submenu(html, "Format1", QStringLiteral("&Format"), false);
    add(fmt, "Paragraph1", QStringLiteral("<P> &Paragraph..."), QKeySequence(QStringLiteral("Ctrl+Alt+P")), true);
    add(fmt, "Blockquote1", QStringLiteral("<BLOCK&QUOTE>"), QKeySequence(QStringLiteral("Ctrl+Alt+B")), true);
    add(fmt, "CENTER1", QStringLiteral("<CENTER>"), QKeySequence(QStringLiteral("Ctrl+Shift+C")), true);
    add(fmt, "Bold1", QStringLiteral("<B> &Bold"), QKeySequence(QStringLiteral("Ctrl+B")), true);
    add(fmt, "Italic1", QStringLiteral("<I> &Italic"), QKeySequence(QStringLiteral("Ctrl+I")), true);
    add(fmt, "Underline1", QStringLiteral("<U> &Underline"), QKeySequence(QStringLiteral("Ctrl+U")), true);
    fmt->addSeparator();
    add(fmt, "List1", QStringLiteral("&List"), {}, true);
    add(fmt, "ListItem1", QStringLiteral("List I&tem"), QKeySequence(QStringLiteral("Ctrl+L")), true);

    QMenu *search = bar->addMenu(QStringLiteral("&Search"));
    add(search, "Find1", QStringLiteral("&Find..."), {}, true);
    add(search, "FindinFiles1", QStringLiteral("Fi&nd in Files..."), {}, true);
    add(search, "Replace1", QStringLiteral("&Replace..."), {}, true);

    QMenu *view = bar->addMenu(QStringLiteral("&View"));
    addCheck(view, "Toolbar1", QStringLiteral("Toolbar"), true, false, &TMainForm::Toolbar1Click);
    addCheck(view, "StatusBar2", QStringLiteral("&Status Bar"), true, false, &TMainForm::StatusBar2Click);
    addCheck(view, "HtmlToolbar1", QStringLiteral("&Html Toolbar"), true, false, &TMainForm::HtmlToolbar1Click);
    view->addSeparator();
    addCheck(view, "HtmlPreview1", QStringLiteral("Html &Preview"), true, true, &TMainForm::BrowseBtnClick);
    add(view, "ViewinBrowser1", QStringLiteral("&View in Browser"), {}, true);
    view->addSeparator();
    add(view, "ShowSearchResults1", QStringLiteral("Sh&ow Search Results"), {}, true);
    add(view, "ShowSpike1", QStringLiteral("&Show Spike"), {}, true);
    add(view, "Resources1", QStringLiteral("Image &Resources"), {}, true, &TMainForm::Resources1Click);
    view->addSeparator();
    addCheck(view, "WordWrap1", QStringLiteral("&Word Wrap"), false, true, &TMainForm::wrapbtnClick);
    addCheck(view, "LineNumbering1", QStringLiteral("&Line Numbering"), false, true, &TMainForm::LineNumbering1Click);

    Arrange1 = bar->addMenu(QStringLiteral("&Arrange"));
    Arrange1->setObjectName(QStringLiteral("Arrange1Menu"));
    Arrange1->menuAction()->setObjectName(QStringLiteral("Arrange1"));
    Arrange1->menuAction()->setEnabled(false);
    actions_.insert(QStringLiteral("Arrange1"), Arrange1->menuAction());
    add(Arrange1, "Cascade1", QStringLiteral("&Cascade"), {}, false, &TMainForm::Cascade1Click);
    add(Arrange1, "ile1", QStringLiteral("Tile &Vertical"), {}, false, &TMainForm::ile1Click);
    add(Arrange1, "ileHorizontal1", QStringLiteral("Tile &Horizontal"), {}, false, &TMainForm::ileHorizontal1Click);
    add(Arrange1, "MinimizeAll1", QStringLiteral("&Minimize All"), {}, false, &TMainForm::MinimizeAll1Click);
    add(Arrange1, "ArrangeAll1", QStringLiteral("&Arrange All"), {}, false, &TMainForm::ArrangeAll1Click);

    Windows1 = bar->addMenu(QStringLiteral("Windows"));
    Windows1->setObjectName(QStringLiteral("Windows1Menu"));
    Windows1->menuAction()->setObjectName(QStringLiteral("Windows1"));
    Windows1->menuAction()->setEnabled(false);
    actions_.insert(QStringLiteral("Windows1"), Windows1->menuAction());
    windowList_ = new WindowList(Windows1, Reopen1, this);

    QMenu *help = bar->addMenu(QStringLiteral("&Help"));
    add(help, "Help2", QStringLiteral("Help"), {}, false);
    add(help, "About1", QStringLiteral("&About..."), {}, false, &TMainForm::About1Click);
}

void TMainForm::buildToolStrips()
{
    auto makeButton = [this](QWidget *strip, const char *name, const QString &tip, int x, int y, int w,
                             void (TMainForm::*handler)(), bool enabled) {
        auto *b = new QToolButton(strip);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(tip);
        b->setAutoRaise(true);
        b->setGeometry(x, y, w, 33);
        b->setIconSize(QSize(22, 22));
        b->setMouseTracking(true);
        b->installEventFilter(this);
        b->setEnabled(enabled);
        buttons_.insert(b->objectName(), b);
        if (handler)
            connect(b, &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
        return b;
    };
    auto picture = [](QToolButton *b) {
        b->setIcon(toolIcon(b->objectName()));
        return b;
    };
    auto face = [](QToolButton *b, const QString &text, bool italic = false, int size = 0) {
        b->setText(text);
        QFont f = b->font();
        f.setBold(true);
        f.setItalic(italic);
        if (size > 0)
            f.setPointSize(size);
        b->setFont(f);
        return b;
    };

    // Main tool strip, left edges as designed.
    picture(makeButton(Panel1, "NewBtn", QStringLiteral("New"), 0, 0, 33, &TMainForm::New1Click, true));
    picture(makeButton(Panel1, "OpenBtn", QStringLiteral("Open"), 33, 0, 33, &TMainForm::Open1Click, true));
    picture(makeButton(Panel1, "SaveBtn", QStringLiteral("Save"), 66, 0, 33, &TMainForm::Save1Click, false));
    picture(makeButton(Panel1, "SaveSelBtn", QStringLiteral("Save Selection"), 99, 0, 33,
                       &TMainForm::SaveSelBtnClick, false));
    picture(makeButton(Panel1, "PrintBtn", QStringLiteral("Print"), 132, 0, 33, nullptr, false));
    picture(makeButton(Panel1, "PreviewBtn", QStringLiteral("Print Preview"), 165, 0, 33, nullptr, false));
    picture(makeButton(Panel1, "CutBtn", QStringLiteral("Cut Selected Text"), 204, 0, 33, &TMainForm::CutBtnClick, false));
    picture(makeButton(Panel1, "CopyBtn", QStringLiteral("Copy Selected Text"), 237, 0, 33,
                       &TMainForm::CopyBtnClick, false));
    picture(makeButton(Panel1, "PasteBtn", QStringLiteral("Paste"), 270, 0, 33, &TMainForm::PasteBtnClick, false));
    picture(makeButton(Panel1, "SpikeBtn1", QStringLiteral("Spike"), 303, 0, 33, nullptr, false));
    picture(makeButton(Panel1, "UndoBtn", QStringLiteral("Undo Last Action"), 345, 0, 32, &TMainForm::Undo1Click, false));
    picture(makeButton(Panel1, "FindBtn", QStringLiteral("Find Text"), 378, 0, 33, nullptr, false));
    picture(makeButton(Panel1, "ReplaceBtn", QStringLiteral("Replace Text"), 411, 0, 33, nullptr, false));
    QToolButton *wrap = picture(makeButton(Panel1, "wrapbtn", QStringLiteral("Wrap text to window"), 457, 0, 33,
                                           nullptr, false));
    wrap->setCheckable(true);
    connect(wrap, &QToolButton::clicked, this, [this, wrap] {
        wrap->setChecked(!wrap->isChecked());   // the handler decides the state
        wrapbtnClick();
    });
    picture(makeButton(Panel1, "htmlBtn", QStringLiteral("View in Web Browser"), 524, 0, 33, nullptr, false));

    Label1 = new QLabel(QStringLiteral("Autosaving: "), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    // Right-aligned against the bar, and as wide and high as its text needs
    // in the desktop's font, so its first letter is never cut off.
    const QSize labelSize(std::max(71, Label1->fontMetrics().horizontalAdvance(Label1->text()) + 4),
                          std::max(16, Label1->fontMetrics().height()));
    Label1->setGeometry(659 - labelSize.width(), 17 - labelSize.height() / 2, labelSize.width(),
                        labelSize.height());
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label1->hide();
    ProgressBar1 = new QProgressBar(Panel1);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(660, 9, 133, 16);
    ProgressBar1->setRange(0, 50000);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->hide();

    // HTML tool strip, top edges as designed.
    picture(makeButton(HtmlTools, "BrowseBtn", QStringLiteral("Html Preview"), 0, 0, 33, &TMainForm::BrowseBtnClick, false));
    Shape1 = new ColourSwatch(HtmlTools, QSize(29, 27));
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setOpensChooser(false);
    Shape1->setFill(0xFFFFFF);
    Shape1->setOutline(0xFFFFFF);
    Shape1->setMouseTracking(true);
    connect(Shape1, &ColourSwatch::mousePressed, this, &TMainForm::Shape1MouseDown);
    Shape1->setToolTip(QStringLiteral("insert color: left click for color dialog: right click to insert this color"));
    Shape1->move(2, 34);
    Shape1->installEventFilter(this);
    Shape1->setEnabled(false);
    QToolButton *picker = picture(makeButton(HtmlTools, "colpicBtn", QStringLiteral("color picker"), 0, 61, 33, nullptr, false));
    picker->setCheckable(true);
    picture(makeButton(HtmlTools, "ImgBtn", QStringLiteral("insert image"), 0, 94, 33, nullptr, false));
    picture(makeButton(HtmlTools, "TableBtn", QStringLiteral("insert table"), 0, 127, 33, nullptr, false));
    face(makeButton(HtmlTools, "ParaBtn", QStringLiteral("insert <P> paragraph"), 0, 160, 33, nullptr, false),
         QStringLiteral("<P>"));
    face(makeButton(HtmlTools, "FontBtn", QStringLiteral("insert font"), 0, 193, 33, nullptr, false),
         QStringLiteral("f"), true, 14);
    face(makeButton(HtmlTools, "AnchorBtn", QStringLiteral("insert anchor <A>"), 0, 226, 33, nullptr, false),
         QStringLiteral("<A>"));
    face(makeButton(HtmlTools, "BreakBtn", QStringLiteral("insert linespace <br>"), 0, 259, 33, nullptr, false),
         QStringLiteral("<BR>"));
    face(makeButton(HtmlTools, "CenterBtn", QStringLiteral("<CENTER>"), 0, 292, 33, nullptr, false),
         QStringLiteral("<C>"));
    face(makeButton(HtmlTools, "HRuleBtn", QStringLiteral("insert Horizontal rule"), 0, 325, 33, nullptr, false),
         QStringLiteral("<HR>"));
    face(makeButton(HtmlTools, "SpaceBtn", QStringLiteral("insert space"), 0, 358, 33, nullptr, false),
         QStringLiteral("SPC"));
    picture(makeButton(HtmlTools, "BoldBtn", QStringLiteral("insert bold"), 0, 391, 33, nullptr, false));
    picture(makeButton(HtmlTools, "ItalicBtn", QStringLiteral("insert italic"), 0, 424, 33, nullptr, false));
    picture(makeButton(HtmlTools, "UnderLineBtn", QStringLiteral("insert underline"), 0, 457, 33, nullptr, false));
    // Text faces are small in a 33-pixel button.
    for (const char *n : {"ParaBtn", "AnchorBtn", "BreakBtn", "CenterBtn", "HRuleBtn", "SpaceBtn"}) {
        QToolButton *b = button(QString::fromLatin1(n));
        QFont f = b->font();
        f.setPointSize(7);
        b->setFont(f);
    }
}

void TMainForm::buildStatusBar()
{
    auto *bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    QFont f = bar->font();
    f.setBold(true);
    bar->setFont(f);
    statusPanel0 = new QLabel(bar);
    statusPanel0->setFixedWidth(130);
    statusPanel0->setFrameShape(QFrame::Panel);
    statusPanel0->setFrameShadow(QFrame::Sunken);
    statusPanel1 = new QLabel(bar);
    statusPanel1->setFixedWidth(300);
    statusPanel1->setFrameShape(QFrame::Panel);
    statusPanel1->setFrameShadow(QFrame::Sunken);
    bar->addWidget(statusPanel0);
    bar->addWidget(statusPanel1);
    bar->setSizeGripEnabled(false);
    setStatusBar(bar);
}

QAction *TMainForm::action(const QString &name) const
{
    return actions_.value(name);
}

QToolButton *TMainForm::button(const QString &name) const
{
    return buttons_.value(name);
}

void TMainForm::setEnabledNames(const QStringList &names, bool on)
{
    for (const QString &n : names) {
        if (QAction *a = actions_.value(n))
            a->setEnabled(on);
        else if (QToolButton *b = buttons_.value(n))
            b->setEnabled(on);
        else if (n == QLatin1String("Shape1"))
            Shape1->setEnabled(on);
    }
}

bool TMainForm::isCommandShortcut(const QKeySequence &seq) const
{
    for (QAction *a : actions_) {
        if (a->isEnabled() && !a->shortcut().isEmpty() && a->shortcut() == seq)
            return true;
    }
    return false;
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

    doc->Memo1->setFont(editorFont);
    QPalette pal = doc->Memo1->palette();
    pal.setColor(QPalette::Text, colourFromValue(settings.EditorFontColor));
    pal.setColor(QPalette::Base, colourFromValue(settings.EditorBackColor));
    doc->Memo1->setPalette(pal);

    desktop->addSubWindow(doc);
    // Each new window a step down and right of the last, wrapping round.
    const int step = 24 * (docs_.size() - 1) % std::max(24, std::min(desktop->width(), desktop->height()) / 2);
    doc->move(step, step);
    doc->show();
    desktop->setActiveSubWindow(doc);
    CurrentDoc = doc;

    showWrapState(doc->Memo1->wrap());
    setEnabledNames(kDocumentAvailable, true);
    action(QStringLiteral("Savewww1"))->setEnabled(FtpDataPresent);
    SetPasteCommands();
    if (settings.AutosaveOn)
        Timer1->start();
    else
        Timer1->stop();
    return doc;
}

void TMainForm::DisableDocCommands()
{
    setEnabledNames(kNoDocument, false);
    action(QStringLiteral("WordWrap1"))->setChecked(false);
    button(QStringLiteral("wrapbtn"))->setChecked(false);
    Timer1->stop();
}

void TMainForm::SetSelectionCommands(bool on)
{
    setEnabledNames(kSelectionCommands, on);
}

void TMainForm::SetUndoCommands(bool on)
{
    action(QStringLiteral("Undo1"))->setEnabled(on);
    button(QStringLiteral("UndoBtn"))->setEnabled(on);
    SetSaveCommands();
}

void TMainForm::SetSaveCommands()
{
    const bool mod = CurrentDoc && CurrentDoc->Memo1->modified();
    action(QStringLiteral("Save1"))->setEnabled(mod);
    button(QStringLiteral("SaveBtn"))->setEnabled(mod);
}

void TMainForm::SetPasteCommands()
{
    QCoreApplication::processEvents();
    const QMimeData *m = QApplication::clipboard()->mimeData();
    const bool text = m && m->hasText();
    action(QStringLiteral("Paste1"))->setEnabled(text);
    button(QStringLiteral("PasteBtn"))->setEnabled(text);
}

void TMainForm::enableSelectAll()
{
    action(QStringLiteral("SelectAll1"))->setEnabled(true);
}

void TMainForm::showWrapState(bool on)
{
    action(QStringLiteral("WordWrap1"))->setChecked(on);
    button(QStringLiteral("wrapbtn"))->setChecked(on);
}

void TMainForm::showLineNumberingState(bool on)
{
    action(QStringLiteral("LineNumbering1"))->setChecked(on);
}

void TMainForm::showCaretPosition(const QString &text)
{
    statusPanel0->setText(text);
    // Long documents have long row numbers: the panel grows to show them whole.
    const int needed = statusPanel0->fontMetrics().horizontalAdvance(text) + 2 * statusPanel0->frameWidth() +
                       statusPanel0->fontMetrics().averageCharWidth();
    statusPanel0->setFixedWidth(std::max(130, needed));
}

void TMainForm::clearHint()
{
    statusPanel1->clear();
}

QString TMainForm::statusText(int panel) const
{
    return panel == 0 ? statusPanel0->text() : statusPanel1->text();
}

void TMainForm::documentActivated(TSubForm *doc)
{
    CurrentDoc = doc;
}

void TMainForm::InsertFragment(const QString &text)
{
    if (!CurrentDoc)
        return;
    ::InsertFragment(*CurrentDoc->Memo1, text);
    CurrentDoc->Memo1->setFocus();
}

// ------------------------------------------------------------ window list

void TMainForm::AddWindowItem()
{
    if (CurrentDoc)
        windowList_->addWindow(CurrentDoc->caption(), [this](QAction *entry) { dummy1Click(entry); });
}

void TMainForm::dummy1Click(QAction *entry)
{
    const QString wanted = names::StripAmpersands(entry->text());
    const QList<QMdiSubWindow *> order = desktop->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = order.crbegin(); it != order.crend(); ++it) {
        TSubForm *doc = docOf(*it);
        if (!doc)
            continue;
        windowList_->checkEntry(entry);
        if (wanted == doc->caption()) {
            if (doc->isMinimized())
                doc->showNormal();
            desktop->setActiveSubWindow(doc);
            doc->raise();
            RefreshPreview();
        }
    }
}

void TMainForm::checkWindowEntries(const QString &caption)
{
    windowList_->checkOnly(caption);
}

void TMainForm::removeWindowEntries(const QString &caption)
{
    windowList_->removeWindow(caption);
}

QStringList TMainForm::windowList() const
{
    return windowList_->windows();
}

QStringList TMainForm::checkedWindowEntries() const
{
    return windowList_->checkedWindows();
}

void TMainForm::AddReopenItem(const QString &path)
{
    if (filerules::isUntitled(path)) {
        // The window of that caption, which need not be the current one.
        TSubForm *doc = CurrentDoc && CurrentDoc->caption() == path ? CurrentDoc : nullptr;
        for (TSubForm *d : docs_)
            if (!doc && d->caption() == path)
                doc = d;
        saveAsDocument(doc);
        return;
    }
    windowList_->addReopen(path, [this](QAction *entry) { ReopenItemClick(entry); });
}

QStringList TMainForm::reopenList() const
{
    return windowList_->reopen();
}

void TMainForm::ReopenItemClick(QAction *entry)
{
    const QString caption = entry->text();
    if (openDocument(names::StripAmpersands(caption), Listing::OnSuccess))
        windowList_->removeReopen(caption);
}

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

bool TMainForm::loadInto(TSubForm *doc, const QString &path)
{
    textfile::Decoded decoded;
    const textfile::LoadStatus status = textfile::load(path, decoded);
    return fillDocument(doc, path, status, decoded, {});
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
        SetUndoCommands(true);
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

void TMainForm::Undo1Click()
{
    if (!CurrentDoc)
        return;
    CurrentDoc->Memo1->undo();
    action(QStringLiteral("Undo1"))->setEnabled(false);
    button(QStringLiteral("UndoBtn"))->setEnabled(false);
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

// ------------------------------------------------------------ view

void TMainForm::Toolbar1Click()
{
    QAction *a = action(QStringLiteral("Toolbar1"));
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
    QAction *a = action(QStringLiteral("StatusBar2"));
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
    QAction *a = action(QStringLiteral("HtmlToolbar1"));
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
    const bool on = !action(QStringLiteral("WordWrap1"))->isChecked();
    CurrentDoc->Memo1->setWrap(on);
    showWrapState(on);
}

void TMainForm::LineNumbering1Click()
{
    QAction *a = action(QStringLiteral("LineNumbering1"));
    a->setChecked(!a->isChecked());
    if (CurrentDoc)
        CurrentDoc->setGutterVisible(a->isChecked());
}

void TMainForm::Preferences1Click()
{
    Tprefs *prefs = tools_.preferences(this);
    prefs->FormShow(settings);
    if (showModal(prefs) != QDialog::Accepted)
        return;
    settings = prefs->values();
    QString error;
    if (!writeSettingsFromDialog(AppFolder, settings, &error))
        dialogs().error(error, this);
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
    QAction *a = action(QStringLiteral("HtmlPreview1"));
    if (a->isChecked()) {
        a->setChecked(false);
        setPreviewPaneWidth(4);
        action(QStringLiteral("WebPrintPreview1"))->setEnabled(false);
        EnableHtmlTools();
    } else {
        a->setChecked(true);
        setPreviewPaneWidth(width() - 50);
        action(QStringLiteral("WebPrintPreview1"))->setEnabled(true);
        DisableHtmlTools();
    }
    RefreshPreview();
}

void TMainForm::previewOff()
{
    action(QStringLiteral("HtmlPreview1"))->setChecked(false);
    setPreviewPaneWidth(4);
    action(QStringLiteral("WebPrintPreview1"))->setEnabled(false);
    EnableHtmlTools();
}

void TMainForm::EnableHtmlTools()
{
    Panel1->setEnabled(true);
    if (!docs_.isEmpty())
        setEnabledNames(kHtmlToolButtons, true);
}

void TMainForm::DisableHtmlTools()
{
    setEnabledNames(kHtmlToolButtons, false);
    Panel1->setEnabled(false);
}

// ------------------------------------------------------------ arrange

void TMainForm::Cascade1Click()
{
    desktop->cascadeSubWindows();
}

void TMainForm::tileWindows(bool sideBySide)
{
    QList<QMdiSubWindow *> shown;
    for (QMdiSubWindow *w : desktop->subWindowList(QMdiArea::CreationOrder))
        if (w->isVisible() && !w->isMinimized())
            shown << w;
    if (shown.isEmpty())
        return;
    const QRect area = desktop->viewport()->rect();
    const int n = int(shown.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow *w = shown[i];
        if (w->isMaximized())
            w->showNormal();
        if (sideBySide) {
            const int x0 = area.width() * i / n, x1 = area.width() * (i + 1) / n;
            w->setGeometry(x0, 0, x1 - x0, area.height());
        } else {
            const int y0 = area.height() * i / n, y1 = area.height() * (i + 1) / n;
            w->setGeometry(0, y0, area.width(), y1 - y0);
        }
    }
}

void TMainForm::ile1Click()
{
    tileWindows(true);
}

void TMainForm::ileHorizontal1Click()
{
    tileWindows(false);
}

void TMainForm::MinimizeAll1Click()
{
    // From the bottom of the stack up, so the window in front goes last.
    for (QMdiSubWindow *w : desktop->subWindowList(QMdiArea::StackingOrder))
        w->showMinimized();
    ArrangeAll1Click();
}

void TMainForm::ArrangeAll1Click()
{
    const QRect area = desktop->viewport()->rect();
    int x = 0, y = area.height();
    for (QMdiSubWindow *w : desktop->subWindowList(QMdiArea::CreationOrder)) {
        if (!w->isMinimized())
            continue;
        const QSize s = w->size();
        if (x > 0 && x + s.width() > area.width()) {
            x = 0;
            y -= s.height();
        }
        w->move(x, y - s.height());
        x += s.width();
    }
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
    if (args_.isEmpty())
        return;
    const QString path = args_.join(QLatin1Char(' '));
    const QString ext = names::extensionOf(path).toUpper();
    if (ext == QLatin1String(".HTM") || ext == QLatin1String(".HTML")) {
        openDocument(path, Listing::OnSuccess);
    } else if (ext == QLatin1String(".RTF")) {
        QByteArray rtf;
        switch (fileio::readRegularFile(path, textfile::kMaxDocumentBytes, rtf)) {
        case fileio::ReadStatus::Ok:
            break;
        case fileio::ReadStatus::CannotOpen:
            dialogs().error(QStringLiteral("Cannot open file ") + path, this);
            return;
        case fileio::ReadStatus::TooLarge:
            dialogs().error(QStringLiteral("Text exceeds memo capacity"), this);
            return;
        }
        const QString text = rtfToText(rtf);
        ++UntitledCount;
        TSubForm *doc = CreateDocWindow(QStringLiteral("~Untiltled") + QString::number(UntitledCount));
        AddWindowItem();
        doc->Memo1->setText(text);
        doc->Memo1->setModified(true);
        SetUndoCommands(true);
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
        QString spikeError;
        if (!saveSpikeClips(AppFolder, tools_.Spike->clips(), &spikeError))
            dialogs().error(spikeError, this);
    }
    QString error;
    if (!writeSettingsAtClose(AppFolder, settings, reopenList(), &error, dialogs().fontFamilies()))
        dialogs().error(error, this);
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
        action(QStringLiteral("Savewww1"))->setEnabled(FtpDataPresent);
}

void TMainForm::Savewww1Click()
{
    TSubForm *doc = CurrentDoc;
    if (!doc)
        return;
    // A document that never had a file gets one through Save As first.
    if (filerules::isUntitled(doc->caption()) ? !saveDocument(doc)
                                               : !filecommands::write(*doc, doc->caption(), dialogs(), this))
        return;
    publishing->uploadDocument(doc->caption());
}

void TMainForm::Resources1Click()
{
    if (!CurrentDoc)
        return;
    const QString caption = CurrentDoc->caption();
    const QString folder = caption.startsWith(QLatin1Char('~')) ? QDir::currentPath()
                                                                : QFileInfo(caption).absolutePath();
    publishing->imageResources(CurrentDoc->Memo1->text(), folder);
}

void TMainForm::Openwww1Click()
{
    const QString target = publishing->openWww();
    if (target.isEmpty())
        return;
    QCoreApplication::processEvents();
    TSubForm *doc = CreateDocWindow(target);
    if (!loadInto(doc, target))
        return;
    AddWindowItem();
    doc->Memo1->setModified(true);
    SetSaveCommands();
}
