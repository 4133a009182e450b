#include "app/session.h"

#include "support/tempconfig.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <unistd.h>

TEST(Session, DocumentsComeBackAsWrittenAndOddLinesAreSkipped)
{
    const QList<SessionDocument> docs{{QStringLiteral("/w/a b.htm"), 12, true, false},
                                      {QStringLiteral("/w/tab\there.txt"), 0, false, true},
                                      {QStringLiteral("/w/caf\u00e9.htm"), 7, false, false}};
    QList<SessionDocument> read;
    ASSERT_TRUE(parseSession(sessionText(docs), read));
    EXPECT_EQ(read, docs);

    // A name with a line break cannot stand on a line: left out.
    EXPECT_EQ(sessionText({{QStringLiteral("/w/x\ny"), 1, false, false}}), QByteArray("Mivor session 1\r\n"));
    // Lines that do not read are skipped, the rest kept.
    ASSERT_TRUE(parseSession("Mivor session 1\n"
                             "x\t0\t0\t/w/bad-caret\n"
                             "-3\t0\t0\t/w/negative\n"
                             "5\t2\t0\t/w/bad-flag\n"
                             "5\t1\t0\t\n"
                             "5\t1\n"
                             "\n"
                             "5\t1\t1\t/w/good\r\n",
                             read));
    EXPECT_EQ(read, (QList<SessionDocument>{{QStringLiteral("/w/good"), 5, true, true}}));
    // Anything else is not a session.
    EXPECT_FALSE(parseSession("5\t1\t1\t/w/good\r\n", read));
    EXPECT_TRUE(read.isEmpty());
}

TEST(Session, KeptBesideTheSettingsForTheUserAloneNeverThroughALink)
{
    TempConfig cfg;
    const QString folder = cfg.appFolder();
    QDir().mkpath(folder);
    const QString file = folder + QStringLiteral("session.lst");
    // None kept yet: nothing to open, nothing to say.
    ResultOf<QList<SessionDocument>> read = readSession(folder);
    EXPECT_TRUE(read);
    EXPECT_TRUE(read.value.isEmpty());

    // A link planted at the name is replaced, its target left alone.
    const QString target = cfg.write(QStringLiteral("target.txt"), "keep");
    ASSERT_EQ(::symlink(target.toLocal8Bit().constData(), file.toLocal8Bit().constData()), 0);
    const QList<SessionDocument> docs{{QStringLiteral("/w/a.htm"), 3, false, true}};
    ASSERT_TRUE(writeSession(folder, docs));
    EXPECT_FALSE(QFileInfo(file).isSymLink());
    EXPECT_EQ(TempConfig::read(target), QByteArray("keep"));
    EXPECT_EQ(QFile::permissions(file) & 0x0077, 0);
    read = readSession(folder);
    EXPECT_TRUE(read);
    EXPECT_EQ(read.value, docs);

    forgetSession(folder);
    EXPECT_FALSE(QFile::exists(file));
    forgetSession(folder);   // nothing there: nothing happens

    // Too large, or not a session: said, and nothing is opened.
    QFile big(file);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write("Mivor session 1\r\n");
    big.write(QByteArray(5 << 20, 'x'));
    big.close();
    read = readSession(folder);
    EXPECT_FALSE(read);
    EXPECT_TRUE(read.value.isEmpty());
    EXPECT_TRUE(read.message.contains(QStringLiteral("larger than"))) << read.message.toStdString();
    ASSERT_TRUE(big.open(QIODevice::WriteOnly | QIODevice::Truncate));
    big.write("garbage\r\n");
    big.close();
    read = readSession(folder);
    EXPECT_FALSE(read);
    EXPECT_EQ(read.message, file + QStringLiteral(" is not a list of documents and was not read"));
}

TEST(Session, OneMessageNamesEveryMissingDocument)
{
    EXPECT_EQ(missingDocumentsMessage({QStringLiteral("/w/a.htm")}),
              QStringLiteral("This document of the last session no longer exists:\n/w/a.htm"));
    EXPECT_EQ(missingDocumentsMessage({QStringLiteral("/w/a.htm"), QStringLiteral("/w/b.htm")}),
              QStringLiteral("These documents of the last session no longer exist:\n/w/a.htm\n/w/b.htm"));
}
