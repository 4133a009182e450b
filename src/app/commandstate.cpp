#include "app/commandstate.h"

#include "app/icons.h"
#include "documents/memo.h"
#include "documents/subform.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QToolButton>

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

void CommandState::buildMenus(QMenuBar *bar, QObject *owner)
{
    using commands::Kind;
    for (const commands::Command &c : commands::table()) {
        if (c.caption.isEmpty())
            continue;   // strip only
        QMenu *parent = menus_.value(c.menu);
        if (parent && c.separatorBefore)
            parent->addSeparator();
        const bool off = c.enabling != commands::Enabling::Always;
        QAction *a = nullptr;
        if (c.kind == Kind::Submenu) {
            QMenu *m = parent ? parent->addMenu(c.caption) : bar->addMenu(c.caption);
            menus_.insert(c.opens, m);
            a = m->menuAction();
            if (!c.name.isEmpty())
                m->setObjectName(c.name + QStringLiteral("Menu"));
        } else {
            // A key shown only beside the caption is not bound: an earlier
            // entry owns it.
            a = new QAction(c.shortcutShownOnly ? c.caption + QLatin1Char('\t') + c.shortcut : c.caption, owner);
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
}

void CommandState::buildToolStrips(QWidget *mainStrip, QWidget *htmlStrip, QObject *hover)
{
    for (const commands::Command &c : commands::table()) {
        if (c.strip == commands::Strip::None || c.id == commands::Id::ColourSwatch)
            continue;
        QWidget *strip = c.strip == commands::Strip::Main ? mainStrip : htmlStrip;
        auto *b = new QToolButton(strip);
        b->setObjectName(c.button);
        b->setToolTip(c.hint);
        b->setAutoRaise(true);
        b->setGeometry(c.x, c.y, c.width, 33);
        b->setIconSize(QSize(22, 22));
        b->setMouseTracking(true);
        b->installEventFilter(hover);
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
}

void CommandState::bind(commands::Id id, const std::function<void()> &run)
{
    const commands::Command &c = commands::command(id);
    ++bound_[id];
    if (QAction *a = actions_.value(c.name); a && c.kind != commands::Kind::Submenu) {
        const bool handlerChecks = c.kind == commands::Kind::Check;
        QObject::connect(a, &QAction::triggered, a, [a, run, handlerChecks] {
            if (handlerChecks)
                a->setChecked(!a->isChecked());   // undo Qt's own toggle
            run();
        });
    }
    if (QToolButton *b = buttons_.value(c.button)) {
        const bool handlerChecks = c.buttonStyle == commands::ButtonStyle::HandlerChecks;
        QObject::connect(b, &QToolButton::clicked, b, [b, run, handlerChecks] {
            if (handlerChecks)
                b->setChecked(!b->isChecked());
            run();
        });
    }
}

QAction *CommandState::action(commands::Id id) const
{
    return actions_.value(commands::command(id).name);
}

QToolButton *CommandState::button(commands::Id id) const
{
    return buttons_.value(commands::command(id).button);
}

bool CommandState::isStripButton(const QWidget *w) const
{
    return w && buttons_.contains(w->objectName());
}

void CommandState::setEnabled(commands::Id id, bool on)
{
    if (QAction *a = action(id))
        a->setEnabled(on);
    if (QToolButton *b = button(id))
        b->setEnabled(on);
}

void CommandState::setChecked(commands::Id id, bool on)
{
    if (QAction *a = action(id))
        a->setChecked(on);
    if (QToolButton *b = button(id))
        b->setChecked(on);
}

void CommandState::setEnabledNames(const QStringList &names, bool on)
{
    for (const QString &n : names) {
        if (QAction *a = actions_.value(n))
            a->setEnabled(on);
        else if (QToolButton *b = buttons_.value(n))
            b->setEnabled(on);
        else if (QWidget *w = others_.value(n))
            w->setEnabled(on);
    }
}

bool CommandState::isCommandShortcut(const QKeySequence &seq) const
{
    for (QAction *a : actions_) {
        if (a->isEnabled() && a->shortcuts().contains(seq))
            return true;
    }
    return false;
}

// ------------------------------------------------------------ enabling

void CommandState::EnableDocCommands()
{
    setEnabledNames(documentCommands(), true);
}

void CommandState::DisableDocCommands()
{
    setEnabledNames(noDocumentCommands(), false);
    setChecked(commands::Id::WordWrap, false);
}

void CommandState::SetSelectionCommands(bool on)
{
    setEnabledNames(selectionCommands(), on);
}

void CommandState::SetUndoCommands()
{
    // The engine's own history, asked in constant time: Undo while there is
    // a step to take back, Redo while there is one to take again.
    const TMemo *memo = current_ ? current_->Memo1 : nullptr;
    setEnabled(commands::Id::Undo, memo && memo->canUndo());
    setEnabled(commands::Id::Redo, memo && memo->canRedo());
    SetSaveCommands();
}

void CommandState::SetSaveCommands()
{
    setEnabled(commands::Id::Save, current_ && current_->Memo1->modified());
}

void CommandState::SetPasteCommands()
{
    // Another program's clipboard changes arrive as the clipboard's own
    // signal, which calls this again; the state read now is the last known.
    const QMimeData *m = QApplication::clipboard()->mimeData();
    setEnabled(commands::Id::Paste, m && m->hasText());
}

void CommandState::EnableHtmlTools(QWidget *mainStrip, bool haveDocuments)
{
    mainStrip->setEnabled(true);
    if (haveDocuments)
        setEnabledNames(htmlToolButtons(), true);
}

void CommandState::DisableHtmlTools(QWidget *mainStrip)
{
    setEnabledNames(htmlToolButtons(), false);
    mainStrip->setEnabled(false);
}
