#pragma once
// The Help menu: the help page in the desktop's browser and the About box.
#include <QString>

class CommandHost;
class CommandState;
struct ToolWindows;

class HelpCommands {
public:
    HelpCommands(CommandHost &host, ToolWindows &tools, const QString &programFolder);
    void bind(CommandState &state);

    void Help2Click();
    void About1Click();

private:
    CommandHost &host_;
    ToolWindows &tools_;
    QString programFolder_;
};
