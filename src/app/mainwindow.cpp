#include "app/mainwindow.h"

#include "app/commandtable.h"
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

using commands::Enabling;

// Object names (menu entry and button) of the rows a predicate picks.
template <typename Pred>
QStringList namesWhere(Pred pred)
{
    QStringList names;
    for (const commands::Command &c : commands::table()) {
        if (!pred(c))
            continue;
        if (!c.name.isEmpty())
            names << c.name;
        if (!c.button.isEmpty())
            names << c.button;
    }
    return names;
}

// Switched on when a document window is created.
const QStringList &documentCommands()
{
    static const QStringList names = namesWhere([](const commands::Command &c) {
        return c.enabling == Enabling::Document || c.enabling == Enabling::DocumentThenSelection;
    });
    return names;
}

// Switched off when the last document window is gone.
const QStringList &noDocumentCommands()
{
    static const QStringList names =
        namesWhere([](const commands::Command &c) { return c.enabling != Enabling::Always; });
    return names;
}

const QStringList &selectionCommands()
{
    static const QStringList names = namesWhere([](const commands::Command &c) {
        return c.enabling == Enabling::Selection || c.enabling == Enabling::DocumentThenSelection;
    });
    return names;
}

// The HTML tool strip's buttons, which the preview pane may disable.
const QStringList &htmlToolButtons()
{
    static const QStringList names = [] {
        QStringList n;
        for (const commands::Command &c : commands::table())
            if (c.strip == commands::Strip::Html && c.id != commands::Id::HtmlPreview)
                n << c.button;
        return n;
    }();
    return names;
}

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
    if (docs_.isEmpty() || autosaveClock_.isValid())
        return;   // nothing to save, or a run is already under way
    Label1->show();
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    if (autosaveProgressMs <= 0) {
        finishAutosave();
        return;
    }
    // A short visible run, moved on by a timer so the interface stays live.
    autosaveClock_.start();
    autosaveStep_->start();
}

void TMainForm::autosaveStep()
{
    const qint64 elapsed = autosaveClock_.elapsed();
    if (elapsed < autosaveProgressMs) {
        ProgressBar1->setValue(int(qint64(50000) * elapsed / autosaveProgressMs));
        return;
    }
    autosaveStep_->stop();
    autosaveClock_.invalidate();
    finishAutosave();
}

void TMainForm::finishAutosave()
{
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
    using commands::Kind;
    QHash<commands::Menu, QMenu *> menus;
    for (const commands::Command &c : commands::table()) {
        if (c.caption.isEmpty())
            continue;   // strip only
        QMenu *parent = menus.value(c.menu);
        if (parent && c.separatorBefore)
            parent->addSeparator();
        const bool off = c.enabling != commands::Enabling::Always;
        QAction *a = nullptr;
        if (c.kind == Kind::Submenu) {
            QMenu *m = parent ? parent->addMenu(c.caption) : menuBar()->addMenu(c.caption);
            menus.insert(c.opens, m);
            a = m->menuAction();
            if (!c.name.isEmpty())
                m->setObjectName(c.name + QStringLiteral("Menu"));
        } else {
            // A key shown only beside the caption is not bound: an earlier
            // entry owns it.
            a = new QAction(c.shortcutShownOnly ? c.caption + QLatin1Char('\t') + c.shortcut : c.caption, this);
            if (!c.shortcut.isEmpty() && !c.shortcutShownOnly)
                a->setShortcut(QKeySequence(c.shortcut));
            parent->addAction(a);
            if (c.kind == Kind::Check || c.kind == Kind::Toggle) {
                a->setCheckable(true);
                a->setChecked(c.checked);
            }
        }
        if (c.name.isEmpty())
            continue;
        a->setObjectName(c.name);
        a->setEnabled(!off);
        actions_.insert(c.name, a);
    }
    Reopen1 = menus.value(commands::Menu::Reopen);
    Arrange1 = menus.value(commands::Menu::Arrange);
    Windows1 = menus.value(commands::Menu::Windows);
    windowList_ = new WindowList(Windows1, Reopen1, this);
}

