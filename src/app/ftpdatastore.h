#pragma once
// The FTP server table between runs: FTPData.ini (three lines a server),
// kept on disk only scrambled as FTPData.dvf in the program's folder.
#include "platform/result.h"
#include "transfer/publishing.h"

// Reads appFolder + "FTPData.dvf" (appFolder ends in '/'), decoded in memory.
// No file: not ok, no message, so nothing is shown. A file that cannot be
// read, is over 4 MB or holds something else than the server table: not ok,
// with a message.
transfer::FtpDataRead loadFtpDataFile(const QString &appFolder);

// Scrambles the lines (those of FTPData.ini) into FTPData.dvf, mode 0600.
Result saveFtpDataFile(const QString &appFolder, const QStringList &lines);
