// The program's shell options, run as a real process.
#include "platform/version.h"
#include "support/tempconfig.h"
#include "table/tablefile.h"
#include "table/tablehtml.h"
#include "table/tablemodel.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct ProcessRun {
    int exitCode = -1;
    QByteArray out, err;
};

ProcessRun runMivor(const QStringList &args,
                    const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProgram(QStringLiteral(MIVOR_BINARY));
    p.setArguments(args);
    p.start();
    ProcessRun r;
    if (!p.waitForFinished(30000))
        return r;
    r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

} // namespace

TEST(ShellOptions, TableHtmlPrintsWhatApplyInserts)
{
    TempConfig cfg;
    table::TableModel model;
    model.TabColsChange(3);
    model.TabRowsChange(2);
    const QString path = cfg.path() + QStringLiteral("t.mtb");
    Result error;
    ASSERT_TRUE((error = table::writeTableFile(model, path))) << error.message.toStdString();

    table::TableModel loaded;
    ASSERT_TRUE((error = table::readTableFile(loaded, path)));
    const QString expected = table::buildTableHtml(loaded);

    const ProcessRun r = runMivor({QStringLiteral("--table-html"), path});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(QString::fromUtf8(r.out), expected);
    EXPECT_TRUE(r.out.contains("<TABLE"));
    // The settings folder is not touched.
    EXPECT_FALSE(QFile::exists(cfg.appFolder() + QStringLiteral("mivor.dvf")));
}

TEST(ShellOptions, UnreadableFilesGiveAMessageAndStatusOne)
{
    TempConfig cfg;
    const QString shortFile = cfg.write(QStringLiteral("short.mtb"), QByteArray(100, '\1'));
    ProcessRun r = runMivor({QStringLiteral("--table-html"), shortFile});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_FALSE(r.err.isEmpty());

    r = runMivor({QStringLiteral("--form-html"), cfg.path() + QStringLiteral("missing.mff")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.err.isEmpty());
}

TEST(ShellOptions, VersionPrintsTheVersionAndItsLicenceOnStandardOutput)
{
    const ProcessRun r = runMivor({QStringLiteral("--version")});
    EXPECT_EQ(r.exitCode, 0);
    const QList<QByteArray> lines = r.out.split('\n');
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0], QByteArray("Mivor " MIVOR_VERSION));
    EXPECT_TRUE(lines[1].startsWith("License GPL-3.0-or-later"));
    EXPECT_TRUE(r.out.contains("There is NO WARRANTY"));
    EXPECT_TRUE(r.out.endsWith('\n'));
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
}

// A package's post-install checks and scripts ask for these on machines
// with no display at all, where a GUI application would abort at start.
TEST(ShellOptions, VersionAndHelpNeedNoDisplay)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));

    ProcessRun r = runMivor({QStringLiteral("--version")}, env);
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out.split('\n').first(), QByteArray("Mivor " MIVOR_VERSION));

    r = runMivor({QStringLiteral("--no-splash"), QStringLiteral("--help")}, env);
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_TRUE(r.out.startsWith("Usage: mivor")) << r.out.constData();
    EXPECT_TRUE(r.out.contains("\nHelp page: ")) << r.out.constData();
}
