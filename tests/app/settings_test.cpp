#include "mainwindowtestbase.h"

#include "app/pagedefaults.h"
#include "app/prefsdialog.h"
#include "settings/settingscodec.h"
#include "spike/spikestore.h"
#include "settings/storedsettings.h"
#include "widgets/colourswatch.h"
#include "widgets/spinfield.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QTimer>

namespace {

// The settings files in the folder (the keyword ignore list lies there too).
QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("mivor.*")}, QDir::Files, QDir::Name);
}

// A mivor.dvf made the way the program makes one, around any plain text.
void storeSettings(const QString &appFolder, const QByteArray &plain)
{
    QDir().mkpath(appFolder);
    ASSERT_TRUE(EncodeSettingsFile(appFolder + QStringLiteral("mivor.ini"), plain, SettingsKey));
}

} // namespace

class SettingsTest : public MainWindowTest {
protected:
    // Closes the window as the user would and starts a fresh one on the
    // same settings folder.
    void restart()
    {
        ASSERT_TRUE(w->close());
        w.reset();
        open();
    }

};

TEST_F(SettingsTest, FirstStartLeavesOnlyTheScrambledDefaults)
{
    EXPECT_EQ(filesIn(cfg.appFolder()), QStringList{QStringLiteral("mivor.dvf")});
    EXPECT_EQ(storedLines(cfg.appFolder()), defaultSettingsLines());
    EXPECT_TRUE(dlg.messages.isEmpty());
    EXPECT_EQ(w->documentArea()->background().color(), QColor(0, 0, 160));
}

TEST_F(SettingsTest, ReopenEntriesKeepTheirOrderAcrossRestarts)
{
    const QString p = cfg.write(QStringLiteral("p.htm"), "p");
    const QString q = cfg.write(QStringLiteral("q.htm"), "q");
    const QString r = cfg.write(QStringLiteral("r.htm"), "r");
    documentHost().AddReopenItem(r);
    documentHost().AddReopenItem(q);
    documentHost().AddReopenItem(p);
    ASSERT_EQ(w->windowCommands().reopenList(), (QStringList{p, q, r}));
    w->documentCommands().New1Click();   // open at exit: neither saved nor listed
    restart();

    EXPECT_EQ(w->windowCommands().reopenList(), (QStringList{p, q, r}));
    EXPECT_TRUE(dlg.fileDialogs.isEmpty());
    // A second run changes nothing either, and the newest closed goes on top.
    const QString s = cfg.write(QStringLiteral("s.htm"), "s");
    documentHost().AddReopenItem(s);
    restart();
    EXPECT_EQ(w->windowCommands().reopenList(), (QStringList{s, p, q, r}));
    // Between runs only the scrambled file is left; it holds the nine lines
    // and the entries top first.
    w->close();
    w.reset();
    EXPECT_EQ(filesIn(cfg.appFolder()), QStringList{QStringLiteral("mivor.dvf")});
    EXPECT_EQ(storedLines(cfg.appFolder()), (defaultSettingsLines() + QStringList{s, p, q, r}));
}

