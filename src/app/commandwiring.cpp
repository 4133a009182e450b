#include "app/commandtable.h"
#include "app/icons.h"
#include "app/mainwindow.h"
#include "app/windowlist.h"
#include "documents/memo.h"
#include "documents/subform.h"
#include "widgets/colourswatch.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QTimer>
#include <QToolButton>

// The main window's commands as the command table describes them: the menus
// and strips built from its rows, each row wired to its handler, and the
// enabling routines that switch rows on and off by their class.

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
            if (!c.shortcut.isEmpty() && !c.shortcutShownOnly) {
                QList<QKeySequence> keys{QKeySequence(c.shortcut)};
                if (!c.alternateShortcut.isEmpty())
                    keys << QKeySequence(c.alternateShortcut);
                a->setShortcuts(keys);
            }
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
    case Id::Redo: return &TMainForm::Redo1Click;
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
    case Id::FindNext: return &TMainForm::FindNext1Click;
    case Id::CheckHtml: return &TMainForm::CheckHtml1Click;
    case Id::GoToLine: return &TMainForm::GoToLine1Click;
    case Id::MatchingTag: return &TMainForm::GoToMatchingTag1Click;
    case Id::Toolbar: return &TMainForm::Toolbar1Click;
    case Id::StatusBar: return &TMainForm::StatusBar2Click;
    case Id::HtmlToolbar: return &TMainForm::HtmlToolbar1Click;
    case Id::HtmlPreview: return &TMainForm::BrowseBtnClick;
    case Id::ShowSearchResults: return &TMainForm::ShowSearchResults1Click;
    case Id::ShowSpike: return &TMainForm::ShowSpike1Click;
    case Id::Resources: return &TMainForm::Resources1Click;
    case Id::WordWrap: return &TMainForm::wrapbtnClick;
    case Id::LineNumbering: return &TMainForm::LineNumbering1Click;
    case Id::ZoomIn: return &TMainForm::ZoomIn1Click;
    case Id::ZoomOut: return &TMainForm::ZoomOut1Click;
    case Id::ZoomReset: return &TMainForm::ZoomReset1Click;
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
        if (a->isEnabled() && a->shortcuts().contains(seq))
            return true;
    }
    return false;
}

// ------------------------------------------------------------ command state

void TMainForm::DisableDocCommands()
{
    setEnabledNames(noDocumentCommands(), false);
    action(commands::Id::WordWrap)->setChecked(false);
    button(commands::Id::WordWrap)->setChecked(false);
    Timer1->stop();
    statusPanel2->clear();
    statusPanel2->hide();
}

void TMainForm::SetSelectionCommands(bool on)
{
    setEnabledNames(selectionCommands(), on);
}

void TMainForm::SetUndoCommands()
{
    // The engine's own history, asked in constant time: Undo while there is
    // a step to take back, Redo while there is one to take again.
    const TMemo *memo = CurrentDoc ? CurrentDoc->Memo1 : nullptr;
    const bool undo = memo && memo->canUndo();
    const bool redo = memo && memo->canRedo();
    action(commands::Id::Undo)->setEnabled(undo);
    button(commands::Id::Undo)->setEnabled(undo);
    action(commands::Id::Redo)->setEnabled(redo);
    button(commands::Id::Redo)->setEnabled(redo);
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

void TMainForm::EnableDocCommands()
{
    setEnabledNames(documentCommands(), true);
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

