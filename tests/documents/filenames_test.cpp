#include "documents/filenames.h"

#include <gtest/gtest.h>

using namespace names;

TEST(FileNames, LowerAsciiChangesOnlyAsciiCapitals)
{
    EXPECT_EQ(lowerAscii(QStringLiteral("C:/My Pages/INDEX.Htm")), QStringLiteral("c:/my pages/index.htm"));
    EXPECT_EQ(lowerAscii(QString::fromUtf16(u"\u00C9T\u00C9 \u0130@[Z`")), QString::fromUtf16(u"\u00C9t\u00C9 \u0130@[z`"));
}

TEST(FileNames, PartsOfAPath)
{
    EXPECT_EQ(folderPart(QStringLiteral("/Web/Index.HTM")), QStringLiteral("/Web/"));
    EXPECT_EQ(fileNamePart(QStringLiteral("/Web/Index.HTM")), QStringLiteral("Index.HTM"));
    EXPECT_EQ(folderPart(QStringLiteral("~Untiltled3")), QString());
    EXPECT_EQ(fileNamePart(QStringLiteral("~Untiltled3")), QStringLiteral("~Untiltled3"));
    EXPECT_EQ(folderPart(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_EQ(fileNamePart(QStringLiteral("/web/")), QString());

    EXPECT_EQ(extensionOf(QStringLiteral("/Web/Index.HTM")), QStringLiteral(".HTM"));
    EXPECT_EQ(extensionOf(QStringLiteral("/a/page.tar.gz")), QStringLiteral(".gz"));
    EXPECT_EQ(extensionOf(QStringLiteral("/web/readme")), QString());
    // A dot in a folder name is not an extension.
    EXPECT_EQ(extensionOf(QStringLiteral("/my.site/readme")), QString());
    EXPECT_EQ(extensionOf(QStringLiteral("/web/name.")), QStringLiteral("."));
}

TEST(FileNames, BackupName)
{
    EXPECT_EQ(backupNameFor(QStringLiteral("/Web/Index.HTM")), QStringLiteral("/Web/index.bak"));
    EXPECT_EQ(backupNameFor(QStringLiteral("/web/readme")), QStringLiteral("/web/readme.bak"));
    EXPECT_EQ(backupNameFor(QStringLiteral("/My.Site/README")), QStringLiteral("/My.Site/readme.bak"));
    // Same name, other extension: one shared backup.
    EXPECT_EQ(backupNameFor(QStringLiteral("/w/a.txt")), backupNameFor(QStringLiteral("/w/A.htm")));
}

TEST(FileNames, AutosaveName)
{
    EXPECT_EQ(autosaveNameFor(QStringLiteral("/Web/Index.HTM")), QStringLiteral("/Web/autosave_index.tmp"));
    EXPECT_EQ(autosaveNameFor(QStringLiteral("~Untiltled3")), QStringLiteral("autosave_~untiltled3.tmp"));
    EXPECT_EQ(autosaveNameFor(QStringLiteral("/web/Notes")), QStringLiteral("/web/autosave_notes.tmp"));
}

TEST(FileNames, SaveAsLowerCasesOnlyTheFileName)
{
    EXPECT_EQ(saveAsPath(QStringLiteral("/home/Ann/Web/New.HTM")), QStringLiteral("/home/Ann/Web/new.htm"));
    EXPECT_EQ(saveAsPath(QStringLiteral("Page.TXT")), QStringLiteral("page.txt"));
}

TEST(FileNames, StripAmpersands)
{
    EXPECT_EQ(StripAmpersands(QStringLiteral("&/web/a&&b.htm&")), QStringLiteral("/web/ab.htm"));
    EXPECT_EQ(StripAmpersands(QStringLiteral("plain")), QStringLiteral("plain"));
}
