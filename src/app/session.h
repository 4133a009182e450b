#pragma once
// The documents open at exit, kept for the next start when "Reopen the
// documents open at exit" is ticked in Preferences: each titled document's
// path, caret and word wrap, and which one was current. They are kept in a
// plain file of their own, session.lst in the settings folder, readable and
// writable by the user alone; mivor.dvf and start.dvf keep their layout.
#include "platform/result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct SessionDocument {
    QString path;
    int caret = 0;      // offset in the text, CR LF counting two
    bool wrap = false;
    bool current = false;
    bool operator==(const SessionDocument &) const = default;
};

// The file's content: a first line naming the format, then one line per
// document, "caret TAB wrap TAB current TAB path", in UTF-8 with CR LF. A
// path that holds a line break cannot be kept on a line and is left out.
QByteArray sessionText(const QList<SessionDocument> &documents);

// Reads what sessionText wrote; a line that does not read (no number, a
// negative caret, an empty path) is skipped. Without the first line the
// content is not a session: false.
bool parseSession(const QByteArray &bytes, QList<SessionDocument> &documents);

// appFolder ends in '/'. No file gives no documents. A file that cannot be
// read, is larger than the small-file limit or is not a session fails with
// its message and no documents.
ResultOf<QList<SessionDocument>> readSession(const QString &appFolder);

// Writes session.lst as a side file (an entry planted at its name, a link
// included, is replaced, never written through), mode 0600.
Result writeSession(const QString &appFolder, const QList<SessionDocument> &documents);

// Removes session.lst, so a later choice to reopen starts afresh.
void forgetSession(const QString &appFolder);

// The one message for the documents of the last session that are gone.
QString missingDocumentsMessage(const QStringList &paths);
