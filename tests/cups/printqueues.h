#pragma once
// A print server of the test's own: cupsd on a socket in a temporary folder,
// with no queue at first. The process's print clients (Qt's printer list,
// lpadmin, lpstat) talk to it alone, and no default destination of the
// user's is read. Start it before anything in the process asks for printers.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class PrintServer {
public:
    PrintServer();
    ~PrintServer();
    bool running() const { return started_; }
    QString error() const { return error_; }

    // A queue that takes jobs and keeps them (it is never enabled, so no
    // filter or device runs); false with error() set when lpadmin refuses.
    bool addQueue(const QString &name);
    bool setDefault(const QString &name);
    // Removes every queue and its jobs.
    void clear();
    // The queues holding a job, one entry per job, in job order.
    QStringList queuesWithJobs();

private:
    bool run(const QString &program, const QStringList &args, QString *out = nullptr);
    QTemporaryDir dir_;
    std::unique_ptr<QProcess> cupsd_;
    bool started_ = false;
    QString error_;
};
