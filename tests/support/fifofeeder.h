#pragma once
// A FIFO for tests of readers that must refuse one. While the feeder lives,
// a thread waits for a reader to open the FIFO and then writes `bytes` to it,
// so a reader that wrongly blocks on the FIFO is released (and reads those
// bytes) instead of hanging the test.
#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

class FifoFeeder {
public:
    FifoFeeder(const QString &path, const QByteArray &bytes) : path_(QFile::encodeName(path)), bytes_(bytes)
    {
        made_ = ::mkfifo(path_.constData(), 0600) == 0;
        if (made_)
            thread_ = std::thread([this] { feed(); });
    }
    ~FifoFeeder()
    {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
    }
    FifoFeeder(const FifoFeeder &) = delete;
    FifoFeeder &operator=(const FifoFeeder &) = delete;

    bool made() const { return made_; }
    // True once a reader opened the FIFO.
    bool fed() const { return fed_; }

private:
    void feed()
    {
        // A reader that closes at once must not end the test with SIGPIPE.
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
        while (!stop_) {
            // Without a reader this fails at once (ENXIO) instead of waiting.
            const int fd = ::open(path_.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                fed_ = true;
                (void)::write(fd, bytes_.constData(), size_t(bytes_.size()));
                ::close(fd);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    QByteArray path_;
    QByteArray bytes_;
    bool made_ = false;
    std::atomic<bool> stop_{false};
    std::atomic<bool> fed_{false};
    std::thread thread_;
};
