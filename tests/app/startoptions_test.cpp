// The start-up options: the command line's and the stored splash choice.
#include "mainwindowtestbase.h"

#include "app/logo.h"
#include "app/prefsdialog.h"
#include "settings/settingscodec.h"
#include "app/startoptions.h"
#include "settings/storedsettings.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>

TEST(StartOptions, OptionsComeBeforeTheFile)
{
    StartOptions o = parseStartOptions({QStringLiteral("--no-splash"), QStringLiteral("/web/My"),
                                        QStringLiteral("Pages/index.htm")});
    EXPECT_TRUE(o.noSplash);
    EXPECT_EQ(o.fileArguments, (QStringList{QStringLiteral("/web/My"), QStringLiteral("Pages/index.htm")}));

    o = parseStartOptions({QStringLiteral("/web/index.htm")});
    EXPECT_FALSE(o.noSplash);
    EXPECT_EQ(o.fileArguments, QStringList{QStringLiteral("/web/index.htm")});

    o = parseStartOptions({});
    EXPECT_FALSE(o.noSplash);
    EXPECT_TRUE(o.fileArguments.isEmpty());

    // After the first word of the path, "--no-splash" is part of the path.
    o = parseStartOptions({QStringLiteral("my"), QStringLiteral("--no-splash"), QStringLiteral("page.htm")});
    EXPECT_FALSE(o.noSplash);
    EXPECT_EQ(o.fileArguments.size(), 3);

    // "--" ends the options: a file may be called "--no-splash".
    o = parseStartOptions({QStringLiteral("--no-splash"), QStringLiteral("--"), QStringLiteral("--no-splash")});
    EXPECT_TRUE(o.noSplash);
    EXPECT_EQ(o.fileArguments, QStringList{QStringLiteral("--no-splash")});
    o = parseStartOptions({QStringLiteral("--"), QStringLiteral("--")});
    EXPECT_FALSE(o.noSplash);
    EXPECT_EQ(o.fileArguments, QStringList{QStringLiteral("--")});
}

TEST(StartOptions, FilesMakesEveryArgumentAFileOfItsOwn)
{
    StartOptions o = parseStartOptions({QStringLiteral("--files"), QStringLiteral("/a b.htm"), QStringLiteral("/c.txt")});
    EXPECT_TRUE(o.eachArgumentAFile);
    EXPECT_FALSE(o.noSplash);
    EXPECT_EQ(o.fileArguments, (QStringList{QStringLiteral("/a b.htm"), QStringLiteral("/c.txt")}));
    o = parseStartOptions({QStringLiteral("--no-splash"), QStringLiteral("--files"), QStringLiteral("--"),
                           QStringLiteral("--files")});
    EXPECT_TRUE(o.eachArgumentAFile);
    EXPECT_TRUE(o.noSplash);
    EXPECT_EQ(o.fileArguments, QStringList{QStringLiteral("--files")});
    EXPECT_FALSE(parseStartOptions({QStringLiteral("a.htm"), QStringLiteral("--files")}).eachArgumentAFile);
}

TEST_F(MainWindowTest, ADesktopEntryOpensEachFileItPasses)
{
    const QString a = cfg.write(QStringLiteral("first page.htm"), "<p>1</p>");
    const QString rtf = cfg.write(QStringLiteral("note.rtf"), "{\\rtf1 Hi}");
    const QString missing = cfg.path() + QStringLiteral("gone.txt");
    const QString b = cfg.write(QStringLiteral("b.txt"), "two");
    // Set before the window is first shown, as start-up does.
    w = std::make_unique<TMainForm>(QStringList{a, rtf, missing, b});
    w->setEachArgumentAFile(true);
    w->show();
    QCoreApplication::processEvents();
    w->FormActivate();
    // The missing file keeps its empty window, as a command-line file does.
    EXPECT_EQ(dlg.messages, QStringList{QStringLiteral("Cannot open file ") + missing});
    ASSERT_EQ(int(w->documents().size()), 4);
    const QList<TSubForm *> docs = w->documents();
    EXPECT_EQ(docs[0]->caption(), a);
    EXPECT_EQ(docs[0]->Memo1->text(), QStringLiteral("<p>1</p>"));
    EXPECT_EQ(docs[1]->caption(), QStringLiteral("~Untiltled1"));
    EXPECT_EQ(docs[1]->Memo1->text(), QStringLiteral("Hi"));
    EXPECT_EQ(docs[2]->caption(), missing);
    EXPECT_EQ(docs[3]->caption(), b);
    EXPECT_EQ(docs[3]->Memo1->text(), QStringLiteral("two"));
}

