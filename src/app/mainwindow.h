#pragma once
// The main window: the frame of the whole program. It holds the desktop of
// document windows, the menus, both tool strips, the preview pane area and
// the status bar; it keeps every command's enabling in step with the current
// document, the selection, the modified flag and the clipboard.
#include "app/commandtable.h"
#include "app/startoptions.h"
#include "settings/settingsstore.h"
#include "app/toolwindows.h"
#include "documents/documenthost.h"
#include "documents/filecommands.h"
#include "documents/textfile.h"
#include "platform/dialogs.h"
#include "search/searchhost.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMainWindow>
#include <QStringList>
#include <functional>

namespace search { class KeywordRun; }
namespace htmlaid { class AidsHub; }
class QAbstractButton;
class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QProgressBar;
class QSplitter;
class QTimer;
class QToolButton;
class ColourSwatch;
class TSubForm;
class WindowList;
struct SessionDocument;
class Tprefs;
class Tlogo;
class TParabox;
class THtmlFont;
class THeadline;
class THrLineBox;
class TListForm;
class TAnchorBox;
class TemailBox;
class Tmarqueebox;
class TFrameset;
class TFramez;
class TNewHtml;
class TFormForm;
class TFindForm;
class TFinFiles;
class TresultsForm;
class TSpike;
class Thtmltabletemp;
class TPictureDialog;
class TJSEditor;
class BrowserPane;
class TPageView;
class QDialog;
namespace transfer { class Publishing; }

class TMainForm : public QMainWindow, public DocumentHost, public SearchHost {
    Q_OBJECT
public:
    // args: the command-line arguments after the program name.
    explicit TMainForm(const QStringList &args = {}, QWidget *parent = nullptr);
    ~TMainForm() override;

    // What tests and the tool windows read of the window's state.
    TSubForm *currentDocument() override { return CurrentDoc; }
    MivorSettings &appSettings() { return settings; }
    const QString &programFolder() const { return AppFolder; }
    bool ftpDataPresent() const { return FtpDataPresent; }
    bool pickingColour() const { return PickingColour; }
    bool tableEditorShown() const { return TableEditorShown; }
    bool keywordScanRunning() const { return keywordRun_ != nullptr; }
    bool tableEditorClosed() const { return TableEditorClosed; }
    FileDialogState &openDialogState() { return OpenDialog1; }
    FileDialogState &saveDialogState() { return SaveDialog1; }
    QMdiArea *documentArea() const { return desktop; }
    QWidget *mainToolStrip() const { return Panel1; }
    QWidget *htmlToolStrip() const { return HtmlTools; }
    QLabel *autosaveLabel() const { return Label1; }
    QProgressBar *autosaveProgress() const { return ProgressBar1; }
    // Panel 0 the caret, 1 the hint, 2 how the current document is saved.
    QLabel *statusPanel(int panel) const
    {
        return panel == 0 ? statusPanel0 : panel == 1 ? statusPanel1 : statusPanel2;
    }
    ColourSwatch *colourSwatch() const { return Shape1; }
    QTimer *autosaveTimer() const { return Timer1; }
    QMenu *windowsMenu() const { return Windows1; }
    QMenu *reopenMenu() const { return Reopen1; }
    transfer::Publishing *publishingDialogs() const { return publishing; }
    BrowserPane *previewPane() const { return WebBrowser1; }
    QWidget *previewHandle() const { return Panel2; }
    QSplitter *previewSplitter() const { return Splitter1; }
    TPageView *pageView() const { return PageView; }
    const QString &tempPage() const { return TempPage; }
    const QStringList &tempFiles() const { return TempFiles; }

    // Dialogs and tool windows, created once and reused.
    ToolWindows &tools() { return tools_; }
    // The command-line arguments name one file each (as a desktop entry
    // passes several files) instead of being joined into one path.
    void setEachArgumentAFile(bool on) { eachArgumentAFile_ = on; }
    // Start-up creates the dialogs in two groups, before and after the splash.
    void createDialogsBeforeSplash();
    void createDialogsAfterSplash();
    // Both groups, with the splash shown modally between them when wanted.
    void startUp(bool splash);
    // The user's choice in Preferences (start.dvf), read at creation.
    bool showSplashAtStart() const { return addedOptions_.showSplash; }
    const AddedOptions &addedOptions() const { return addedOptions_; }
    // The writing aids of every document: their options and dictionary.
    htmlaid::AidsHub *writingAids() const { return aids_; }
    // How a modal dialog is run. Tests replace it so that a scripted answer
    // stands in for the user.
    void setModalRunner(std::function<int(QDialog *)> run) { showModal = std::move(run); }

    QAction *action(commands::Id id) const;
    QToolButton *button(commands::Id id) const;
    // By object name, for the tests that walk the menus and strips.
    QAction *action(const QString &name) const;
    QToolButton *button(const QString &name) const;
    QList<TSubForm *> documents() const;   // in creation order

