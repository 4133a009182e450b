#include "platform/fileio.h"

#include "support/fifofeeder.h"
#include "support/unprivileged.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include "support/filebytes.h"

namespace {

struct stat statOf(const QString &path)
{
    struct stat st {};
    EXPECT_EQ(::lstat(QFile::encodeName(path).constData(), &st), 0) << path.toStdString();
    return st;
}

mode_t modeOf(const QString &path)
{
    return statOf(path).st_mode & 07777;
}

bool isLink(const QString &path)
{
    return S_ISLNK(statOf(path).st_mode);
}

fileio::WriteOptions sideOf(const QString &model)
{
    fileio::WriteOptions o;
    o.sideFile = true;
    o.modelFile = model;
    return o;
}

} // namespace

TEST(FileRead, OnlyRegularFilesAreReadAndNothingWaitsForAWriter)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("page.rtf"));
    FifoFeeder feeder(fifo, "{\\rtf1 planted}");
    ASSERT_TRUE(feeder.made());
    fileio::FileRead read = fileio::readRegularFile(fifo, 1 << 20);
    EXPECT_FALSE(read.ok);
    EXPECT_FALSE(read.tooLarge);
    EXPECT_EQ(read.message, QStringLiteral("Not a regular file"));
    QFile f;
    EXPECT_FALSE(fileio::openRegularFile(fifo, f));
    EXPECT_EQ(fileio::openRegularFile(QStringLiteral("/dev/zero"), f).message, QStringLiteral("Not a regular file"));

    read = fileio::readRegularFile(dir.path(), 100);
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.message, QStringLiteral("Is a directory"));
    read = fileio::readRegularFile(dir.filePath(QStringLiteral("none")), 100);
    EXPECT_FALSE(read.ok);
    EXPECT_FALSE(read.tooLarge);
    EXPECT_EQ(read.message, QStringLiteral("No such file or directory"));
    EXPECT_TRUE(read.value.isEmpty());

    // Through a link to a regular file is fine.
    const QString real = dir.filePath(QStringLiteral("real.htm"));
    writeAll(real, "abc");
    ASSERT_TRUE(QFile::link(real, dir.filePath(QStringLiteral("link.htm"))));
    read = fileio::readRegularFile(dir.filePath(QStringLiteral("link.htm")), 100);
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.value, QByteArray("abc"));
    ASSERT_TRUE(fileio::openRegularFile(real, f));
    EXPECT_EQ(f.size(), 3);
}

TEST(FileRead, LimitRefusesOrCutsAsAsked)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big"));
    writeAll(path, QByteArray(1000, 'x'));
    fileio::FileRead read = fileio::readRegularFile(path, 999);
    EXPECT_FALSE(read.ok);
    EXPECT_TRUE(read.tooLarge);
    EXPECT_EQ(read.message, QStringLiteral("File too large"));
    EXPECT_TRUE(read.value.isEmpty());
    read = fileio::readRegularFile(path, 1000);
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.value.size(), 1000);
    read = fileio::readRegularFile(path, 10, true);
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.value, QByteArray(10, 'x'));
}

TEST(FileWrite, SideFileTakesTheDocumentsPermissionBits)
{
    QTemporaryDir dir;
    const QString doc = dir.filePath(QStringLiteral("private.htm"));
    writeAll(doc, "secret");
    ASSERT_EQ(::chmod(QFile::encodeName(doc).constData(), 0600), 0);

    const QString bak = dir.filePath(QStringLiteral("private.bak"));
    ASSERT_TRUE(fileio::writeFile(bak, "secret", sideOf(doc)));
    EXPECT_EQ(modeOf(bak), mode_t(0600));

    // An older, wider copy is narrowed when it is replaced.
    ASSERT_EQ(::chmod(QFile::encodeName(bak).constData(), 0644), 0);
    ASSERT_TRUE(fileio::writeFile(bak, "secret 2", sideOf(doc)));
    EXPECT_EQ(modeOf(bak), mode_t(0600));
    EXPECT_EQ(readAll(bak), QByteArray("secret 2"));

    // Execute and group bits come along too, never more.
    ASSERT_EQ(::chmod(QFile::encodeName(doc).constData(), 0750), 0);
    ASSERT_TRUE(fileio::writeFile(bak, "x", sideOf(doc)));
    EXPECT_EQ(modeOf(bak), mode_t(0750));
}