TEST_F(SettingsTest, AStoredListLongerThanFiveKeepsItsTopFive)
{
    w.reset();
    QStringList stored = defaultSettingsLines();
    for (int i = 1; i <= 7; ++i)
        stored << QStringLiteral("/w/%1.htm").arg(i);
    storeSettings(cfg.appFolder(), (stored.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
    open();
    EXPECT_EQ(w->windowCommands().reopenList(), stored.mid(9, 5));
}

TEST_F(SettingsTest, ExitNeverWritesThroughALinkAtTheSettingsFile)
{
    const QString decoy = cfg.write(QStringLiteral("shadow"), "root:$6$hash:19000:0:99999:7:::\n");
    QFile::setPermissions(decoy, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    const QFile::Permissions decoyMode = QFile::permissions(decoy);
    const QString dvf = cfg.appFolder() + QStringLiteral("mivor.dvf");
    ASSERT_TRUE(QFile::remove(dvf));
    ASSERT_TRUE(QFile::link(decoy, dvf));
    restart();
    w->documentCommands().Exit1Click();
    w.reset();
    EXPECT_EQ(TempConfig::read(decoy), QByteArray("root:$6$hash:19000:0:99999:7:::\n"));
    EXPECT_EQ(QFile::permissions(decoy), decoyMode);
    EXPECT_FALSE(QFileInfo(dvf).isSymLink());
    EXPECT_EQ(storedLines(cfg.appFolder()), settingsLines(MivorSettings{}));
}

TEST_F(SettingsTest, DoneAppliesToNewDocumentsOnlyAndStoresNineLines)
{
    documentHost().AddReopenItem(cfg.write(QStringLiteral("r.htm"), "r"));
    w->documentCommands().New1Click();
    TSubForm *before = w->currentDocument();
    const QFont oldFont = before->Memo1->font();
    ASSERT_EQ(oldFont.family(), QStringLiteral("Courier New"));

    preferences([](Tprefs &p) {
        // The dialog opens on the settings in use.
        EXPECT_EQ(p.FontBox->currentText(), QStringLiteral("Courier New"));
        EXPECT_EQ(p.fontsize->fieldValue(), 12);
        EXPECT_EQ(p.autosavespin->fieldValue(), 10);
        EXPECT_EQ(p.DTColor->fill(), 10485760u);
        EXPECT_TRUE(p.wwrap->isChecked());
        p.FontBox->setCurrentText(QStringLiteral("DejaVu Sans Mono"));
        p.fontsize->setFieldValue(15);
        p.BGColor->setFill(0x00FFFF);   // yellow
        p.DTColor->setFill(0x008000);
        p.wwrap->setChecked(false);
    });

    EXPECT_EQ(w->appSettings().EditorFontName, QStringLiteral("DejaVu Sans Mono"));
    EXPECT_EQ(w->appSettings().EditorFontSize, 15);
    EXPECT_EQ(before->Memo1->font(), oldFont);
    EXPECT_TRUE(before->Memo1->wrap());
    EXPECT_EQ(w->documentArea()->background().color(), QColor(0, 128, 0));

    w->documentCommands().New1Click();
    TSubForm *after = w->currentDocument();
    EXPECT_EQ(after->Memo1->font().family(), QStringLiteral("DejaVu Sans Mono"));
    EXPECT_EQ(after->Memo1->font().pointSize(), 15);
    EXPECT_EQ(after->Memo1->palette().color(QPalette::Base), QColor(255, 255, 0));
    EXPECT_FALSE(after->Memo1->wrap());

    // The stored file holds the nine lines and no Reopen entries yet.
    EXPECT_EQ(filesIn(cfg.appFolder()), QStringList{QStringLiteral("mivor.dvf")});
    EXPECT_EQ(storedLines(cfg.appFolder()),
              (QStringList{QStringLiteral("DejaVu Sans Mono"), QStringLiteral("15"), QStringLiteral("0"),
                           QStringLiteral("65535"), QStringLiteral("false"), QStringLiteral("true"),
                           QStringLiteral("true"), QStringLiteral("10"), QStringLiteral("32768")}));
}

TEST_F(SettingsTest, CancelChangesNothing)
{
    const QStringList stored = storedLines(cfg.appFolder());
    modalAnswer = [](QDialog *d) {
        auto *p = qobject_cast<Tprefs *>(d);
        p->fontsize->setFieldValue(40);
        p->autosave->setChecked(false);
        p->CancelBtnClick();
        return p->result();
    };
    w->preferencesCommands().Preferences1Click();
    EXPECT_EQ(w->appSettings().EditorFontSize, 12);
    EXPECT_TRUE(w->autosave().autosaveTimer()->isActive());
    EXPECT_EQ(storedLines(cfg.appFolder()), stored);
    // The next showing loads the settings in use again.
    modalAnswer = [](QDialog *d) {
        auto *p = qobject_cast<Tprefs *>(d);
        EXPECT_EQ(p->fontsize->fieldValue(), 12);
        EXPECT_TRUE(p->autosave->isChecked());
        return int(QDialog::Rejected);
    };
    w->preferencesCommands().Preferences1Click();
    EXPECT_EQ(shownDialogs.size(), 2);
}

TEST_F(SettingsTest, AutosaveSettingsTakeEffectAtOnce)
{
    w->documentCommands().New1Click();
    ASSERT_TRUE(w->autosave().autosaveTimer()->isActive());
    preferences([](Tprefs &p) { p.autosave->setChecked(false); });
    EXPECT_FALSE(w->autosave().autosaveTimer()->isActive());
    preferences([](Tprefs &p) {
        p.autosave->setChecked(true);
        p.autosavespin->setFieldValue(3);
    });
    EXPECT_TRUE(w->autosave().autosaveTimer()->isActive());
    EXPECT_EQ(w->autosave().autosaveTimer()->interval(), 3 * 60000);
}

TEST_F(SettingsTest, SpinFieldsWithoutANumberGiveTheirMinimumAndStayInRange)
{
    preferences([](Tprefs &p) {
        p.fontsize->findChild<QLineEdit *>()->setText(QString());
        p.autosavespin->findChild<QLineEdit *>()->setText(QString());
    });
    EXPECT_EQ(w->appSettings().EditorFontSize, 6);
    EXPECT_EQ(w->appSettings().AutosaveMinutes, 1);
    // A number typed beyond the range is brought back inside, never a
    // zero-minute timer or an unreadable font.
    preferences([](Tprefs &p) {
        p.fontsize->setFieldValue(500);
        p.autosavespin->setFieldValue(0);
    });
    EXPECT_EQ(w->appSettings().EditorFontSize, 120);
    EXPECT_EQ(w->appSettings().AutosaveMinutes, 1);
    EXPECT_EQ(storedLines(cfg.appFolder()).value(7), QStringLiteral("1"));

    MivorSettings odd;
    odd.EditorFontName = QStringLiteral("Two\r\nLines");
    odd.EditorFontSize = 2;
    odd.AutosaveMinutes = 99;
    const MivorSettings fixed = withinPageDefaultRanges(odd);
    EXPECT_EQ(fixed.EditorFontName, QStringLiteral("Two  Lines"));
    EXPECT_EQ(fixed.EditorFontSize, 6);
    EXPECT_EQ(fixed.AutosaveMinutes, 60);
}

TEST_F(SettingsTest, DialogFontListAndColourSwatches)
{
    dlg.families = {QStringLiteral("Alpha"), QStringLiteral("Beta")};
    setLastSharedColour(0x0000FF);
    dlg.queueColor(QColor(1, 2, 3));
    dlg.queueColor(std::nullopt);
    preferences([this](Tprefs &p) {
        // The list was filled once, from the fonts the dialog was made with.
        EXPECT_EQ(p.FontBox->count(), 2);
        EXPECT_EQ(p.FontBox->itemText(0), QStringLiteral("Alpha"));
        EXPECT_EQ(p.FontBox->currentText(), QStringLiteral("Courier New"));
        EXPECT_TRUE(p.FontBox->isEditable());
        // The chooser opens at its own last colour, not at the swatch's.
        p.FontcolorMouseDown();
        EXPECT_EQ(dlg.colorDialogs.value(0), QColor(255, 0, 0));
        EXPECT_EQ(p.Fontcolor->fill(), 0x030201u);
        p.DTColorMouseDown();   // cancelled: the swatch keeps its colour
        EXPECT_EQ(dlg.colorDialogs.value(1), QColor(1, 2, 3));
        EXPECT_EQ(p.DTColor->fill(), 10485760u);
        EXPECT_EQ(p.windowTitle(), QStringLiteral("Set Page Defaults"));
        // Taller than the page defaults alone: the splash, the preview's
        // remote content, the current line, the session and the writing
        // aids' group.
        EXPECT_EQ(p.size(), QSize(260, 541));
    });
    EXPECT_EQ(w->appSettings().EditorFontColor, 0x030201u);
    EXPECT_EQ(w->appSettings().DesktopColor, 10485760u);
}

TEST_F(SettingsTest, AFailedWriteIsReportedAndTheValuesStillApply)
{
    // A folder where the scrambled file should go makes it impossible to write.
    QFile::remove(cfg.appFolder() + QStringLiteral("mivor.dvf"));
    QDir().mkpath(cfg.appFolder() + QStringLiteral("mivor.dvf"));
    preferences([](Tprefs &p) { p.fontsize->setFieldValue(20); });
    ASSERT_EQ(dlg.messages.size(), 1);
    EXPECT_EQ(dlg.messages[0], QStringLiteral("Cannot create file ") + cfg.appFolder() + QStringLiteral("mivor.dvf"));
    EXPECT_EQ(w->appSettings().EditorFontSize, 20);
}

TEST_F(SettingsTest, AShortFileIsReportedAndTheRestStartsFromDefaults)
{
    w.reset();
    dlg.families << QStringLiteral("Arial");
    storeSettings(cfg.appFolder(), "Arial\r\n14\r\n255\r\n");
    dlg.messages.clear();
    open();
    EXPECT_EQ(dlg.messages, QStringList{QStringLiteral("List index out of bounds (3)")});
    EXPECT_EQ(w->appSettings().EditorFontName, QStringLiteral("Arial"));
    EXPECT_EQ(w->appSettings().EditorFontSize, 14);
    EXPECT_EQ(w->appSettings().EditorFontColor, 255u);
    EXPECT_EQ(w->appSettings().EditorBackColor, 16777215u);
    EXPECT_TRUE(w->appSettings().AutosaveOn);
    EXPECT_EQ(w->appSettings().DesktopColor, 10485760u);
    EXPECT_FALSE(QFile::exists(cfg.appFolder() + QStringLiteral("mivor.ini")));

    // Its close writes a sound file again, which the next start reads quietly.
    const QString p = cfg.write(QStringLiteral("p.htm"), "p");
    documentHost().AddReopenItem(p);
    restart();
    EXPECT_TRUE(dlg.messages.size() == 1);
    EXPECT_EQ(w->appSettings().EditorFontName, QStringLiteral("Arial"));
    EXPECT_EQ(w->windowCommands().reopenList(), QStringList{p});
    const QStringList lines = storedLines(cfg.appFolder());
    EXPECT_EQ(lines.mid(0, 3), (QStringList{QStringLiteral("Arial"), QStringLiteral("14"), QStringLiteral("255")}));
    EXPECT_EQ(lines.mid(3, 6), settingsLines(MivorSettings{}).mid(3, 6));
    EXPECT_EQ(lines.mid(9), QStringList{p});
}

TEST_F(SettingsTest, AGarbageFontNameGivesTheDefaultFontAndIsNotWrittenBack)
{
    w.reset();
    storeSettings(cfg.appFolder(), "\x01\x02\xC3\xBF#garbage\r\n14\r\n0\r\n16777215\r\ntrue\r\ntrue\r\ntrue\r\n10\r\n0\r\n");
    dlg.messages.clear();
    open();
    EXPECT_TRUE(dlg.messages.isEmpty());
    EXPECT_EQ(w->appSettings().EditorFontName, QStringLiteral("Courier New"));
    w->documentCommands().New1Click();
    EXPECT_EQ(memo().font().family(), QStringLiteral("Courier New"));
    EXPECT_EQ(memo().font().pointSize(), 14);
    w->close();
    w.reset();
    EXPECT_EQ(storedLines(cfg.appFolder()).mid(0, 2), (QStringList{QStringLiteral("Courier New"), QStringLiteral("14")}));

    // A name typed in the dialog that no installed font has is not taken either.
    open();
    preferences([](Tprefs &p) { p.FontBox->setCurrentText(QStringLiteral("No Such Font")); });
    EXPECT_EQ(w->appSettings().EditorFontName, QStringLiteral("Courier New"));
    EXPECT_EQ(storedLines(cfg.appFolder()).value(0), QStringLiteral("Courier New"));
}

TEST_F(SettingsTest, AStoredFileNamingTheSpikeLeavesTheSpikeAlone)
{
    w.reset();
    ASSERT_TRUE(saveSpikeClips(cfg.appFolder(), {QStringLiteral("keep me")}));
    const QString spike = cfg.appFolder() + QStringLiteral("spike.dvf");
    const QByteArray spikeBytes = TempConfig::read(spike);
    QFile f(cfg.appFolder() + QStringLiteral("mivor.dvf"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(scrambleSettings(joinSettingsLines(defaultSettingsLines()), spike, SettingsKey));
    f.close();
    dlg.messages.clear();

    open();
    EXPECT_EQ(dlg.errors, QStringList{cfg.appFolder() + QStringLiteral("mivor.dvf is damaged: it holds the file "
                                                                       "\"spike.dvf\", not mivor.ini")});
    EXPECT_EQ(TempConfig::read(spike), spikeBytes);
    w->close();
    w.reset();
    EXPECT_EQ(TempConfig::read(spike), spikeBytes);
    EXPECT_EQ(loadSpikeClips(cfg.appFolder()).value, QStringList{QStringLiteral("keep me")});
    // The settings file is sound again after that close, made from the
    // settings in use.
    EXPECT_EQ(storedLines(cfg.appFolder()), settingsLines(MivorSettings{}));
}

TEST_F(SettingsTest, ANonNumberIsReportedAndThatSettingKeepsItsDefault)
{
    w.reset();
    storeSettings(cfg.appFolder(),
                  "Arial\r\nbig\r\n0\r\n16777215\r\nTrue\r\ntrue\r\nfalse\r\n5\r\n$0000FF\r\n/tmp/x.htm\r\n");
    dlg.messages.clear();
    open();
    EXPECT_EQ(dlg.messages, QStringList{QStringLiteral("'big' is not a valid integer value")});
    EXPECT_EQ(w->appSettings().EditorFontSize, 12);
    EXPECT_FALSE(w->appSettings().WrapNewDocs);   // only lower-case "true" is true
    EXPECT_FALSE(w->appSettings().AutosaveOn);
    EXPECT_FALSE(w->autosave().autosaveTimer()->isActive());
    EXPECT_EQ(w->appSettings().AutosaveMinutes, 5);
    EXPECT_EQ(w->documentArea()->background().color(), QColor(255, 0, 0));
    EXPECT_EQ(w->windowCommands().reopenList(), QStringList{QStringLiteral("/tmp/x.htm")});

    restart();
    EXPECT_EQ(dlg.messages.size(), 1);
    EXPECT_EQ(storedLines(cfg.appFolder()).value(1), QStringLiteral("12"));
}