    // --- operations ---
    TSubForm *CreateDocWindow(const QString &caption);
    void DisableDocCommands() override;
    void SetSelectionCommands(bool on) override;
    void SetUndoCommands() override;
    void SetSaveCommands();
    void SetPasteCommands();
    // Replaces the current document's selection by a fragment: one undoable
    // edit, caret after it, focus back to the text.
    void InsertFragment(const QString &text);
    void AddWindowItem();
    void AddReopenItem(const QString &path) override;
    QStringList reopenList() const;      // captions, top first
    QStringList windowList() const;      // captions in menu order
    QStringList checkedWindowEntries() const;
    // When a new document window is listed in the "Windows" menu.
    enum class Listing { OnSuccess, Always, Never };
    // Opens a file in a new document window (Open, Reopen, the command line,
    // the ignore list). A file that cannot be edited as text opens no window;
    // one that cannot be read leaves its window empty, with
    // cannotOpenMessage (when given) as the message. True when loaded.
    bool openDocument(const QString &path, Listing listing, const QString &cannotOpenMessage = {});
    // Files dropped on the window, each opened as Open opens it.
    void openDroppedFiles(const QStringList &paths);
    QString statusText(int panel) const;
    int previewPaneWidth() const;
    void setPreviewPaneWidth(int w);

    // How long the visible autosave progress runs, in milliseconds.
    void setAutosaveProgressMs(int ms) { autosaveProgressMs = ms; }
    void Timer1Timer();
    void AutosaveNow();
    // Applies AutosaveOn/AutosaveMinutes to the timer: set and started, or stopped.
    void restartAutosaveTimer();

    // --- handlers ---
    void FormActivate();
    void New1Click();
    void Open1Click();
    void Save1Click();
    void SaveAs1Click();
    void SaveSelBtnClick();
    void Close1Click();
    void CloseAll1Click();
    void Exit1Click();
    void Undo1Click();
    void Redo1Click();
    void CutBtnClick();
    void CopyBtnClick();
    void PasteBtnClick();
    void Delete1Click();
    void SelectAll1Click();
    void Toolbar1Click();
    void StatusBar2Click();
    void HtmlToolbar1Click();
    void wrapbtnClick();
    void LineNumbering1Click();
    void ZoomIn1Click();
    void ZoomOut1Click();
    void ZoomReset1Click();
    void About1Click();
    void Preferences1Click();
    void BrowseBtnClick();
    void Cascade1Click();
    void ile1Click();
    void ileHorizontal1Click();
    void MinimizeAll1Click();
    void ArrangeAll1Click();
    void dummy1Click(QAction *entry);
    void ReopenItemClick(QAction *entry);
    void NewBtnMouseMove(const QString &hint);

    // Markup commands. The fixed tags all run through runTagCommand.
    void runTagCommand(markup::TagCommandId id);
    void BoldBtnClick() { runTagCommand(markup::TagCommandId::Bold); }
    void ItalicBtnClick() { runTagCommand(markup::TagCommandId::Italic); }
    void CENTER1Click() { runTagCommand(markup::TagCommandId::Centre); }
    void BreakBtnClick() { runTagCommand(markup::TagCommandId::LineBreak); }
    void SpaceBtnClick() { runTagCommand(markup::TagCommandId::Space); }
    void Paragraph1Click();
    void FontBtnClick();
    void HHeadlines1Click();
    void HRuleBtnClick();
    void List1Click();
    void AnchorBtnClick();
    void email1Click();
    void Marquee1Click();
    void Frameset1Click();
    void Frame1Click();
    void FormMenu1Click();
    void SortSelection1Click();
    void NewWebPage1Click();
    void Shape1MouseDown(Qt::MouseButton button);
    void Color1Click();
    void colpicBtnClick();
    void ApplicationEvents1Idle();
    void FormMouseDown();

    // Tools: search, spike, table editor, pictures, scripts, keywords.
    void Find1Click();
    void Replace1Click();
    void FindinFiles1Click();
    void FindNext1Click();
    void CheckHtml1Click();
    void GoToLine1Click();
    void GoToMatchingTag1Click();
    void ShowSearchResults1Click();
    void CopyToSpike1Click();
    void ShowSpike1Click();
    void Table1Click();
    void Image1Click();
    void Direct1Click();
    void FromFile1Click();
    void META1Click();
    void EditIgnoreList1Click();

    // Preview pane, external view, help and printing.
    void RefreshPreview();
    void Panel2DblClick();
    void Splitter1Moved();
    void htmlBtnClick();
    void Help2Click();
    void WebPrintPreview1Click();
    void PreviewBtnClick();
    void Print1Click();
    void Portrait1Click();
    void Landscape1Click();

