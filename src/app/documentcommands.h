#pragma once
// The File and Edit menus: new, open, save and close document windows, and
// the edit commands of the current document's text area. Every file goes by
// the file commands of documents/; this owner mirrors their outcome into the
// commands' state and the window list.
#include "documents/filecommands.h"
#include "documents/textfile.h"
#include "platform/dialogs.h"

#include <QStringList>

class CommandHost;
class CommandState;
class TSubForm;
class WindowCommands;
struct MivorSettings;

class DocumentCommands {
public:
    DocumentCommands(CommandHost &host, CommandState &state, WindowCommands &windows,
                     const MivorSettings &settings);
    void bind(CommandState &state);

    // When a new document window is listed in the "Windows" menu.
    enum class Listing { OnSuccess, Always, Never };
    // Opens a file in a new document window (Open, Reopen, the command line,
    // the ignore list). A file that cannot be edited as text opens no window;
    // one that cannot be read leaves its window empty, with
    // cannotOpenMessage (when given) as the message. True when loaded.
    bool openDocument(const QString &path, Listing listing, const QString &cannotOpenMessage = {});
    // A file named on the command line: pages and text open, RTF as its text.
    void openCommandLinePath(const QString &path);
    // Files dropped on the window, each opened as Open opens it.
    void openDroppedFiles(const QStringList &paths);
    // Fills a new window with a loaded file; false when nothing could be read.
    bool fillDocument(TSubForm *doc, const QString &path, textfile::LoadStatus status,
                      const textfile::Decoded &decoded, const QString &cannotOpenMessage);
    // A new untitled window ("~Untiltled" and the next number), made current.
    TSubForm *newUntitledDocument();

    // Save of the file commands on this document; false when nothing was written.
    bool saveDocument(TSubForm *doc);
    // Save As of any document window, current or not.
    void saveAsDocument(TSubForm *doc);
    // Save As of a new web page before its dialog fills it.
    void saveAsNewPage(TSubForm *doc);

    // The open and save dialogs' state that carries over between uses.
    FileDialogState &openDialogState() { return OpenDialog1; }
    FileDialogState &saveDialogState() { return SaveDialog1; }

    void New1Click();
    void Open1Click();
    void Save1Click();
    void SaveAs1Click();
    void SaveSelBtnClick();
    void Close1Click();
    // Closes as many times as windows were open, one per event-loop turn, so
    // each close (and its question) is over before the next begins.
    void CloseAll1Click();
    void Exit1Click();
    void Undo1Click();
    void Redo1Click();
    void CutBtnClick();
    void CopyBtnClick();
    void PasteBtnClick();
    void Delete1Click();
    void SelectAll1Click();

private:
    filecommands::SaveOptions saveOptions();
    // Mirrors a save into the command state and the window list.
    bool afterSave(TSubForm &doc, const filecommands::SaveResult &r);
    void closeNext(int left);
    TSubForm *current();

    CommandHost &host_;
    CommandState &state_;
    WindowCommands &windows_;
    const MivorSettings &settings_;
    FileDialogState OpenDialog1;
    FileDialogState SaveDialog1;
    int UntitledCount = 0;
    bool NewPageSaving = false;
};
