#include "transfer/download.h"

#include "transfer/internetclient.h"
#include "transfer/ftpsession.h"

#include <QSaveFile>

namespace transfer {

Result DownloadFile(InternetClient &client, const QString &url, const QString &targetFile)
{
    auto failed = [&](const QString &why) {
        client.close();
        return Result::failure(why);
    };
    if (!client.open(agentName()) || !client.openUrl(url))
        return failed(client.lastError());
    QSaveFile file(targetFile);
    if (!file.open(QIODevice::WriteOnly))
        return failed(QStringLiteral("Cannot create file %1").arg(targetFile));
    char buffer[2048];
    for (;;) {
        const qint64 n = client.readUrl(buffer, sizeof buffer);
        if (n < 0)
            return failed(client.lastError());   // the save file is discarded
        if (n == 0)
            break;
        if (file.write(buffer, n) != n)
            return failed(QStringLiteral("Cannot write file %1").arg(targetFile));
    }
    if (!file.commit())
        return failed(QStringLiteral("Cannot create file %1").arg(targetFile));
    client.close();
    return Result::success();
}

} // namespace transfer
