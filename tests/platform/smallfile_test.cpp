#include "platform/smallfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QString writeFile(const QTemporaryDir &dir, const char *name, const QByteArray &bytes)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

} // namespace

TEST(SmallFile, ReadsUpToTheLimitAndRefusesMore)
{
    QTemporaryDir dir;
    const QByteArray atLimit(MaxSmallFileBytes, 'a');
    const fileio::FileRead limit = readSmallFile(writeFile(dir, "limit", atLimit));
    ASSERT_TRUE(limit);
    EXPECT_EQ(limit.value, atLimit);

    const QString overPath = writeFile(dir, "over", atLimit + 'b');
    const fileio::FileRead over = readSmallFile(overPath);
    EXPECT_FALSE(over);
    EXPECT_TRUE(over.tooLarge);
    EXPECT_EQ(over.message, tooLargeMessage(overPath));
    EXPECT_TRUE(over.value.isEmpty());

    const fileio::FileRead empty = readSmallFile(writeFile(dir, "empty", QByteArray()));
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty.value.isEmpty());
}

TEST(SmallFile, OnlyRegularFilesAreOpened)
{
    QTemporaryDir dir;
    const auto cannotOpen = [](const fileio::FileRead &r) { return !r && !r.tooLarge && r.value.isEmpty(); };
    EXPECT_TRUE(cannotOpen(readSmallFile(dir.filePath(QStringLiteral("missing")))));
    EXPECT_TRUE(cannotOpen(readSmallFile(dir.path())));
    // A FIFO would block the reader for good in open().
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_TRUE(cannotOpen(readSmallFile(fifo)));
}

TEST(SmallFile, MessagesQuoteAtMostEightyCharacters)
{
    EXPECT_EQ(tooLargeMessage(QStringLiteral("/c/mivor.dvf")),
              QStringLiteral("/c/mivor.dvf is larger than 4 MB and was not read"));
    const QString exact(MaxQuotedLength, QLatin1Char('x'));
    EXPECT_EQ(shortenedForMessage(exact), exact);
    EXPECT_EQ(shortenedForMessage(QString()), QString());
    EXPECT_EQ(shortenedForMessage(exact + QLatin1Char('y')), exact + QStringLiteral("..."));
    // A character outside the BMP straddling the cut is kept whole or not at all.
    const QString pair = QString::fromUtf16(u"\U0001F600");
    const QString straddling = QString(MaxQuotedLength - 1, QLatin1Char('x')) + pair + QLatin1Char('z');
    EXPECT_EQ(shortenedForMessage(straddling), QString(MaxQuotedLength - 1, QLatin1Char('x')) + QStringLiteral("..."));
}