    // Publishing and download.
    void LoadFtpData();
    void FTPSettings1Click();
    void Savewww1Click();
    void Resources1Click();
    void Openwww1Click();

    // --- SearchHost ---
    QList<TSubForm *> documentsLeastRecentFirst() override;
    void bringToFront(TSubForm *doc) override;
    void showSearchNote(const QString &text) override;
    void FormMouseMove();

    // --- DocumentHost ---
    void enableSelectAll() override;
    void showWrapState(bool on) override;
    void showLineNumberingState(bool on) override;
    void showCaretPosition(const QString &text) override;
    void clearHint() override;
    void documentActivated(TSubForm *doc) override;
    void checkWindowEntries(const QString &caption) override;
    void removeWindowEntries(const QString &caption) override;
    void previewOff() override;
    bool saveDocument(TSubForm *doc) override;
    int documentCount() const override;
    void documentClosed(TSubForm *doc) override;

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
    // --- fields ---
    TSubForm *CurrentDoc = nullptr;
    QString AppFolder;
    MivorSettings settings;
    int UntitledCount = 0;
    QStringList TempFiles;
    QString TempPage;
    bool FirstActivation = true;
    bool NewPageSaving = false;
    bool FtpDataPresent = false;
    bool PickingColour = false;
    bool TableEditorShown = false;
    bool TableEditorClosed = false;
    search::KeywordRun *keywordRun_ = nullptr;   // the keyword scan under way, if any
    AddedOptions addedOptions_;   // the Preferences kept in start.dvf
    htmlaid::AidsHub *aids_ = nullptr;
    // The open and save dialogs' state that carries over between uses.
    FileDialogState OpenDialog1;
    FileDialogState SaveDialog1;

    // --- controls ---
    QMdiArea *desktop = nullptr;
    QWidget *Panel1 = nullptr;
    QWidget *HtmlTools = nullptr;
    QLabel *Label1 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QWidget *Panel2 = nullptr;
    QSplitter *Splitter1 = nullptr;
    BrowserPane *WebBrowser1 = nullptr;
    QLabel *statusPanel0 = nullptr;
    QLabel *statusPanel1 = nullptr;
    QLabel *statusPanel2 = nullptr;
    ColourSwatch *Shape1 = nullptr;
    QTimer *Timer1 = nullptr;
    QMenu *Windows1 = nullptr;
    QMenu *Reopen1 = nullptr;
    QMenu *Arrange1 = nullptr;

    // FTP settings, upload and download: the server table and their dialogs.
    transfer::Publishing *publishing = nullptr;
    std::function<int(QDialog *)> showModal;
    int autosaveProgressMs = 500;
    TPageView *PageView = nullptr;   // print previews and printing of the page
    QTimer *autosaveStep_ = nullptr;   // moves the visible autosave run on
    QElapsedTimer autosaveClock_;      // valid while a run is under way
    bool autosaveFailing_ = false;     // the last run could not write its copy

    void FormCreate();
    void autosaveStep();
    void finishAutosave();
    void finishKeywords(TSubForm *doc, const QString &text);
    void FormClose();
    void buildMenus();
    void buildToolStrips();
    void buildStatusBar();
    // The encoding and line breaks the current document will be saved with.
    void showSaveFormat();
    void setEnabledNames(const QStringList &names, bool on);
    bool isCommandShortcut(const QKeySequence &seq) const;
    void applyDesktopColour();
    bool fillDocument(TSubForm *doc, const QString &path, textfile::LoadStatus status,
                      const textfile::Decoded &decoded, const QString &cannotOpenMessage);
    filecommands::SaveOptions saveOptions();
    // Mirrors a save into the command state and the window list.
    bool afterSave(TSubForm &doc, const filecommands::SaveResult &r);
    void saveAsDocument(TSubForm *doc);
    void tileWindows(bool sideBySide);
    void EnableHtmlTools();
    void DisableHtmlTools();
    TSubForm *docOf(QMdiSubWindow *w) const;
    void (TMainForm::*handlerFor(commands::Id id))();
    void wireCommands();
    void EnableDocCommands();
    void wirePreviewCommands();
    void createToolWindows();
    void attachWritingAids(TSubForm *doc);
    QString documentFolder() const;
    void insertWithCaret(const markup::Insertion &ins);
    QString selectionText() const;
    void endPicking();

    QStringList args_;
    bool eachArgumentAFile_ = false;
    void openCommandLinePath(const QString &path);
    // Opens the documents kept at the last exit; inFront (the command
    // line's document) stays the current one.
    void reopenSession(TSubForm *inFront);
    QList<SessionDocument> sessionDocuments() const;
    QHash<QString, QAction *> actions_;
    QHash<QString, QToolButton *> buttons_;
    QList<TSubForm *> docs_;
    WindowList *windowList_ = nullptr;
    ToolWindows tools_;
    bool previewShownOnce_ = false;
};
