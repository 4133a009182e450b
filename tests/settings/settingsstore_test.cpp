#include "settings/settingsstore.h"

#include "settings/settingscodec.h"
#include "settings/storedsettings.h"
#include "platform/smallfile.h"
#include "support/createdfiles.h"
#include "support/tempconfig.h"
#include "support/unprivileged.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

void storeScrambled(const QString &appFolder, const QByteArray &plain)
{
    QDir().mkpath(appFolder);
    QFile f(appFolder + QStringLiteral("mivor.dvf"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(scrambleSettings(plain, appFolder + QStringLiteral("mivor.ini"), SettingsKey));
}

} // namespace

TEST(SettingsValues, IntegersInDecimalAndDollarHex)
{
    qint64 v = 0;
    EXPECT_TRUE(readIntegerValue(QStringLiteral("$00A00000"), v));
    EXPECT_EQ(v, 10485760);
    EXPECT_TRUE(readIntegerValue(QStringLiteral("$ff"), v));
    EXPECT_EQ(v, 255);
    EXPECT_TRUE(readIntegerValue(QStringLiteral("$FFFFFFFF"), v));
    EXPECT_EQ(v, -1);
    EXPECT_TRUE(readIntegerValue(QStringLiteral("-2147483648"), v));
    EXPECT_EQ(v, -2147483648LL);
    EXPECT_TRUE(readIntegerValue(QStringLiteral("+12"), v));
    EXPECT_EQ(v, 12);
    for (const char *bad : {"", "$", "-", "12a", " 12", "12 ", "0x10", "2147483648", "$100000000",
                            "99999999999999999999", "1.5", "$G"}) {
        v = 77;
        EXPECT_FALSE(readIntegerValue(QString::fromLatin1(bad), v)) << bad;
        EXPECT_EQ(v, 77);
    }
}

TEST(SettingsValues, LinesAsWritten)
{
    EXPECT_EQ(defaultSettingsLines(),
              (QStringList{"Courier New", "12", "0", "16777215", "true", "true", "true", "10", "$00A00000"}));
    MivorSettings s;
    s.EditorFontName = QStringLiteral("DejaVu Sans Mono");
    s.EditorFontSize = 9;
    s.EditorFontColor = 255;
    s.WrapNewDocs = false;
    s.AutosaveOn = false;
    s.AutosaveMinutes = 60;
    s.DesktopColor = 0xFFFFFFFF;
    EXPECT_EQ(settingsLines(s), (QStringList{"DejaVu Sans Mono", "9", "255", "16777215", "false", "true",
                                             "false", "60", "-1"}));
    s.EditorFontName = QStringLiteral("Bad\r\nName");
    EXPECT_EQ(settingsLines(s).first(), QStringLiteral("Bad  Name"));
}

TEST(SettingsRead, AllLinesAndReopenEntries)
{
    const SettingsRead r = readSettingsLines({"Arial", "14", "255", "$00FF0000", "false", "True", "true", "5",
                                              "10485760", "/w/a.htm", "", "~Untiltled2", "/w/b.htm"});
    EXPECT_TRUE(r.errors.isEmpty());
    EXPECT_EQ(r.settings.EditorFontName, QStringLiteral("Arial"));
    EXPECT_EQ(r.settings.EditorFontSize, 14);
    EXPECT_EQ(r.settings.EditorFontColor, 255u);
    EXPECT_EQ(r.settings.EditorBackColor, 16711680u);
    EXPECT_FALSE(r.settings.WrapNewDocs);
    EXPECT_FALSE(r.settings.MakeBackups);  // "True" is not "true"
    EXPECT_TRUE(r.settings.AutosaveOn);
    EXPECT_EQ(r.settings.AutosaveMinutes, 5);
    EXPECT_EQ(r.settings.DesktopColor, 10485760u);
    EXPECT_EQ(r.reopen, (QStringList{"/w/a.htm", "/w/b.htm"}));
}

TEST(SettingsRead, DamagedLinesKeepWhatReadsWell)
{
    const SettingsRead r = readSettingsLines({"Arial", "big", "255", "", "false"});
    EXPECT_EQ(r.errors, (QStringList{"'big' is not a valid integer value", "'' is not a valid integer value",
                                     "List index out of bounds (5)"}));
    EXPECT_EQ(r.settings.EditorFontName, QStringLiteral("Arial"));
    EXPECT_EQ(r.settings.EditorFontSize, 12);
    EXPECT_EQ(r.settings.EditorFontColor, 255u);
    EXPECT_EQ(r.settings.EditorBackColor, 16777215u);
    EXPECT_FALSE(r.settings.WrapNewDocs);
    EXPECT_TRUE(r.settings.MakeBackups);
    EXPECT_EQ(r.settings.DesktopColor, 10485760u);
    EXPECT_TRUE(r.reopen.isEmpty());

    EXPECT_EQ(readSettingsLines({}).errors, QStringList{"List index out of bounds (0)"});
}

TEST(SettingsRead, SizesOutsideTheDialogRangesAreClamped)
{
    const SettingsRead r = readSettingsLines({"A", "0", "0", "0", "true", "true", "true", "0", "0"});
    EXPECT_TRUE(r.errors.isEmpty());
    EXPECT_EQ(r.settings.EditorFontSize, 6);
    EXPECT_EQ(r.settings.AutosaveMinutes, 1);
    EXPECT_EQ(readSettingsLines({"A", "500", "0", "0", "true", "true", "true", "$7FFFFFFF", "0"})
                  .settings.AutosaveMinutes, 60);
}

TEST(SettingsRead, BadValuesAreQuotedCutShort)
{
    const QString endless(5000, QLatin1Char('7'));
    const SettingsRead r = readSettingsLines({"A", endless + "x", "0", "0", "true", "true", "true", "1", "0"});
    ASSERT_EQ(r.errors.size(), 1);
    EXPECT_EQ(r.errors.first(),
              "'" + endless.left(MaxQuotedLength) + "...' is not a valid integer value");
}

TEST(SettingsFont, NamesOfNoInstalledFamilyGiveTheDefault)
{
    const QStringList installed{"DejaVu Sans Mono", "Noto Sans [GOOG]"};
    EXPECT_EQ(usableFontName("DejaVu Sans Mono", installed), "DejaVu Sans Mono");
    EXPECT_EQ(usableFontName("dejavu sans mono", installed), "dejavu sans mono");
    EXPECT_EQ(usableFontName("Noto Sans", installed), "Noto Sans");
    EXPECT_EQ(usableFontName("Noto Sans [GOOG]", installed), "Noto Sans [GOOG]");
    // The default stays even where no font of that name is installed: the
    // platform finds the nearest match for it.
    EXPECT_EQ(usableFontName("Courier New", installed), "Courier New");
    for (const char *bad : {"\x01\xffgarbage", "", "DejaVu Sans", "Noto", "GOOG"})
        EXPECT_EQ(usableFontName(QString::fromLatin1(bad), installed), "Courier New") << bad;
    // Fonts unknown: nothing to judge by.
    EXPECT_EQ(usableFontName("Anything", {}), "Anything");

    const QStringList lines{"\x01garbage", "12", "0", "0", "true", "true", "true", "10", "0"};
    EXPECT_EQ(readSettingsLines(lines, installed).settings.EditorFontName, "Courier New");
    EXPECT_TRUE(readSettingsLines(lines, installed).errors.isEmpty());
}

TEST(SettingsText, SplitAndJoin)
{
    EXPECT_EQ(joinSettingsLines({"a", "", "b"}), QByteArray("a\r\n\r\nb\r\n"));
    EXPECT_EQ(splitSettingsText("a\r\n\r\nb\r\n"), (QStringList{"a", "", "b"}));
    EXPECT_EQ(splitSettingsText("a\nb\rc"), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(splitSettingsText(""), QStringList());
    EXPECT_EQ(splitSettingsText("\xEF\xBB\xBF" "Caf\xC3\xA9\r\n"), QStringList{QString::fromUtf16(u"Caf\u00E9")});
}

TEST(SettingsText, AFirstLineBeginningWithAByteOrderMarkReadsBackWhole)
{
    const QStringList lines{QString(QChar(0xFEFF)) + QStringLiteral("clip"), QStringLiteral("next")};
    EXPECT_EQ(splitSettingsText(joinSettingsLines(lines)), lines);
}

TEST(SettingsStore, FirstStartLeavesOnlyTheScrambledDefaults)
{
    TempConfig config;
    const QString folder = config.appFolder();
    const SettingsStart start = readSettingsAtStart(folder);
    EXPECT_FALSE(start.fromFile);
    EXPECT_TRUE(start.read.errors.isEmpty());
    EXPECT_EQ(settingsLines(start.read.settings), settingsLines(MivorSettings{}));
    EXPECT_EQ(filesIn(folder), QStringList{"mivor.dvf"});
    EXPECT_EQ(TempConfig::read(folder + "mivor.dvf"),
              scrambleSettings(joinSettingsLines(defaultSettingsLines()), folder + "mivor.ini", SettingsKey));
    EXPECT_EQ(storedLines(folder), defaultSettingsLines());
}

TEST(SettingsStore, StartReadsTheStoredFileAndRemovesThePlainOne)
{
    TempConfig config;
    const QString folder = config.appFolder();
    storeScrambled(folder, "Arial\r\n10\r\n0\r\n16777215\r\nTrue\r\ntrue\r\nfalse\r\n3\r\n255\r\n/w/a.htm\r\n~x\r\n");
    const SettingsStart start = readSettingsAtStart(folder);
    EXPECT_TRUE(start.fromFile);
    EXPECT_TRUE(start.read.errors.isEmpty());
    EXPECT_EQ(start.read.settings.EditorFontName, QStringLiteral("Arial"));
    EXPECT_FALSE(start.read.settings.WrapNewDocs);
    EXPECT_FALSE(start.read.settings.AutosaveOn);
    EXPECT_EQ(start.read.settings.DesktopColor, 255u);
    EXPECT_EQ(start.read.reopen, QStringList{"/w/a.htm"});
    EXPECT_EQ(filesIn(folder), QStringList{"mivor.dvf"});
}

TEST(SettingsStore, DamagedStoredFilesGiveMessagesAndDefaults)
{
    TempConfig config;
    const QString folder = config.appFolder();

    storeScrambled(folder, "Arial\r\n12\r\n");
    SettingsStart start = readSettingsAtStart(folder);
    EXPECT_EQ(start.read.errors, QStringList{"List index out of bounds (2)"});
    EXPECT_EQ(start.read.settings.EditorFontName, QStringLiteral("Arial"));
    EXPECT_EQ(start.read.settings.AutosaveMinutes, 10);

    storeScrambled(folder, "Arial\r\nx\r\n0\r\n0\r\ntrue\r\ntrue\r\ntrue\r\n10\r\n0\r\n");
    start = readSettingsAtStart(folder);
    EXPECT_EQ(start.read.errors, QStringList{"'x' is not a valid integer value"});
    EXPECT_EQ(start.read.settings.EditorFontSize, 12);

    // Garbage: a header that announces more bytes than there are.
    QFile f(folder + "mivor.dvf");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\xF0garbage");
    f.close();
    start = readSettingsAtStart(folder);
    EXPECT_FALSE(start.fromFile);
    ASSERT_EQ(start.read.errors.size(), 1);
    EXPECT_TRUE(start.read.errors.first().contains("too short")) << start.read.errors.first().toStdString();
    EXPECT_EQ(settingsLines(start.read.settings), settingsLines(MivorSettings{}));
    EXPECT_EQ(filesIn(folder), QStringList{"mivor.dvf"});
}

TEST(SettingsStore, DialogWritesNineLinesAndCloseAddsReopen)
{
    TempConfig config;
    const QString folder = config.appFolder();
    readSettingsAtStart(folder);
    MivorSettings s;
    s.EditorFontName = QStringLiteral("Monospace");
    s.MakeBackups = false;
    Result written = writeSettingsFromDialog(folder, s);
    ASSERT_TRUE(written) << written.message.toStdString();
    EXPECT_EQ(filesIn(folder), QStringList{"mivor.dvf"});
    EXPECT_EQ(storedLines(folder), settingsLines(s));

    MivorSettings other;  // close keeps the stored lines, not the current ones
    ASSERT_TRUE(writeSettingsAtClose(folder, other, {"/w/top.htm", "~Untiltled1", "", "/w/bad\nname", "/w/b.htm"}));
    EXPECT_EQ(filesIn(folder), QStringList{"mivor.dvf"});
    EXPECT_EQ(storedLines(folder), settingsLines(s) + QStringList({"/w/top.htm", "/w/b.htm"}));

    // Read back at the next start: the list comes in file order.
    EXPECT_EQ(readSettingsAtStart(folder).read.reopen, (QStringList{"/w/top.htm", "/w/b.htm"}));
}

TEST(SettingsStore, CloseMendsADamagedStoredFile)
{
    TempConfig config;
    const QString folder = config.appFolder();
    storeScrambled(folder, "Arial\r\nhuge\r\n0\r\n");
    MivorSettings current;
    current.EditorFontSize = 20;
    current.AutosaveMinutes = 7;
    ASSERT_TRUE(writeSettingsAtClose(folder, current, {"/a.htm"}));
    QStringList expected = settingsLines(current);
    expected[0] = QStringLiteral("Arial");
    expected[2] = QStringLiteral("0");
    expected << QStringLiteral("/a.htm");
    deletePlainSettings(folder);
    EXPECT_EQ(storedLines(folder), expected);

    QFile f(folder + "mivor.dvf");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\xFF");
    f.close();
    ASSERT_TRUE(writeSettingsAtClose(folder, current, {}));
    EXPECT_EQ(storedLines(folder), settingsLines(current));
}

TEST(SettingsStore, AFontThatIsNotInstalledIsNotWrittenBack)
{
    TempConfig config;
    const QString folder = config.appFolder();
    const QStringList installed{"DejaVu Sans Mono"};
    storeScrambled(folder, "\x7F\x01 not a font\r\n14\r\n0\r\n0\r\ntrue\r\ntrue\r\ntrue\r\n10\r\n0\r\n");
    const SettingsStart start = readSettingsAtStart(folder, installed);
    EXPECT_TRUE(start.read.errors.isEmpty());
    EXPECT_EQ(start.read.settings.EditorFontName, "Courier New");
    EXPECT_EQ(start.read.settings.EditorFontSize, 14);
    ASSERT_TRUE(writeSettingsAtClose(folder, start.read.settings, {}, installed));
    deletePlainSettings(folder);
    EXPECT_EQ(storedLines(folder).value(0), "Courier New");
    EXPECT_EQ(storedLines(folder).value(1), "14");

    // An installed font is kept as stored.
    storeScrambled(folder, "DejaVu Sans Mono\r\n14\r\n0\r\n0\r\ntrue\r\ntrue\r\ntrue\r\n10\r\n0\r\n");
    ASSERT_TRUE(writeSettingsAtClose(folder, MivorSettings{}, {}, installed));
    EXPECT_EQ(storedLines(folder).value(0), "DejaVu Sans Mono");
}

TEST(SettingsStore, AStoredNameOfAnotherFileIsRefusedAndNothingElseIsTouched)
{
    TempConfig config;
    const QString folder = config.appFolder();
    QDir().mkpath(folder);
    for (const QString foreign : {"spike.dvf", "ignore.lst", "FTPData.dvf", "MIVOR.INI", "mivor.ini.bak"}) {
        SCOPED_TRACE(foreign.toStdString());
        const QByteArray other = "the other file's bytes " + foreign.toUtf8();
        // "MIVOR.INI" differs from the own name only in case: no such file.
        const bool planted = !foreign.startsWith("MIVOR");
        if (planted) {
            QFile planted(folder + foreign);
            ASSERT_TRUE(planted.open(QIODevice::WriteOnly));
            planted.write(other);
        }
        QFile f(folder + "mivor.dvf");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(scrambleSettings(joinSettingsLines(defaultSettingsLines()), "/elsewhere/" + foreign, SettingsKey));
        f.close();

        const SettingsStart start = readSettingsAtStart(folder);
        EXPECT_FALSE(start.fromFile);
        EXPECT_EQ(start.read.errors,
                  QStringList{folder + "mivor.dvf is damaged: it holds the file \"" + foreign + "\", not mivor.ini"});
        EXPECT_EQ(settingsLines(start.read.settings), settingsLines(MivorSettings{}));
        if (planted) {
            EXPECT_EQ(TempConfig::read(folder + foreign), other);
        }

        // The close writes a sound file of its own and leaves the other alone.
        ASSERT_TRUE(writeSettingsAtClose(folder, MivorSettings{}, {"/a.htm"}));
        deletePlainSettings(folder);
        if (planted) {
            EXPECT_EQ(TempConfig::read(folder + foreign), other);
        }
        EXPECT_EQ(storedLines(folder), settingsLines(MivorSettings{}) + QStringList{"/a.htm"});
        EXPECT_FALSE(QFile::exists(folder + "MIVOR.INI"));
    }
}

TEST(SettingsStore, AnOversizedFileIsRefusedWithAShortMessage)
{
    TempConfig config;
    const QString folder = config.appFolder();
    // One endless first line, well past the limit once scrambled.
    storeScrambled(folder, QByteArray(MaxSmallFileBytes, 'A') + "\r\n");
    const SettingsStart start = readSettingsAtStart(folder);
    EXPECT_FALSE(start.fromFile);
    EXPECT_EQ(start.read.errors, QStringList{tooLargeMessage(folder + "mivor.dvf")});
    EXPECT_EQ(settingsLines(start.read.settings), settingsLines(MivorSettings{}));
    EXPECT_FALSE(QFile::exists(folder + "mivor.ini"));

    // The close mends it from the settings in use.
    ASSERT_TRUE(writeSettingsAtClose(folder, MivorSettings{}, {}));
    deletePlainSettings(folder);
    EXPECT_EQ(storedLines(folder), settingsLines(MivorSettings{}));
}

TEST(SettingsStore, CloseWithoutStoredFileWritesNothing)
{
    TempConfig config;
    const QString folder = config.appFolder();
    QDir().mkpath(folder);
    EXPECT_TRUE(writeSettingsAtClose(folder, MivorSettings{}, {"/a.htm"}));
    EXPECT_EQ(filesIn(folder), QStringList());
}

TEST(SettingsStore, UnwritableFolderReportsCannotCreate)
{
    TempConfig config;
    const QString missing = config.path() + "no/such/folder/";
    const Result written = writeSettingsFromDialog(missing, MivorSettings{});
    EXPECT_FALSE(written);
    EXPECT_EQ(written.message, "Cannot create file " + missing + "mivor.dvf");
}

TEST(SettingsStore, ThePlainFormNeverTouchesTheDisk)
{
    TempConfig config;
    const QString folder = config.appFolder();
    QDir().mkpath(folder);
    CreatedFiles created(folder);
    ASSERT_TRUE(created.watching());
    readSettingsAtStart(folder);                        // first start: defaults written
    ASSERT_TRUE(writeSettingsFromDialog(folder, MivorSettings{}));
    ASSERT_TRUE(writeSettingsAtClose(folder, MivorSettings{}, {"/w/a.htm"}));
    EXPECT_EQ(readSettingsAtStart(folder).read.reopen, QStringList{"/w/a.htm"});
    ASSERT_TRUE(storeScrambledLines(folder, QStringLiteral("spike.ini"), {"clip"}));
    EXPECT_EQ(readScrambledLines(folder + "spike.dvf", QStringLiteral("spike.ini")).value, QStringList{"clip"});
    const QStringList names = created.names();
    EXPECT_FALSE(names.isEmpty());
    for (const QString &name : names)
        EXPECT_FALSE(name.contains(QStringLiteral(".ini"))) << name.toStdString();
}

TEST(SettingsStore, AReadOnlyFolderStillGivesTheStoredSettings)
{
    TempConfig config;
    const QString folder = config.appFolder();
    MivorSettings s;
    s.EditorFontSize = 17;
    readSettingsAtStart(folder);
    ASSERT_TRUE(writeSettingsFromDialog(folder, s));
    testuser::handOver(config.path());
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    SettingsStart start;
    {
        Unprivileged as;
        start = readSettingsAtStart(folder);
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(start.fromFile);
    EXPECT_TRUE(start.read.errors.isEmpty()) << start.read.errors.join('|').toStdString();
    EXPECT_EQ(start.read.settings.EditorFontSize, 17);
}

TEST(SettingsStore, SettingsFilesThatAreLinksAreReplacedNotWrittenThrough)
{
    TempConfig config;
    const QString folder = config.appFolder();
    readSettingsAtStart(folder);
    const QString decoy = config.write("shadow", "root:$6$hash:19000:0:99999:7:::\n");
    QFile::setPermissions(decoy, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    const QFile::Permissions decoyMode = QFile::permissions(decoy);
    for (const char *name : {"mivor.dvf", "spike.dvf", "start.dvf", "FTPData.dvf"}) {
        QFile::remove(folder + name);
        ASSERT_TRUE(QFile::link(decoy, folder + name));
    }
    ASSERT_TRUE(writeSettingsAtClose(folder, MivorSettings{}, {"/w/a.htm"}));
    ASSERT_TRUE(writeSettingsFromDialog(folder, MivorSettings{}));
    for (const char *plain : {"spike.ini", "start.ini", "FTPData.ini"})
        ASSERT_TRUE(storeScrambledLines(folder, plain, {"x"}));
    EXPECT_EQ(TempConfig::read(decoy), QByteArray("root:$6$hash:19000:0:99999:7:::\n"));
    EXPECT_EQ(QFile::permissions(decoy), decoyMode);
    for (const char *name : {"mivor.dvf", "spike.dvf", "start.dvf", "FTPData.dvf"})
        EXPECT_FALSE(QFileInfo(folder + name).isSymLink()) << name;
}
