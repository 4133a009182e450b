#include "documents/filechecks.h"
#include "documents/recovery.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void writeAt(const QString &path, const QByteArray &bytes, const QDateTime &when)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.flush();   // the time is set after the last write
    ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
}

class Recovery : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString doc = dir.filePath(QStringLiteral("Page.htm"));
    QString side = dir.filePath(QStringLiteral("autosave_page.tmp"));
    QDateTime saved = QDateTime::currentDateTime().addSecs(-3600);
};

} // namespace

TEST_F(Recovery, NewerCopyWithOtherTextIsOffered)
{
    writeAt(doc, "old\n", saved);
    writeAt(side, "old\r\nnew line\r\n", saved.addSecs(60));
    const auto offer = recovery::pendingRecovery(doc, QStringLiteral("old\r\n"));
    ASSERT_TRUE(offer.has_value());
    EXPECT_EQ(offer->text, QStringLiteral("old\r\nnew line\r\n"));
    EXPECT_EQ(offer->sideFile, side);
    EXPECT_EQ(recovery::question(doc, *offer),
              doc + QStringLiteral(" has unsaved changes from an earlier session (saved at ")
                  + saved.addSecs(60).toString(QStringLiteral("HH:mm")) + QStringLiteral("). Restore them?"));
}

TEST_F(Recovery, NothingIsOfferedWhenTheCopyIsOlderTheSameOrNoFile)
{
    // Older than the document: it was saved since.
    writeAt(doc, "text\r\n", saved);
    writeAt(side, "other\r\n", saved.addSecs(-60));
    EXPECT_FALSE(recovery::pendingRecovery(doc, QStringLiteral("text\r\n")));
    // Newer, but the same text once line breaks are alike.
    writeAt(side, "text\n", saved.addSecs(60));
    EXPECT_FALSE(recovery::pendingRecovery(doc, QStringLiteral("text\r\n")));
    // A link at the copy's name is not a copy.
    ASSERT_TRUE(QFile::remove(side));
    const QString elsewhere = dir.filePath(QStringLiteral("elsewhere.txt"));
    writeAt(elsewhere, "planted\r\n", saved.addSecs(60));
    ASSERT_TRUE(QFile::link(elsewhere, side));
    EXPECT_FALSE(recovery::pendingRecovery(doc, QStringLiteral("text\r\n")));
    ASSERT_TRUE(QFile::remove(side));
    EXPECT_FALSE(recovery::pendingRecovery(doc, QStringLiteral("text\r\n")));
}

TEST(SaveAsTarget, OnlyAnotherExistingFileUnderTheLowerCasedNameNeedsAQuestion)
{
    QTemporaryDir dir;
    const QString notes = dir.filePath(QStringLiteral("notes.htm"));
    QFile(notes).open(QIODevice::WriteOnly);
    const QString typed = dir.filePath(QStringLiteral("Notes.htm"));
    EXPECT_TRUE(filechecks::replacesAnotherFile(typed, notes, QStringLiteral("~Untiltled1")));
    EXPECT_TRUE(filechecks::replacesAnotherFile(typed, notes, dir.filePath(QStringLiteral("draft.htm"))));
    // The name typed is the name written: the dialog asked already.
    EXPECT_FALSE(filechecks::replacesAnotherFile(notes, notes, QStringLiteral("~Untiltled1")));
    // The document's own file, also reached through a link.
    EXPECT_FALSE(filechecks::replacesAnotherFile(typed, notes, notes));
    const QString link = dir.filePath(QStringLiteral("link.htm"));
    ASSERT_TRUE(QFile::link(notes, link));
    EXPECT_FALSE(filechecks::replacesAnotherFile(typed, notes, link));
    // Nothing there.
    EXPECT_FALSE(filechecks::replacesAnotherFile(dir.filePath(QStringLiteral("New.htm")),
                                                 dir.filePath(QStringLiteral("new.htm")), notes));
    // A dangling link is something there too.
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("nowhere")), dir.filePath(QStringLiteral("odd.htm"))));
    EXPECT_TRUE(filechecks::replacesAnotherFile(dir.filePath(QStringLiteral("Odd.htm")),
                                                dir.filePath(QStringLiteral("odd.htm")), notes));

    EXPECT_FALSE(filechecks::sideFileNeedsQuestion(notes));
    EXPECT_TRUE(filechecks::sideFileNeedsQuestion(link));
    EXPECT_FALSE(filechecks::sideFileNeedsQuestion(dir.filePath(QStringLiteral("none.bak"))));
}
