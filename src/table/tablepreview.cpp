#include "table/tablepreview.h"

#include "platform/shell.h"
#include "table/tablehtml.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace table {

Result ShowTablePreview(const QString &tableHtml)
{
    const QString path = QDir::current().absoluteFilePath(TablePreviewFileName);
    // UTF-8, which browsers recognise in a local page without a charset and
    // which keeps every character the user typed.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(tablePreviewPage(tableHtml).toUtf8()) < 0
        || !file.commit())
        return Result::failure(QStringLiteral("Cannot create file %1").arg(TablePreviewFileName));
    if (!shell().openFile(path))
        return Result::failure(QStringLiteral("Failed to execute table preview"));
    return Result::success();
}

void removeTablePreview()
{
    const QString path = QDir::current().absoluteFilePath(TablePreviewFileName);
    if (QFile::exists(path))
        QFile::remove(path);
}

} // namespace table
