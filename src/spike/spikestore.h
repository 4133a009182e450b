#pragma once
// The spike's clips between runs: spike.ini (one clip a line, CR LF), kept on
// disk only in its scrambled form spike.dvf in the program's folder.
#include "platform/result.h"

#include <QString>
#include <QStringList>

// Reads appFolder + "spike.dvf" (appFolder ends in '/'). No file gives an
// empty list (the first start). A file that cannot be read, is larger than
// MaxSmallFileBytes or is damaged (also one that stores another file's name)
// fails with a message naming it and no clips; the damaged file is kept
// aside as "spike.dvf.damaged" so the next save does not destroy what it
// held. Empty clips are dropped. No spike.ini is left behind.
ResultOf<QStringList> loadSpikeClips(const QString &appFolder);

// Writes the clips to appFolder + "spike.ini", scrambles it into spike.dvf
// and deletes spike.ini again, also when a step fails. Fails with the message
// when spike.dvf could not be written (an older spike.dvf then stays whole).
Result saveSpikeClips(const QString &appFolder, const QStringList &clips);
