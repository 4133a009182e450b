#include "table/tablepreview.h"

#include "platform/shell.h"
#include "table/tablehtml.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace table {

bool ShowTablePreview(const QString &tableHtml, QString &error)
{
    const QString path = QDir::current().absoluteFilePath(TablePreviewFileName);
    // UTF-8, which browsers recognise in a local page without a charset and
    // which keeps every character the user typed.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(tablePreviewPage(tableHtml).toUtf8()) < 0
        || !file.commit()) {
        error = QStringLiteral("Cannot create file %1").arg(TablePreviewFileName);
        return false;
    }
    if (!shell().openFile(path)) {
        error = QStringLiteral("Failed to execute table preview");
        return false;
    }
    return true;
}

void removeTablePreview()
{
    const QString path = QDir::current().absoluteFilePath(TablePreviewFileName);
    if (QFile::exists(path))
        QFile::remove(path);
}

} // namespace table