TEST(FileWrite, SideFileReplacesALinkAtItsNameAndNeverWritesThroughIt)
{
    QTemporaryDir dir;
    const QString victim = dir.filePath(QStringLiteral("victim.txt"));
    writeAll(victim, "precious");
    const QString bak = dir.filePath(QStringLiteral("page.bak"));
    ASSERT_TRUE(QFile::link(victim, bak));
    const QString dangling = dir.filePath(QStringLiteral("autosave_page.tmp"));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("created-by-link")), dangling));

    ASSERT_TRUE(fileio::writeFile(bak, "page text", sideOf({})));
    ASSERT_TRUE(fileio::writeFile(dangling, "page text", sideOf({})));

    EXPECT_EQ(readAll(victim), QByteArray("precious"));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("created-by-link"))));
    EXPECT_FALSE(isLink(bak));
    EXPECT_FALSE(isLink(dangling));
    EXPECT_EQ(readAll(bak), QByteArray("page text"));
    EXPECT_EQ(readAll(dangling), QByteArray("page text"));
    // Nothing else is left behind in the folder.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System).size(),
              3);
}

TEST(FileWrite, DocumentIsWrittenThroughItsLinkWhichStays)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("site")));
    const QString target = dir.filePath(QStringLiteral("site/index.htm"));
    writeAll(target, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    const QString link = dir.filePath(QStringLiteral("index.htm"));
    ASSERT_TRUE(QFile::link(QStringLiteral("site/index.htm"), link));   // relative, as users make them

    ASSERT_TRUE(fileio::writeFile(link, "new"));
    EXPECT_TRUE(isLink(link));
    EXPECT_EQ(readAll(target), QByteArray("new"));
    EXPECT_EQ(modeOf(target), mode_t(0640));

    // A link to a file not made yet creates its target.
    const QString later = dir.filePath(QStringLiteral("later.htm"));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("site/later.htm")), later));
    ASSERT_TRUE(fileio::writeFile(later, "first"));
    EXPECT_TRUE(isLink(later));
    EXPECT_EQ(readAll(dir.filePath(QStringLiteral("site/later.htm"))), QByteArray("first"));

    // A loop of links is an error, not a hang.
    const QString a = dir.filePath(QStringLiteral("a")), b = dir.filePath(QStringLiteral("b"));
    ASSERT_TRUE(QFile::link(b, a));
    ASSERT_TRUE(QFile::link(a, b));
    const Result written = fileio::writeFile(a, "x");
    EXPECT_FALSE(written.ok);
    EXPECT_EQ(written.message, QStringLiteral("Too many levels of symbolic links"));
    EXPECT_EQ(fileio::resolveLinks(a).message, QStringLiteral("Too many levels of symbolic links"));
}

TEST(FileWrite, DocumentKeepsItsOwnerAndGroupWhereTheProcessMay)
{
    if (!testuser::isRoot())
        GTEST_SKIP() << "only root may give a file to another user";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shared.htm"));
    writeAll(path, "old");
    ASSERT_EQ(::chown(QFile::encodeName(path).constData(), 1000, 1000), 0);
    ASSERT_TRUE(fileio::writeFile(path, "new"));
    EXPECT_EQ(statOf(path).st_uid, uid_t(1000));
    EXPECT_EQ(statOf(path).st_gid, gid_t(1000));
    // Its copies too.
    const QString bak = dir.filePath(QStringLiteral("shared.bak"));
    ASSERT_TRUE(fileio::writeFile(bak, "new", sideOf(path)));
    EXPECT_EQ(statOf(bak).st_uid, uid_t(1000));
    EXPECT_EQ(statOf(bak).st_gid, gid_t(1000));
}

