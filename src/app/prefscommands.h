#pragma once
// Edit > Preferences: the dialog filled from the settings, and what the user
// chose written to mivor.dvf and start.dvf.
#include <QString>
#include <functional>

class CommandHost;
class CommandState;
struct AddedOptions;
struct MivorSettings;
struct ToolWindows;
namespace htmlaid { class AidsHub; }

class PreferencesCommands {
public:
    PreferencesCommands(CommandHost &host, ToolWindows &tools, MivorSettings &settings, AddedOptions &added,
                        const QString &programFolder);
    void bind(CommandState &state);
    // The languages offered for spelling come from the writing aids.
    void setWritingAids(htmlaid::AidsHub *aids) { aids_ = aids; }
    // Run after Done: the window's parts take the new settings (the
    // argument says whether the start.dvf choices changed too).
    std::function<void(bool addedChanged)> applied;

    void Preferences1Click();

private:
    CommandHost &host_;
    ToolWindows &tools_;
    MivorSettings &settings_;
    AddedOptions &added_;
    QString programFolder_;
    htmlaid::AidsHub *aids_ = nullptr;
};
