#include "app/reopenlist.h"

#include "documents/filenames.h"

bool ReopenList::add(const QString &path)
{
    for (const QString &e : entries_)
        if (names::StripAmpersands(e) == path)
            return false;
    entries_.prepend(path);
    while (entries_.size() > kLength)
        entries_.removeLast();
    return true;
}

bool ReopenList::remove(const QString &text)
{
    const QString wanted = names::StripAmpersands(text);
    for (qsizetype i = 0; i < entries_.size(); ++i) {
        if (names::StripAmpersands(entries_[i]) == wanted) {
            entries_.removeAt(i);
            return true;
        }
    }
    return false;
}