void TMainForm::buildToolStrips()
{
    for (const commands::Command &c : commands::table()) {
        if (c.strip == commands::Strip::None || c.id == commands::Id::ColourSwatch)
            continue;
        QWidget *strip = c.strip == commands::Strip::Main ? Panel1 : HtmlTools;
        auto *b = new QToolButton(strip);
        b->setObjectName(c.button);
        b->setToolTip(c.hint);
        b->setAutoRaise(true);
        b->setGeometry(c.x, c.y, c.width, 33);
        b->setIconSize(QSize(22, 22));
        b->setMouseTracking(true);
        b->installEventFilter(this);
        b->setEnabled(c.enabling == commands::Enabling::Always);
        b->setCheckable(c.buttonStyle != commands::ButtonStyle::Plain);
        if (c.face.isEmpty()) {
            b->setIcon(toolIcon(c.button));
        } else {
            b->setText(c.face);
            QFont f = b->font();
            f.setBold(true);
            // Text faces are small in a 33-pixel button; the font letter is
            // the one shown large and slanted.
            const bool fontLetter = c.id == commands::Id::Font;
            f.setItalic(fontLetter);
            f.setPointSize(fontLetter ? 14 : 7);
            b->setFont(f);
        }
        buttons_.insert(c.button, b);
    }

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

    const commands::Command &swatch = commands::command(commands::Id::ColourSwatch);
    Shape1 = new ColourSwatch(HtmlTools, QSize(29, 27));
    Shape1->setObjectName(swatch.button);
    Shape1->setOpensChooser(false);
    Shape1->setFill(0xFFFFFF);
    Shape1->setOutline(0xFFFFFF);
    Shape1->setMouseTracking(true);
    connect(Shape1, &ColourSwatch::mousePressed, this, &TMainForm::Shape1MouseDown);
    Shape1->setToolTip(swatch.hint);
    Shape1->move(2, swatch.y);
    Shape1->installEventFilter(this);
    Shape1->setEnabled(false);
}

void (TMainForm::*TMainForm::handlerFor(commands::Id id))()
{
    using commands::Id;
    switch (id) {
    case Id::New: return &TMainForm::New1Click;
    case Id::NewWebPage: return &TMainForm::NewWebPage1Click;
    case Id::Open: return &TMainForm::Open1Click;
    case Id::Openwww: return &TMainForm::Openwww1Click;
    case Id::Save: return &TMainForm::Save1Click;
    case Id::SaveAs: return &TMainForm::SaveAs1Click;
    case Id::Savewww: return &TMainForm::Savewww1Click;
    case Id::SaveSelection: return &TMainForm::SaveSelBtnClick;
    case Id::Close: return &TMainForm::Close1Click;
    case Id::CloseAll: return &TMainForm::CloseAll1Click;
    case Id::Exit: return &TMainForm::Exit1Click;
    case Id::Undo: return &TMainForm::Undo1Click;
    case Id::Cut: return &TMainForm::CutBtnClick;
    case Id::Copy: return &TMainForm::CopyBtnClick;
    case Id::CopyToSpike: return &TMainForm::CopyToSpike1Click;
    case Id::Paste: return &TMainForm::PasteBtnClick;
    case Id::Delete: return &TMainForm::Delete1Click;
    case Id::SelectAll: return &TMainForm::SelectAll1Click;
    case Id::SortSelection: return &TMainForm::SortSelection1Click;
    case Id::Preferences: return &TMainForm::Preferences1Click;
    case Id::FtpSettings: return &TMainForm::FTPSettings1Click;
    case Id::Color: return &TMainForm::Color1Click;
    case Id::Headlines: return &TMainForm::HHeadlines1Click;
    case Id::Image: return &TMainForm::Image1Click;
    case Id::Anchor: return &TMainForm::AnchorBtnClick;
    case Id::Table: return &TMainForm::Table1Click;
    case Id::Font: return &TMainForm::FontBtnClick;
    case Id::Rule: return &TMainForm::HRuleBtnClick;
    case Id::Email: return &TMainForm::email1Click;
    case Id::Form: return &TMainForm::FormMenu1Click;
    case Id::Frameset: return &TMainForm::Frameset1Click;
    case Id::Frame: return &TMainForm::Frame1Click;
    case Id::Marquee: return &TMainForm::Marquee1Click;
    case Id::Direct: return &TMainForm::Direct1Click;
    case Id::FromFile: return &TMainForm::FromFile1Click;
    case Id::Meta: return &TMainForm::META1Click;
    case Id::EditIgnoreList: return &TMainForm::EditIgnoreList1Click;
    case Id::Paragraph: return &TMainForm::Paragraph1Click;
    case Id::List: return &TMainForm::List1Click;
    case Id::Find: return &TMainForm::Find1Click;
    case Id::FindInFiles: return &TMainForm::FindinFiles1Click;
    case Id::Replace: return &TMainForm::Replace1Click;
    case Id::Toolbar: return &TMainForm::Toolbar1Click;
    case Id::StatusBar: return &TMainForm::StatusBar2Click;
    case Id::HtmlToolbar: return &TMainForm::HtmlToolbar1Click;
    case Id::HtmlPreview: return &TMainForm::BrowseBtnClick;
    case Id::ShowSearchResults: return &TMainForm::ShowSearchResults1Click;
    case Id::ShowSpike: return &TMainForm::ShowSpike1Click;
    case Id::Resources: return &TMainForm::Resources1Click;
    case Id::WordWrap: return &TMainForm::wrapbtnClick;
    case Id::LineNumbering: return &TMainForm::LineNumbering1Click;
    case Id::Cascade: return &TMainForm::Cascade1Click;
    case Id::TileVertical: return &TMainForm::ile1Click;
    case Id::TileHorizontal: return &TMainForm::ileHorizontal1Click;
    case Id::MinimizeAll: return &TMainForm::MinimizeAll1Click;
    case Id::ArrangeAll: return &TMainForm::ArrangeAll1Click;
    case Id::About: return &TMainForm::About1Click;
    case Id::ViewInBrowser: return &TMainForm::htmlBtnClick;
    case Id::Help: return &TMainForm::Help2Click;
    case Id::WebPrintPreview: return &TMainForm::WebPrintPreview1Click;
    case Id::PrintPreview: return &TMainForm::PreviewBtnClick;
    case Id::Print: return &TMainForm::Print1Click;
    case Id::Portrait: return &TMainForm::Portrait1Click;
    case Id::Landscape: return &TMainForm::Landscape1Click;
    case Id::ColourPicker: return &TMainForm::colpicBtnClick;
    default: return nullptr;   // submenus, and commands without a handler yet
    }
}

