#pragma once
// The FTP connection and server table the main window holds: the upload
// dialog connects with it, the upload commands use and close it.
#include "transfer/ftpdata.h"
#include "transfer/internetclient.h"

#include <QString>

namespace transfer {

struct FtpSession {
    FtpServerTable FtpServers;
    QString FtpServer, FtpUser, FtpPassword;
    bool FtpDataPresent = false;
    InternetClient client;

    // Closes the connection and internet handles; harmless when closed.
    void closeHandles() { client.close(); }
};

// The agent name sent to servers: the executable's file name.
QString agentName();

} // namespace transfer