TEST(StartOptions, TheSplashShowsOnlyWhenNeitherSideSaysNo)
{
    EXPECT_TRUE(splashAtStart(parseStartOptions({}), true));
    EXPECT_FALSE(splashAtStart(parseStartOptions({}), false));
    EXPECT_FALSE(splashAtStart(parseStartOptions({QStringLiteral("--no-splash")}), true));
    EXPECT_FALSE(splashAtStart(parseStartOptions({QStringLiteral("--no-splash")}), false));
}

TEST(StartOptions, TheAddedOptionsAreKeptScrambledBesideTheSettings)
{
    TempConfig cfg;
    const QString folder = cfg.appFolder();
    QDir().mkpath(folder);
    // Nothing stored yet: the splash and remote content are on.
    ResultOf<AddedOptions> read = readAddedOptions(folder);
    EXPECT_TRUE(read.value.showSplash);
    EXPECT_TRUE(read.value.remoteContent);
    EXPECT_TRUE(read.message.isEmpty());

    const Result written = writeAddedOptions(folder, {false, true});
    ASSERT_TRUE(written) << written.message.toStdString();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("start.dvf")});
    EXPECT_EQ(QFile::permissions(folder + QStringLiteral("start.dvf")) & 0x0077, 0);
    read = readAddedOptions(folder);
    EXPECT_EQ(read.value, (AddedOptions{false, true}));
    EXPECT_TRUE(read.message.isEmpty());
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("start.ini")));

    ASSERT_TRUE(writeAddedOptions(folder, {true, false}));
    EXPECT_EQ(readAddedOptions(folder).value, (AddedOptions{true, false}));
    // The first line is the splash, read as the settings read their booleans;
    // the others name what they hold.
    const ResultOf<SettingsContent> stored = DecodeSettingsFile(folder + QStringLiteral("start.dvf"), SettingsKey);
    EXPECT_EQ(stored.value.name, QStringLiteral("start.ini"));
    EXPECT_EQ(stored.value.plain, QByteArray("true\r\nremote-content=false\r\ncurrent-line=true\r\n"
                                             "reopen-documents=false\r\nauto-close-tags=true\r\n"
                                             "match-tags=true\r\ncompletion=true\r\nspelling=true\r\n"
                                             "spelling-plain-text=false\r\ndictionary=\r\n"));

    // The current line (on unless stored off) and the session (off unless
    // stored on) come back as written.
    EXPECT_TRUE(AddedOptions{}.currentLine);
    EXPECT_FALSE(AddedOptions{}.reopenDocuments);
    ASSERT_TRUE(writeAddedOptions(folder, {true, true, false, true}));
    EXPECT_EQ(readAddedOptions(folder).value, (AddedOptions{true, true, false, true}));

    // A file of one line, as the splash choice alone was kept, still reads.
    ASSERT_TRUE(EncodeSettingsFile(folder + QStringLiteral("start.ini"), "false\r\n", SettingsKey));
    EXPECT_EQ(readAddedOptions(folder).value, (AddedOptions{false, true}));
}

TEST(StartOptions, TheWritingAidsChoicesAreKeptWithTheOthers)
{
    TempConfig cfg;
    const QString folder = cfg.appFolder();
    QDir().mkpath(folder);
    // Each aid is on by default; plain text is not checked.
    const AddedOptions defaults;
    EXPECT_TRUE(defaults.aids.autoClose && defaults.aids.matchTags && defaults.aids.completion &&
                defaults.aids.spelling);
    EXPECT_FALSE(defaults.aids.spellPlainText);
    AddedOptions chosen;
    chosen.aids.autoClose = false;
    chosen.aids.completion = false;
    chosen.aids.spellPlainText = true;
    chosen.aids.language = QStringLiteral("de_DE");
    ASSERT_TRUE(writeAddedOptions(folder, chosen));
    EXPECT_EQ(readAddedOptions(folder).value, chosen);
    chosen.aids = {};
    chosen.aids.matchTags = false;
    chosen.aids.spelling = false;
    ASSERT_TRUE(writeAddedOptions(folder, chosen));
    EXPECT_EQ(readAddedOptions(folder).value, chosen);
}

