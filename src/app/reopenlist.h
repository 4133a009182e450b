#pragma once
// The rules of the Reopen list, apart from its menu: the most recently
// closed file on top, each file once, at most five. Qt Core only.
#include <QStringList>

class ReopenList {
public:
    static constexpr int kLength = 5;

    // Puts path on top unless an entry already names it (access-key markers
    // in an entry's text do not count); the sixth entry drops off. False
    // when it was listed already.
    bool add(const QString &path);
    // Removes the entry of this text (access-key markers aside); false when none.
    bool remove(const QString &text);
    const QStringList &entries() const { return entries_; }

private:
    QStringList entries_;
};
