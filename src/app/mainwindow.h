#pragma once
// The main window: the frame of the whole program and its switchboard. It
// makes the desktop of document windows, the menus and strips, the preview
// pane area and the status bar, and the owners of the commands; it binds each
// row of the command table to its owner's handler and passes the document
// windows' questions (DocumentHost) and the search windows' (SearchHost) on
// to the owner they concern. The commands themselves live with their owners.
#include "app/autosave.h"
#include "app/commandhost.h"
#include "app/commandstate.h"
#include "app/documentcommands.h"
#include "app/helpcommands.h"
#include "app/markupcommands.h"
#include "app/prefscommands.h"
#include "app/previewcommands.h"
#include "app/searchcommands.h"
#include "app/startoptions.h"
#include "app/statusbar.h"
#include "app/toolcommands.h"
#include "app/toolwindows.h"
#include "app/transfercommands.h"
#include "app/viewcommands.h"
#include "app/windowcommands.h"
#include "documents/documenthost.h"
#include "search/searchhost.h"
#include "settings/settingsstore.h"

#include <QMainWindow>
#include <QStringList>
#include <functional>

namespace htmlaid { class AidsHub; }
class BrowserPane;
class QMdiArea;
class QMdiSubWindow;
class QSplitter;
class TSubForm;
struct SessionDocument;

class TMainForm : public QMainWindow, public DocumentHost, public SearchHost, public CommandHost {
    Q_OBJECT
public:
    // args: the command-line arguments after the program name.
    explicit TMainForm(const QStringList &args = {}, QWidget *parent = nullptr);
    ~TMainForm() override;

    TSubForm *currentDocument() override { return CurrentDoc; }
    QList<TSubForm *> documents() const override { return docs_; }   // in creation order
    // A new document window, made current and given the commands of a document.
    TSubForm *CreateDocWindow(const QString &caption) override;
    // Lists the current document in the "Windows" menu.
    void AddWindowItem() { windows_.AddWindowItem(); }

    MivorSettings &appSettings() { return settings; }
    const AddedOptions &addedOptions() const { return addedOptions_; }
    // The writing aids of every document: their options and dictionary.
    htmlaid::AidsHub *writingAids() const { return aids_; }
    // The command-line arguments name one file each (as a desktop entry
    // passes several files) instead of being joined into one path.
    void setEachArgumentAFile(bool on) { eachArgumentAFile_ = on; }
    // Start-up: the dialogs in two groups, with the splash shown modally
    // between them when wanted.
    void startUp(bool splash);
    // How a modal dialog is run. Tests replace it so that a scripted answer
    // stands in for the user.
    void setModalRunner(std::function<int(QDialog *)> run) { showModal = std::move(run); }

    // The commands' widgets, by Id or (for the tests that walk the menus
    // and strips) by object name.
    QAction *action(commands::Id id) const { return state_.action(id); }
    QToolButton *button(commands::Id id) const { return state_.button(id); }
    QAction *action(const QString &name) const { return state_.action(name); }
    QToolButton *button(const QString &name) const { return state_.button(name); }

    // The owners of the commands and of the window's parts.
    CommandState &commandState() { return state_; }
    DocumentCommands &documentCommands() { return documents_; }
    MarkupCommands &markupCommands() { return *markup_; }
    SearchCommands &searchCommands() { return search_; }
    ToolCommands &toolCommands() { return *tools_cmds_; }
    PreviewCommands &previewCommands() { return *preview_; }
    ViewCommands &viewCommands() { return *view_; }
    WindowCommands &windowCommands() { return windows_; }
    TransferCommands &transferCommands() { return transfer_; }
    HelpCommands &helpCommands() { return help_; }
    PreferencesCommands &preferencesCommands() { return prefs_; }
    Autosave &autosave() { return *autosave_; }
    StatusPanels &statusPanels() { return status_; }
    ToolWindows &tools() { return tools_; }