TEST(StartOptions, ADamagedChoiceFileIsReportedAndTheDefaultsHold)
{
    TempConfig cfg;
    const QString folder = cfg.appFolder();
    QDir().mkpath(folder);
    // A start.dvf that stores another file's name must not write that file.
    const QString foreign = folder + QStringLiteral("mivor.ini");
    const QByteArray scrambled = scrambleSettings("false\r\n", foreign, SettingsKey);
    QFile f(folder + QStringLiteral("start.dvf"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(scrambled);
    f.close();
    ResultOf<AddedOptions> read = readAddedOptions(folder);
    EXPECT_EQ(read.value, AddedOptions{});
    EXPECT_FALSE(read.message.isEmpty());
    EXPECT_FALSE(QFile::exists(foreign));

    // Too short for the header it announces.
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(QByteArray("\x40", 1) + "ab");
    f.close();
    read = readAddedOptions(folder);
    EXPECT_EQ(read.value, AddedOptions{});
    EXPECT_FALSE(read.message.isEmpty());
}

class SplashTest : public MainWindowTest {
protected:
    void preferences(bool splashOn, bool done = true)
    {
        modalAnswer = [splashOn, done](QDialog *d) {
            auto *p = qobject_cast<Tprefs *>(d);
            if (!p)
                return int(QDialog::Rejected);
            p->splash->setChecked(splashOn);
            done ? p->DoneBtnClick() : p->CancelBtnClick();
            return p->result();
        };
        w->preferencesCommands().Preferences1Click();
        modalAnswer = nullptr;
    }

    bool preferencesShowSplash()
    {
        bool shown = false;
        modalAnswer = [&shown](QDialog *d) {
            if (auto *p = qobject_cast<Tprefs *>(d))
                shown = p->splash->isChecked();
            return int(QDialog::Rejected);
        };
        w->preferencesCommands().Preferences1Click();
        modalAnswer = nullptr;
        return shown;
    }

    bool splashShownAtStart(const QStringList &args)
    {
        shownDialogs.clear();
        w->startUp(splashAtStart(parseStartOptions(args), w->addedOptions().showSplash));
        for (QDialog *d : shownDialogs)
            if (qobject_cast<Tlogo *>(d))
                return true;
        return false;
    }
};

TEST_F(SplashTest, ThePreferenceIsOnByDefaultAndSurvivesARestart)
{
    EXPECT_TRUE(w->addedOptions().showSplash);
    EXPECT_TRUE(preferencesShowSplash());

    // Cancel keeps the choice.
    preferences(false, false);
    EXPECT_TRUE(w->addedOptions().showSplash);
    EXPECT_FALSE(QFile::exists(cfg.appFolder() + QStringLiteral("start.dvf")));

    preferences(false);
    EXPECT_FALSE(w->addedOptions().showSplash);
    // The main settings keep their nine lines.
    EXPECT_EQ(storedLines(cfg.appFolder()).size(), 9);

    ASSERT_TRUE(w->close());
    open();
    EXPECT_FALSE(w->addedOptions().showSplash);
    EXPECT_FALSE(preferencesShowSplash());

    preferences(true);
    ASSERT_TRUE(w->close());
    open();
    EXPECT_TRUE(w->addedOptions().showSplash);
    EXPECT_TRUE(dlg.messages.isEmpty());
}

TEST_F(SplashTest, StartUpShowsTheSplashUnlessTheChoiceOrTheCommandLineSaysNo)
{
    EXPECT_TRUE(splashShownAtStart({}));
    EXPECT_FALSE(splashShownAtStart({QStringLiteral("--no-splash"), QStringLiteral("page.htm")}));

    preferences(false);
    ASSERT_TRUE(w->close());
    open();
    EXPECT_FALSE(splashShownAtStart({}));
    // Every dialog is created all the same.
    EXPECT_NE(w->tools().Spike, nullptr);
    EXPECT_NE(w->tools().Parabox, nullptr);
}
