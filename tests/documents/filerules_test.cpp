#include "documents/filerules.h"

#include <gtest/gtest.h>

using namespace filerules;

TEST(FileRules, OnlyTildeCaptionsAreUntitled)
{
    EXPECT_TRUE(isUntitled(QStringLiteral("~Untiltled3")));
    EXPECT_FALSE(isUntitled(QStringLiteral("/web/~draft.htm")));
    EXPECT_FALSE(isUntitled(QString()));
}

TEST(FileRules, SaveAsProposesTheTypeFromTheCaption)
{
    // Pages, whatever the case of their extension, and new web pages: HTML.
    for (const char *caption : {"/web/Index.HTM", "/web/index.html", "/web/a.HtMl"}) {
        const SaveAsProposal p = saveAsProposal(QString::fromLatin1(caption), false);
        ASSERT_TRUE(p.filterIndex) << caption;
        EXPECT_EQ(*p.filterIndex, 2) << caption;
        EXPECT_EQ(p.defaultExt, QStringLiteral("htm")) << caption;
    }
    const SaveAsProposal fresh = saveAsProposal(QStringLiteral("~Untiltled1"), true);
    ASSERT_TRUE(fresh.filterIndex);
    EXPECT_EQ(*fresh.filterIndex, 2);

    // No extension (untitled documents included): text.
    const SaveAsProposal plain = saveAsProposal(QStringLiteral("~Untiltled1"), false);
    ASSERT_TRUE(plain.filterIndex);
    EXPECT_EQ(*plain.filterIndex, 1);
    EXPECT_EQ(plain.defaultExt, QStringLiteral("txt"));

    // Any other type keeps the dialog's last choice; a dot in a folder is no extension.
    EXPECT_FALSE(saveAsProposal(QStringLiteral("/web/notes.txt"), false).filterIndex);
    EXPECT_FALSE(saveAsProposal(QStringLiteral("/web/style.css"), false).filterIndex);
    EXPECT_EQ(*saveAsProposal(QStringLiteral("/my.site/readme"), false).filterIndex, 1);
}

TEST(FileRules, ErrorTextsNameThePathAndTheReason)
{
    EXPECT_EQ(cannotOpenMessage(QStringLiteral("/a/b.htm"), QStringLiteral("Permission denied")),
              QStringLiteral("Cannot open file /a/b.htm: Permission denied"));
    EXPECT_EQ(cannotCreateMessage(QStringLiteral("/a/b.bak"), QStringLiteral("No space left on device")),
              QStringLiteral("Cannot create file /a/b.bak: No space left on device"));
}

TEST(FileRules, ADropOpensItsLocalFilesInOrder)
{
    const QList<QUrl> urls{QUrl::fromLocalFile(QStringLiteral("/web/b page.htm")),
                           QUrl(QStringLiteral("https://example.org/a.htm")),
                           QUrl::fromLocalFile(QStringLiteral("/web/a.txt")),
                           QUrl(QStringLiteral("file:///web/caf%C3%A9.htm")),
                           QUrl(QStringLiteral("mailto:someone@example.org"))};
    EXPECT_EQ(droppedFiles(urls), (QStringList{QStringLiteral("/web/b page.htm"), QStringLiteral("/web/a.txt"),
                                               QStringLiteral("/web/caf\u00e9.htm")}));
    EXPECT_TRUE(droppedFiles({QUrl(QStringLiteral("http://example.org/"))}).isEmpty());
    EXPECT_TRUE(droppedFiles({}).isEmpty());
}