void TMainForm::wireCommands()
{
    for (const commands::Command &c : commands::table()) {
        std::function<void()> run;
        if (c.tag) {
            const markup::TagCommandId tag = *c.tag;
            run = [this, tag] { runTagCommand(tag); };
        } else if (auto handler = handlerFor(c.id)) {
            run = [this, handler] { (this->*handler)(); };
        } else {
            continue;
        }
        if (QAction *a = actions_.value(c.name); a && c.kind != commands::Kind::Submenu) {
            const bool handlerChecks = c.kind == commands::Kind::Check;
            connect(a, &QAction::triggered, this, [a, run, handlerChecks] {
                if (handlerChecks)
                    a->setChecked(!a->isChecked());   // undo Qt's own toggle
                run();
            });
        }
        if (QToolButton *b = buttons_.value(c.button)) {
            const bool handlerChecks = c.buttonStyle == commands::ButtonStyle::HandlerChecks;
            connect(b, &QToolButton::clicked, this, [b, run, handlerChecks] {
                if (handlerChecks)
                    b->setChecked(!b->isChecked());
                run();
            });
        }
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

QAction *TMainForm::action(commands::Id id) const
{
    return actions_.value(commands::command(id).name);
}

QToolButton *TMainForm::button(commands::Id id) const
{
    return buttons_.value(commands::command(id).button);
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
    setEnabledNames(documentCommands(), true);
    action(commands::Id::Savewww)->setEnabled(FtpDataPresent);
    SetPasteCommands();
    if (settings.AutosaveOn)
        Timer1->start();
    else
        Timer1->stop();
    return doc;
}

void TMainForm::DisableDocCommands()
{
    setEnabledNames(noDocumentCommands(), false);
    action(commands::Id::WordWrap)->setChecked(false);
    button(commands::Id::WordWrap)->setChecked(false);
    Timer1->stop();
}

void TMainForm::SetSelectionCommands(bool on)
{
    setEnabledNames(selectionCommands(), on);
}

void TMainForm::SetUndoCommands(bool on)
{
    action(commands::Id::Undo)->setEnabled(on);
    button(commands::Id::Undo)->setEnabled(on);
    SetSaveCommands();
}

void TMainForm::SetSaveCommands()
{
    const bool mod = CurrentDoc && CurrentDoc->Memo1->modified();
    action(commands::Id::Save)->setEnabled(mod);
    button(commands::Id::Save)->setEnabled(mod);
}

void TMainForm::SetPasteCommands()
{
    QCoreApplication::processEvents();
    const QMimeData *m = QApplication::clipboard()->mimeData();
    const bool text = m && m->hasText();
    action(commands::Id::Paste)->setEnabled(text);
    button(commands::Id::Paste)->setEnabled(text);
}

void TMainForm::enableSelectAll()
{
    action(commands::Id::SelectAll)->setEnabled(true);
}

void TMainForm::showWrapState(bool on)
{
    action(commands::Id::WordWrap)->setChecked(on);
    button(commands::Id::WordWrap)->setChecked(on);
}

void TMainForm::showLineNumberingState(bool on)
{
    action(commands::Id::LineNumbering)->setChecked(on);
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
    action(commands::Id::Undo)->setEnabled(false);
    button(commands::Id::Undo)->setEnabled(false);
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

void TMainForm::EnableHtmlTools()
{
    Panel1->setEnabled(true);
    if (!docs_.isEmpty())
        setEnabledNames(htmlToolButtons(), true);
}

void TMainForm::DisableHtmlTools()
{
    setEnabledNames(htmlToolButtons(), false);
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
        action(commands::Id::Savewww)->setEnabled(FtpDataPresent);
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
