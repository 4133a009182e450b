#include "app/prefscommands.h"

#include "app/commandhost.h"
#include "app/commandstate.h"
#include "app/prefsdialog.h"
#include "app/startoptions.h"
#include "app/toolwindows.h"
#include "htmlaid/htmlaids.h"
#include "platform/dialogs.h"
#include "settings/settingsstore.h"

#include <QCheckBox>

PreferencesCommands::PreferencesCommands(CommandHost &host, ToolWindows &tools, MivorSettings &settings,
                                         AddedOptions &added, const QString &programFolder)
    : host_(host), tools_(tools), settings_(settings), added_(added), programFolder_(programFolder)
{
}

void PreferencesCommands::bind(CommandState &state)
{
    state.bind(commands::Id::Preferences, [this] { Preferences1Click(); });
}

void PreferencesCommands::Preferences1Click()
{
    Tprefs *prefs = tools_.preferences();
    prefs->FormShow(settings_);
    prefs->splash->setChecked(added_.showSplash);
    prefs->remoteContent->setChecked(added_.remoteContent);
    prefs->currentLine->setChecked(added_.currentLine);
    prefs->reopenDocuments->setChecked(added_.reopenDocuments);
    prefs->showAids(added_.aids, aids_ ? aids_->languages() : QStringList());
    if (host_.runModal(prefs) != QDialog::Accepted)
        return;
    settings_ = prefs->values();
    if (Result r = writeSettingsFromDialog(programFolder_, settings_); !r)
        dialogs().error(r.message, host_.frame());
    // Kept apart from mivor.dvf, whose lines keep their meaning; the file is
    // written only once the user has changed a choice.
    const AddedOptions chosen{prefs->splash->isChecked(), prefs->remoteContent->isChecked(),
                              prefs->currentLine->isChecked(), prefs->reopenDocuments->isChecked(), prefs->aids()};
    const bool changed = chosen != added_;
    if (changed) {
        added_ = chosen;
        if (Result r = writeAddedOptions(programFolder_, chosen); !r)
            dialogs().error(r.message, host_.frame());
    }
    if (applied)
        applied(changed);
}
