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
    QByteArray out;
    ASSERT_EQ(readSmallFile(writeFile(dir, "limit", atLimit), out), SmallFileRead::Ok);
    EXPECT_EQ(out, atLimit);

    out = "untouched";
    EXPECT_EQ(readSmallFile(writeFile(dir, "over", atLimit + 'b'), out), SmallFileRead::TooLarge);
    EXPECT_EQ(out, QByteArray("untouched"));

    ASSERT_EQ(readSmallFile(writeFile(dir, "empty", QByteArray()), out), SmallFileRead::Ok);
    EXPECT_TRUE(out.isEmpty());
}

TEST(SmallFile, OnlyRegularFilesAreOpened)
{
    QTemporaryDir dir;
    QByteArray out("untouched");
    EXPECT_EQ(readSmallFile(dir.filePath(QStringLiteral("missing")), out), SmallFileRead::CannotOpen);
    EXPECT_EQ(readSmallFile(dir.path(), out), SmallFileRead::CannotOpen);
    // A FIFO would block the reader for good in open().
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(readSmallFile(fifo, out), SmallFileRead::CannotOpen);
    EXPECT_EQ(out, QByteArray("untouched"));
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
