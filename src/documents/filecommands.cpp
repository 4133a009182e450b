#include "documents/filecommands.h"

#include "documents/filechecks.h"
#include "documents/filenames.h"
#include "documents/filerules.h"
#include "documents/memo.h"
#include "documents/recovery.h"
#include "documents/subform.h"
#include "platform/dialogs.h"
#include "platform/fileio.h"

#include <QFileInfo>

namespace filecommands {

bool mayReplaceSideFile(const QString &side, Dialogs &dialogs, QWidget *parent)
{
    if (!filechecks::sideFileNeedsQuestion(side))
        return true;
    return dialogs.askYesNo(filechecks::replaceQuestion(side), parent) == Answer::Yes;
}

Result write(TSubForm &doc, const QString &path)
{
    textfile::Encoding used = doc.encoding;
    if (Result r = textfile::save(path, doc.Memo1->text(), doc.encoding, &used, doc.byteOrderMark); !r)
        return Result::failure(filerules::cannotCreateMessage(path, r.message));
    doc.setEncoding(used);
    return Result::success();
}

namespace {

// What to do about a backup that holds another document's bytes (a.htm and
// a.txt share a.bak): replace it, keep it and save without one, or stop.
Answer backupOfAnotherDocument(const QString &backup, const QString &path, Dialogs &dialogs, QWidget *parent)
{
    if (fileio::occupantOf(backup) != fileio::Occupant::RegularFile)
        return Answer::Yes;
    const QString origin = fileio::originOf(backup);
    if (origin.isEmpty() || fileio::sameFile(origin, QFileInfo(path).absoluteFilePath()))
        return Answer::Yes;
    return dialogs.askYesNoCancel(filechecks::otherBackupQuestion(backup, origin, path), parent);
}

// Hidden temporary files that a save cut short left beside the document
// and its side files (a crash, a kill): as large as the document each.
void removeLeftovers(const QString &path)
{
    const QString target = fileio::resolveLinks(path).value;
    if (!target.isEmpty() && names::folderPart(target) != names::folderPart(path))
        fileio::removeStaleTemporaries(names::folderPart(target), {names::fileNamePart(target)});
    fileio::removeStaleTemporaries(names::folderPart(path),
                                   {names::fileNamePart(path), names::fileNamePart(names::backupNameFor(path)),
                                    names::fileNamePart(names::autosaveNameFor(path))});
}

} // namespace

SaveResult save(TSubForm &doc, const SaveOptions &options, Dialogs &dialogs)
{
    if (filerules::isUntitled(doc.caption()))
        return saveAs(doc, options, dialogs);
    const QString path = doc.caption();
    removeLeftovers(path);
    // A file not (or no longer) on disk has nothing to back up.
    if (options.makeBackups && QFileInfo::exists(path)) {
        const QString backup = names::backupNameFor(path);
        if (!mayReplaceSideFile(backup, dialogs, options.parent))
            return SaveResult{Outcome::Cancelled, false, {}};
        const Answer replace = backupOfAnotherDocument(backup, path, dialogs, options.parent);
        if (replace == Answer::Cancel)
            return SaveResult{Outcome::Cancelled, false, {}};
        const textfile::CopyResult copied =
            replace == Answer::Yes ? textfile::copyFile(path, backup) : textfile::CopyResult{};
        if (copied.failed == textfile::CopyFailed::Source) {
            dialogs.error(filerules::cannotOpenMessage(path, copied.message), options.parent);
            return SaveResult{Outcome::Failed, false, {}};
        }
        // A file the user may write in a folder they may not (or a full
        // folder): the document itself can still be saved.
        if (copied.failed == textfile::CopyFailed::Target
            && dialogs.askYesNo(filechecks::saveWithoutBackupQuestion(backup, copied.message, path), options.parent)
                   != Answer::Yes)
            return SaveResult{Outcome::Cancelled, false, {}};
    }
    if (const Result r = write(doc, path); !r) {
        dialogs.error(r.message, options.parent);
        return SaveResult{Outcome::Failed, false, {}};
    }
    doc.Memo1->setModified(false);
    return SaveResult{Outcome::Saved, false, {}};
}

SaveResult saveAs(TSubForm &doc, const SaveOptions &options, Dialogs &dialogs)
{
    SaveResult result{Outcome::Cancelled, true, doc.caption()};
    const QString &oldName = result.oldCaption;
    FileDialogState &state = *options.saveDialog;
    const filerules::SaveAsProposal proposal = filerules::saveAsProposal(oldName, options.newPage);
    if (proposal.filterIndex) {
        state.filterIndex = *proposal.filterIndex;
        state.defaultExt = proposal.defaultExt;
    }
    state.fileName = oldName;
    state.title = QStringLiteral("Save As");
    state.filter = filerules::saveAsFilter();
    while (dialogs.saveFile(state, options.parent)) {
        const QString chosen = state.fileName;
        const QString newPath = names::saveAsPath(chosen);
        // The dialog asked about the name typed, not the lower-cased one written.
        if (filechecks::replacesAnotherFile(chosen, newPath, oldName)
            && dialogs.askYesNo(filechecks::replaceQuestion(newPath), options.parent) != Answer::Yes)
            continue;
        if (options.makeBackups && !filerules::isUntitled(oldName)) {
            const QString backup = names::backupNameFor(oldName);
            if (QFileInfo::exists(oldName) && mayReplaceSideFile(backup, dialogs, options.parent)
                && backupOfAnotherDocument(backup, oldName, dialogs, options.parent) == Answer::Yes)
                textfile::copyFile(oldName, backup);   // failures ignored
        }
        state.fileName = newPath;
        removeLeftovers(newPath);
        if (const Result r = write(doc, newPath); !r) {
            dialogs.error(r.message, options.parent);
            result.outcome = Outcome::Failed;
            return result;   // caption and modified flag stay as they were
        }
        doc.Memo1->setModified(false);
        doc.setCaption(newPath);
        result.outcome = Outcome::Saved;
        break;
    }
    return result;
}

Outcome saveSelection(TSubForm &doc, FileDialogState &state, Dialogs &dialogs, QWidget *parent)
{
    const QString scratch = doc.Memo1->selText();
    state.title = QStringLiteral("Save Selection As");
    state.filter = filerules::saveAsFilter();
    state.filterIndex = 1;
    state.defaultExt = QStringLiteral("txt");
    if (!dialogs.saveFile(state, parent))
        return Outcome::Cancelled;
    textfile::Encoding used;
    if (Result r = textfile::save(state.fileName, scratch, doc.encoding, &used); !r) {
        dialogs.error(filerules::cannotCreateMessage(state.fileName, r.message), parent);
        return Outcome::Failed;
    }
    return Outcome::Saved;
}

Result autosave(TSubForm &doc, Dialogs &dialogs, QWidget *parent)
{
    const QString caption = doc.caption();
    const QString side = names::autosaveNameFor(caption);
    if (!mayReplaceSideFile(side, dialogs, parent))
        return Result::success();
    const QString model = filerules::isUntitled(caption) ? QString() : caption;
    if (Result r = textfile::saveSideFile(side, model, doc.Memo1->text(), doc.encoding, doc.byteOrderMark); !r)
        return Result::failure(filerules::cannotCreateMessage(side, r.message));
    return Result::success();
}

LoadResult fill(TSubForm &doc, const QString &path, textfile::LoadStatus status,
                const textfile::Decoded &decoded, Dialogs &dialogs, QWidget *parent,
                const QString &cannotOpenMessage)
{
    LoadResult result;
    if (status != textfile::LoadStatus::Ok) {
        const bool ownText = status == textfile::LoadStatus::CannotOpen && !cannotOpenMessage.isEmpty();
        dialogs.error(ownText ? cannotOpenMessage : textfile::loadFailureMessage(status, path), parent);
        return result;
    }
    result.loaded = true;
    doc.byteOrderMark = decoded.byteOrderMark;
    doc.setEncoding(decoded.encoding);
    doc.Memo1->setText(decoded.text);
    doc.Memo1->setModified(false);
    if (const auto offer = recovery::pendingRecovery(path, decoded.text)) {
        if (dialogs.askYesNo(recovery::question(path, *offer), parent) == Answer::Yes) {
            doc.Memo1->setText(offer->text);
            doc.Memo1->setModified(true);
            // What was typed before the crash may need UTF-8 to be saved.
            if (doc.encoding == textfile::Encoding::Windows1252 && !textfile::fitsWindows1252(offer->text))
                doc.setEncoding(textfile::Encoding::Utf8);
            result.restored = true;
        }
    }
    doc.refreshView();
    return result;
}

LoadResult load(TSubForm &doc, const QString &path, Dialogs &dialogs, QWidget *parent)
{
    textfile::Decoded decoded;
    const textfile::LoadStatus status = textfile::load(path, decoded);
    return fill(doc, path, status, decoded, dialogs, parent);
}

} // namespace filecommands
