#pragma once
// Every name that appears in a folder while the object lives, however short
// its life: the kernel reports each creation and rename into the folder, so a
// file written and deleted again within a millisecond is still seen.
#include <QFile>
#include <QStringList>

#include <sys/inotify.h>
#include <unistd.h>

class CreatedFiles {
public:
    explicit CreatedFiles(const QString &folder)
    {
        fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (fd_ >= 0)
            ::inotify_add_watch(fd_, QFile::encodeName(folder).constData(), IN_CREATE | IN_MOVED_TO);
    }
    ~CreatedFiles()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    CreatedFiles(const CreatedFiles &) = delete;
    CreatedFiles &operator=(const CreatedFiles &) = delete;

    bool watching() const { return fd_ >= 0; }

    // The names seen so far, in order, each as often as it appeared.
    QStringList names()
    {
        alignas(struct inotify_event) char buffer[65536];
        for (;;) {
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n <= 0)
                break;
            for (char *p = buffer; p < buffer + n;) {
                const auto *event = reinterpret_cast<const struct inotify_event *>(p);
                if (event->len > 0)
                    seen_ << QFile::decodeName(event->name);
                p += sizeof(struct inotify_event) + event->len;
            }
        }
        return seen_;
    }

private:
    int fd_ = -1;
    QStringList seen_;
};
