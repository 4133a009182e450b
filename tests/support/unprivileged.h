#pragma once
// Permission tests mean nothing to root, which passes every check. As root,
// an Unprivileged object makes this thread's file accesses those of the user
// "nobody" (65534) for its lifetime: files it creates belong to that user and
// every permission applies. Other users run the tests as themselves.
#include <QDirIterator>
#include <QFile>
#include <QString>

#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

namespace testuser {

inline constexpr uid_t kNobody = 65534;

inline bool isRoot()
{
    return ::geteuid() == 0;
}

// Hands a folder the test made (and everything in it) to the test user, so
// the test user may work in it. Does nothing when not root.
inline void handOver(const QString &folder)
{
    if (!isRoot())
        return;
    auto give = [](const QString &p) { (void)::lchown(QFile::encodeName(p).constData(), kNobody, kNobody); };
    give(folder);
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        give(it.next());
}

} // namespace testuser

class Unprivileged {
public:
    Unprivileged()
    {
        if (testuser::isRoot()) {
            ::setfsgid(testuser::kNobody);
            ::setfsuid(testuser::kNobody);
        }
    }
    ~Unprivileged()
    {
        if (testuser::isRoot()) {
            ::setfsuid(0);
            ::setfsgid(0);
        }
    }
    Unprivileged(const Unprivileged &) = delete;
    Unprivileged &operator=(const Unprivileged &) = delete;
};
