#pragma once
// Publishing: the FTP servers' settings, the upload of the current page and
// of its pictures, and a page downloaded from the web into a new window.
#include <QString>

class CommandHost;
class CommandState;
class DocumentCommands;
class WindowCommands;
namespace transfer { class Publishing; }

class TransferCommands {
public:
    TransferCommands(CommandHost &host, CommandState &state, DocumentCommands &documents, WindowCommands &windows);
    void bind(CommandState &state);
    // The dialogs and the server table, kept in the program's folder.
    void createPublishing(const QString &programFolder);

    bool ftpDataPresent() const { return FtpDataPresent; }
    transfer::Publishing *publishingDialogs() const { return publishing; }

    void LoadFtpData();
    void FTPSettings1Click();
    void Savewww1Click();
    void Resources1Click();
    void Openwww1Click();

private:
    CommandHost &host_;
    CommandState &state_;
    DocumentCommands &documents_;
    WindowCommands &windows_;
    transfer::Publishing *publishing = nullptr;
    bool FtpDataPresent = false;
};
