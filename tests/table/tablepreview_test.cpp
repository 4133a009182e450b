#include "table/tablehtml.h"
#include "table/tablepreview.h"

#include "support/scripteddialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace table;

namespace {

// Runs a test body with the process's current directory in a fresh folder.
class InTempDir {
public:
    InTempDir() : m_old(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~InTempDir() { QDir::setCurrent(m_old); }
    QString path(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_old;
};

} // namespace

TEST(TableHtml, PreviewWritesOpensAndApplyRemoves)
{
    InTempDir dir;
    ScriptedShell shell;
    ASSERT_TRUE(ShowTablePreview("<TABLE>\r\n</TABLE>\r\n"));
    ASSERT_TRUE(ShowTablePreview(QStringLiteral("<TABLE>caf\u00E9</TABLE>\r\n")));
    ASSERT_EQ(shell.opened.size(), 2);
    EXPECT_EQ(shell.opened[1], dir.path("tabtemp.htm"));
    QFile file(dir.path("tabtemp.htm"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), tablePreviewPage(QStringLiteral("<TABLE>caf\u00E9</TABLE>\r\n")));
    file.close();

    shell.result = false;
    const Result shown = ShowTablePreview("<TABLE>");
    EXPECT_FALSE(shown);
    EXPECT_EQ(shown.message, "Failed to execute table preview");

    removeTablePreview();
    EXPECT_FALSE(QFile::exists(dir.path("tabtemp.htm")));
    removeTablePreview(); // no file: nothing to do
}
