#include "app/helpcommands.h"

#include "app/commandhost.h"
#include "app/commandstate.h"
#include "app/logo.h"
#include "app/toolwindows.h"
#include "platform/appfolder.h"
#include "platform/dialogs.h"
#include "platform/shell.h"
#include "preview/helppage.h"

HelpCommands::HelpCommands(CommandHost &host, ToolWindows &tools, const QString &programFolder)
    : host_(host), tools_(tools), programFolder_(programFolder)
{
}

void HelpCommands::bind(CommandState &state)
{
    state.bind(commands::Id::Help, [this] { Help2Click(); });
    state.bind(commands::Id::About, [this] { About1Click(); });
}

void HelpCommands::Help2Click()
{
    const QString page = helppage::install(programFolder_, dataFolder());
    if (!shell().openFile(page))
        dialogs().error(QStringLiteral("Failed to execute ") + QString::fromLatin1(helppage::kName), host_.frame());
}

void HelpCommands::About1Click()
{
    Tlogo *logo = tools_.about();
    logo->show();
    logo->raise();
    logo->FormShow();   // a showing while already visible restarts the time too
}
