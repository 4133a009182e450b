#include "transfer/download.h"

#include "transfer/internetclient.h"
#include "transfer/ftpsession.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

namespace transfer {

QString agentName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

QString tooLargeDownloadMessage(qint64 announcedBytes, qint64 limit)
{
    const QString most = QLocale::c().formattedDataSize(limit, 0, QLocale::DataSizeTraditionalFormat);
    if (announcedBytes > limit) {
        return QStringLiteral("The page is %1; a download may be at most %2.")
            .arg(QLocale::c().formattedDataSize(announcedBytes, 1, QLocale::DataSizeTraditionalFormat), most);
    }
    return QStringLiteral("The page is larger than %1, the most a download may be.").arg(most);
}

Result storeDownload(const std::function<qint64(char *, qint64)> &read, qint64 announced,
                     const QString &targetFile, qint64 limit, const std::function<QString()> &readFailure)
{
    // A length the server announces is refused before a byte is written.
    if (announced > limit)
        return Result::failure(tooLargeDownloadMessage(announced, limit));
    QSaveFile file(targetFile);
    if (!file.open(QIODevice::WriteOnly))
        return Result::failure(QStringLiteral("Cannot create file %1: %2").arg(targetFile, file.errorString()));
    char buffer[2048];
    qint64 written = 0;
    for (;;) {
        const qint64 n = read(buffer, sizeof buffer);
        if (n < 0)
            return Result::failure(readFailure());   // the save file is discarded
        if (n == 0)
            break;
        written += n;
        if (written > limit)
            return Result::failure(tooLargeDownloadMessage(announced, limit));
        if (file.write(buffer, n) != n)
            return Result::failure(QStringLiteral("Cannot write file %1: %2").arg(targetFile, file.errorString()));
    }
    if (!file.commit())
        return Result::failure(QStringLiteral("Cannot create file %1: %2").arg(targetFile, file.errorString()));
    return Result::success();
}

Result DownloadFile(InternetClient &client, const QString &url, const QString &targetFile, qint64 limit)
{
    Result stored = Result::failure(QString());
    if (client.open(agentName()) && client.openUrl(url)) {
        stored = storeDownload([&](char *buffer, qint64 max) { return client.readUrl(buffer, max); },
                               client.urlLength(), targetFile, limit, [&] { return client.lastError(); });
    } else {
        stored = Result::failure(client.lastError());
    }
    client.close();
    return stored;
}

} // namespace transfer
