#pragma once
// The commands' widgets and their enabling: every menu entry and strip
// button made from the command table, found by Id, each bound to the callable
// of the owner that runs it, and switched on and off by the enabling classes
// of the table as the current document, its selection, its history and the
// clipboard change.
#include "app/commandtable.h"

#include <QHash>
#include <QStringList>
#include <functional>

class QAction;
class QKeySequence;
class QMenu;
class QMenuBar;
class QObject;
class QToolButton;
class QWidget;
class TSubForm;

class CommandState {
public:
    // current: the main window's current document, read at every refresh.
    explicit CommandState(TSubForm *const &current) : current_(current) {}

    // The menus under `bar` and the strips' buttons, all built from the table.
    // `hover` watches the buttons for the status bar's hints.
    void buildMenus(QMenuBar *bar, QObject *owner);
    void buildToolStrips(QWidget *mainStrip, QWidget *htmlStrip, QObject *hover);
    // A widget made elsewhere that a row's enabling names (the colour swatch).
    void addWidget(const QString &name, QWidget *w) { others_.insert(name, w); }
    QMenu *menu(commands::Menu m) const { return menus_.value(m); }

    // Runs `run` when the row's entry is chosen or its button clicked.
    void bind(commands::Id id, const std::function<void()> &run);
    // How many callables a row was given: one, or its command would run twice.
    int bindings(commands::Id id) const { return bound_.value(id); }

    QAction *action(commands::Id id) const;
    QToolButton *button(commands::Id id) const;
    QAction *action(const QString &name) const { return actions_.value(name); }
    QToolButton *button(const QString &name) const { return buttons_.value(name); }
    bool isStripButton(const QWidget *w) const;
    // Entry and button of one command together.
    void setEnabled(commands::Id id, bool on);
    void setChecked(commands::Id id, bool on);

    // A key the window's enabled commands own, which a text area leaves to them.
    bool isCommandShortcut(const QKeySequence &seq) const;

    void EnableDocCommands();
    void DisableDocCommands();
    void SetSelectionCommands(bool on);
    // Undo and Redo as the current document's history stands, then Save.
    void SetUndoCommands();
    void SetSaveCommands();
    void SetPasteCommands();
    // The HTML strip's buttons, which the preview pane rests while it is wide.
    void EnableHtmlTools(QWidget *mainStrip, bool haveDocuments);
    void DisableHtmlTools(QWidget *mainStrip);

private:
    void setEnabledNames(const QStringList &names, bool on);
    TSubForm *const &current_;
    QHash<QString, QAction *> actions_;
    QHash<QString, QToolButton *> buttons_;
    QHash<QString, QWidget *> others_;
    QHash<commands::Menu, QMenu *> menus_;
    QHash<commands::Id, int> bound_;
};