    // The frame's own widgets, for the tests that look at them.
    QMdiArea *documentArea() const { return desktop; }
    QWidget *mainToolStrip() const { return Panel1; }
    QWidget *htmlToolStrip() const { return HtmlTools; }
    BrowserPane *previewPane() const { return WebBrowser1; }
    QWidget *previewHandle() const { return Panel2; }
    QSplitter *previewSplitter() const { return Splitter1; }

    // The first activation opens the command line's files and the last session's.
    void FormActivate();

protected:
    void closeEvent(QCloseEvent *e) override;
    void changeEvent(QEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dragMoveEvent(QDragMoveEvent *e) override;
    void dropEvent(QDropEvent *e) override;

private:
    // --- CommandHost ---
    QWidget *frame() override { return this; }
    int runModal(QDialog *dialog) override { return showModal(dialog); }

    // --- DocumentHost: each question passed to the part it concerns ---
    void SetSelectionCommands(bool on) override { state_.SetSelectionCommands(on); }
    void SetUndoCommands() override { state_.SetUndoCommands(); }
    void DisableDocCommands() override;
    void enableSelectAll() override;
    void showWrapState(bool on) override { view_->showWrapState(on); }
    void showLineNumberingState(bool on) override { view_->showLineNumberingState(on); }
    bool isCommandShortcut(const QKeySequence &seq) const override { return state_.isCommandShortcut(seq); }
    void showCaretPosition(const QString &text) override { status_.showCaretPosition(text); }
    void clearHint() override { status_.clearHint(); }
    void documentActivated(TSubForm *doc) override;
    void checkWindowEntries(const QString &caption) override { windows_.checkWindowEntries(caption); }
    void removeWindowEntries(const QString &caption) override { windows_.removeWindowEntries(caption); }
    void previewOff() override { preview_->previewOff(); }
    void AddReopenItem(const QString &path) override;
    bool saveDocument(TSubForm *doc) override { return documents_.saveDocument(doc); }
    int documentCount() const override { return int(docs_.size()); }
    void documentClosed(TSubForm *doc) override;

    // --- SearchHost ---
    QList<TSubForm *> documentsLeastRecentFirst() override;
    void bringToFront(TSubForm *doc) override;
    void showSearchNote(const QString &text) override { status_.showHint(text); }

    void FormCreate();
    void FormClose();
    void makeFrame();
    void bindCommands();
    void applyDesktopColour();
    // The window's parts take the settings Preferences changed.
    void applySettings(bool addedChanged);
    void attachWritingAids(TSubForm *doc);
    // Opens the documents kept at the last exit; inFront (the command
    // line's document) stays the current one.
    void reopenSession(TSubForm *inFront);
    QList<SessionDocument> sessionDocuments() const;

    // --- state ---
    TSubForm *CurrentDoc = nullptr;
    QList<TSubForm *> docs_;
    QString AppFolder;
    MivorSettings settings;
    AddedOptions addedOptions_;   // the Preferences kept in start.dvf
    htmlaid::AidsHub *aids_ = nullptr;
    bool FirstActivation = true;
    bool previewShownOnce_ = false;
    QStringList args_;
    bool eachArgumentAFile_ = false;
    std::function<int(QDialog *)> showModal;

    // --- controls ---
    QMdiArea *desktop = nullptr;
    QWidget *Panel1 = nullptr;
    QWidget *HtmlTools = nullptr;
    QWidget *Panel2 = nullptr;
    QSplitter *Splitter1 = nullptr;
    BrowserPane *WebBrowser1 = nullptr;

    // --- the owners, made once the frame exists ---
    CommandState state_;
    StatusPanels status_;
    ToolWindows tools_;
    WindowCommands windows_;
    DocumentCommands documents_;
    SearchCommands search_;
    TransferCommands transfer_;
    HelpCommands help_;
    PreferencesCommands prefs_;
    MarkupCommands *markup_ = nullptr;
    ToolCommands *tools_cmds_ = nullptr;
    Autosave *autosave_ = nullptr;
    std::unique_ptr<PreviewCommands> preview_;
    std::unique_ptr<ViewCommands> view_;
};