TEST(FileWrite, AGroupThatCannotBeKeptGetsNoMoreThanEveryoneElse)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("team.htm"));
    writeAll(path, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0664), 0);
    testuser::handOver(dir.path());
    // A group the writing user is not in.
    const gid_t foreign = testuser::isRoot() ? 1000 : 0;
    ASSERT_EQ(::lchown(QFile::encodeName(path).constData(), uid_t(-1), foreign), 0);
    {
        Unprivileged as;
        ASSERT_TRUE(fileio::writeFile(path, "new"));
    }
    EXPECT_EQ(readAll(path), QByteArray("new"));
    EXPECT_NE(statOf(path).st_gid, foreign);
    EXPECT_EQ(modeOf(path), mode_t(0644));
}

TEST(FileWrite, FolderThatTakesNoNewFileIsWrittenInPlace)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("ro"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString path = folder + QStringLiteral("/page.htm");
    const QString fixed = folder + QStringLiteral("/fixed.htm");
    writeAll(path, "a longer old text");
    writeAll(fixed, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(fixed).constData(), 0444), 0);
    testuser::handOver(dir.path());
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0555), 0);
    const ino_t inode = statOf(path).st_ino;
    Result savedInPlace, savedFixed, savedFresh;
    {
        Unprivileged as;
        savedInPlace = fileio::writeFile(path, "short");
        savedFixed = fileio::writeFile(fixed, "new");
        savedFresh = fileio::writeFile(folder + QStringLiteral("/fresh.htm"), "x");
    }
    ::chmod(QFile::encodeName(folder).constData(), 0755);
    EXPECT_TRUE(savedInPlace);
    EXPECT_EQ(readAll(path), QByteArray("short"));
    EXPECT_EQ(statOf(path).st_ino, inode);
    // Neither the folder nor the file may be written: nothing changes, and
    // the message can say why.
    EXPECT_FALSE(savedFixed);
    EXPECT_EQ(savedFixed.message, QStringLiteral("Permission denied"));
    EXPECT_EQ(readAll(fixed), QByteArray("old"));
    EXPECT_FALSE(savedFresh);
    EXPECT_EQ(savedFresh.message, QStringLiteral("Permission denied"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

TEST(FileWrite, SideFileInPlaceOnlyWhenItIsOurOwnUnlinkedFile)
{
    if (!testuser::isRoot())
        GTEST_SKIP() << "needs a file of another user";
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("shared"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString doc = folder + QStringLiteral("/page.htm");
    const QString bak = folder + QStringLiteral("/page.bak");
    writeAll(doc, "secret");
    writeAll(bak, "planted");
    ASSERT_EQ(::chmod(QFile::encodeName(doc).constData(), 0600), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(bak).constData(), 0666), 0);
    testuser::handOver(dir.path());
    // The backup name holds a world-writable file of someone else.
    ASSERT_EQ(::chown(QFile::encodeName(bak).constData(), 1000, 1000), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0555), 0);
    Result saved;
    {
        Unprivileged as;
        saved = fileio::writeFile(bak, "secret", sideOf(doc));
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(saved.message, QStringLiteral("Operation not permitted"));
    EXPECT_EQ(readAll(bak), QByteArray("planted"));
}

TEST(FileWrite, OccupantsAreToldApartWithoutFollowingLinks)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("f"));
    writeAll(file, "x");
    ASSERT_TRUE(QFile::link(file, dir.filePath(QStringLiteral("l"))));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("p"))).constData(), 0600), 0);
    EXPECT_EQ(fileio::occupantOf(file), fileio::Occupant::RegularFile);
    EXPECT_EQ(fileio::occupantOf(dir.filePath(QStringLiteral("l"))), fileio::Occupant::Other);
    EXPECT_EQ(fileio::occupantOf(dir.filePath(QStringLiteral("p"))), fileio::Occupant::Other);
    EXPECT_EQ(fileio::occupantOf(dir.path()), fileio::Occupant::Folder);
    EXPECT_EQ(fileio::occupantOf(dir.filePath(QStringLiteral("none"))), fileio::Occupant::None);
}
