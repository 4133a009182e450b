#pragma once
// The FTP server table between runs: FTPData.ini (three lines a server),
// kept on disk only scrambled as FTPData.dvf in the program's folder.
#include "platform/result.h"
#include "transfer/publishing.h"

// Reads appFolder + "FTPData.dvf" (appFolder ends in '/'). No file: not ok,
// no message, so nothing is shown. A file that cannot be read or holds something else than the
// server table: not ok, with a message. FTPData.ini never stays behind.
transfer::FtpDataRead loadFtpDataFile(const QString &appFolder);

// Writes the lines to FTPData.ini, scrambles it into FTPData.dvf (mode
// 0600) and deletes FTPData.ini again, also when a step fails.
Result saveFtpDataFile(const QString &appFolder, const QStringList &lines);
