#pragma once
// The file commands on one document window: reading a file into it, Save
// with its backup, Save As, Save Selection and the autosave copy. The main
// window and the tool windows call these; what they report back is what the
// caller still has to mirror (command enabling, the window list).
#include "documents/textfile.h"

#include <QString>

class Dialogs;
class QWidget;
class TSubForm;
struct FileDialogState;

namespace filecommands {

struct SaveOptions {
    bool makeBackups = false;
    // A new web page's first Save As proposes the HTML type.
    bool newPage = false;
    // The save dialog's state, which carries over between uses.
    FileDialogState *saveDialog = nullptr;
    QWidget *parent = nullptr;
};

enum class Outcome { Saved, Cancelled, Failed };

struct SaveResult {
    Outcome outcome = Outcome::Failed;
    // Save As ran: the caller lists the window again under its (maybe new)
    // caption, as it does after a cancelled Save As too.
    bool viaSaveAs = false;
    QString oldCaption;
    bool saved() const { return outcome == Outcome::Saved; }
};

// Save: an untitled document goes through Save As; otherwise the file on
// disk is first copied to its backup name (when backups are on), then the
// text is written and the modified flag cleared.
SaveResult save(TSubForm &doc, const SaveOptions &options, Dialogs &dialogs);
// Save As: asks for a name until one is written or the user cancels.
SaveResult saveAs(TSubForm &doc, const SaveOptions &options, Dialogs &dialogs);
// Writes the document's text to path in its encoding. Fails with the
// message to show.
Result write(TSubForm &doc, const QString &path);
// Asks for a name and writes the selection there.
Outcome saveSelection(TSubForm &doc, FileDialogState &saveDialog, Dialogs &dialogs, QWidget *parent);

// Writes the autosave copy beside the document's file. Fails with the
// message to show only when the write failed; a declined replacement is no
// failure.
Result autosave(TSubForm &doc, Dialogs &dialogs, QWidget *parent);

// A backup or autosave copy replaces something the program did not make
// there only with the user's word.
bool mayReplaceSideFile(const QString &side, Dialogs &dialogs, QWidget *parent);

struct LoadResult {
    bool loaded = false;
    // The user took back the text of an earlier session: the document is
    // modified from the start.
    bool restored = false;
};

// Reads a file as Open does. The status and text come from textfile::load;
// a failed read shows its message (cannotOpenMessage, when given, for a file
// that cannot be opened) and leaves the document as it was.
LoadResult fill(TSubForm &doc, const QString &path, textfile::LoadStatus status,
                const textfile::Decoded &decoded, Dialogs &dialogs, QWidget *parent,
                const QString &cannotOpenMessage = {});
LoadResult load(TSubForm &doc, const QString &path, Dialogs &dialogs, QWidget *parent);

} // namespace filecommands
