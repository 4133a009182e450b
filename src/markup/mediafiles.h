#pragma once
// File and size rules behind the picture dialog, the Image command and the
// script editor. Qt Core only.
#include "platform/result.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace markup {

// Size a picture is shown at in a preview area: scaled down to fit with its
// proportions kept, never scaled up. Each side is at least 1 pixel.
QSize previewSize(const QSize &picture, const QSize &area);

// The address the Image command writes: the full path, or its file-name part.
QString imageRefFor(const QString &imagePath, bool absoluteAddress);

// Where "Save to HTML Folder" puts a copy: the document's folder, or the
// current folder for a document without a file name, under the picture's
// own file name. Either folder may lack its trailing "/".
QString copyTargetFor(const QString &imagePath, const QString &documentFolder,
                      const QString &currentFolder);

// Copies the picture's bytes to the target, replacing a file of that name;
// on failure the file error to show.
Result copyPicture(const QString &imagePath, const QString &target);

// Size of a picture file in bytes, or the file error that prevented reading
// it: "File not found", "File access denied" or "I/O error <n>".
ResultOf<qint64> pictureFileSize(const QString &path);

// The Image command's fragment for the accepted picture dialog. `imagePath`
// is the file the size is read from; the tag refers to it as `imageRef`.
struct ImageCommandText {
    QString text;
    QString error;
};
ImageCommandText imageCommandText(const QString &imageRef, const QString &imagePath);

// What a script file holds for the editor's text: every line ends in CR LF,
// the last one too; an empty text stays empty.
QString scriptFileText(const QString &editorText);

// The three insertions of "&Direct", in order; together they are
// directScript(script).
QStringList directScriptPieces(const QString &script);

} // namespace markup
