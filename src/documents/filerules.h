#pragma once
// The decisions of the file commands that need no window: which document
// must go through Save As, what the Save As dialog proposes, and the texts
// of the file errors. Qt Core only.
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

namespace filerules {

// A document that never had a file: its caption is "~Untiltled" + number.
bool isUntitled(const QString &caption);

// The Save As dialog's file types, and the Open dialog's.
QString saveAsFilter();
QString openFilter();

// What Save As proposes for a document: pages (and a new web page) get the
// HTML type, a name without extension the text type; any other name keeps
// whatever the dialog showed last time (both fields empty).
struct SaveAsProposal {
    std::optional<int> filterIndex;
    QString defaultExt;
};
SaveAsProposal saveAsProposal(const QString &caption, bool newPage);

// "Cannot open file <path>: <reason>" and "Cannot create file <path>: <reason>".
QString cannotOpenMessage(const QString &path, const QString &reason);
QString cannotCreateMessage(const QString &path, const QString &reason);

// The files of a drop, in the order dropped: the local ones, as paths.
// Addresses of other kinds (web links) name nothing to open.
QStringList droppedFiles(const QList<QUrl> &urls);

} // namespace filerules
