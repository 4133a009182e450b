#include "cups/printqueues.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>
#include <pwd.h>
#include <grp.h>
#include <unistd.h>

namespace {

bool writeText(const QString &path, const QString &text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text.toUtf8()) == text.toUtf8().size();
}

} // namespace

PrintServer::PrintServer()
{
    if (!dir_.isValid()) {
        error_ = QStringLiteral("no temporary folder");
        return;
    }
    const QString root = dir_.path();
    for (const char *sub : {"spool/tmp", "cache", "state", "log", "home"})
        QDir().mkpath(root + QLatin1Char('/') + QLatin1String(sub));
    // cupsd will not run its jobs as root; a user's own server runs as that user.
    QString userName = QStringLiteral("lp"), groupName = QStringLiteral("lp"), systemGroup = QStringLiteral("root");
    if (geteuid() != 0) {
        if (const passwd *pw = getpwuid(geteuid()))
            userName = QString::fromLocal8Bit(pw->pw_name);
        if (const group *gr = getgrgid(getegid()))
            groupName = systemGroup = QString::fromLocal8Bit(gr->gr_name);
    }
    const QString socket = root + QStringLiteral("/cups.sock");
    const bool written =
        writeText(root + QStringLiteral("/cupsd.conf"),
                  QStringLiteral("Listen %1\nLogLevel warn\nBrowsing No\nWebInterface No\n"
                                 "DefaultAuthType None\n"
                                 "<Location />\nOrder allow,deny\nAllow all\n</Location>\n"
                                 "<Policy default>\nJobPrivateAccess all\nJobPrivateValues none\n"
                                 "SubscriptionPrivateAccess all\nSubscriptionPrivateValues none\n"
                                 "<Limit All>\nOrder allow,deny\nAllow all\n</Limit>\n</Policy>\n")
                      .arg(socket)) &&
        writeText(root + QStringLiteral("/cups-files.conf"),
                  QStringLiteral("ServerRoot %1\nStateDir %1/state\nCacheDir %1/cache\n"
                                 "RequestRoot %1/spool\nTempDir %1/spool/tmp\n"
                                 "AccessLog %1/log/access_log\nErrorLog %1/log/error_log\n"
                                 "PageLog %1/log/page_log\nPrintcap %1/printcap\nFileDevice Yes\n"
                                 "User %2\nGroup %3\nSystemGroup %4\n")
                      .arg(root, userName, groupName, systemGroup)) &&
        writeText(root + QStringLiteral("/client.conf"), QStringLiteral("ServerName %1\n").arg(socket));
    if (!written) {
        error_ = QStringLiteral("cannot write the server's configuration");
        return;
    }
    // Every print client of this process, and the tools it starts, find this
    // server and read no destinations or options of the user's.
    qputenv("CUPS_SERVER", socket.toLocal8Bit());
    qputenv("CUPS_SERVERROOT", root.toLocal8Bit());
    qputenv("HOME", (root + QStringLiteral("/home")).toLocal8Bit());
    qunsetenv("LPDEST");
    qunsetenv("PRINTER");

    const QString cupsd = QStringLiteral("/usr/sbin/cupsd");
    if (!QFileInfo(cupsd).isExecutable()) {
        error_ = cupsd + QStringLiteral(" is not installed (scripts/install-deps.sh installs cups-daemon)");
        return;
    }
    cupsd_ = std::make_unique<QProcess>();
    cupsd_->setProcessChannelMode(QProcess::MergedChannels);
    cupsd_->start(cupsd, {QStringLiteral("-f"), QStringLiteral("-c"), root + QStringLiteral("/cupsd.conf"),
                          QStringLiteral("-s"), root + QStringLiteral("/cups-files.conf")});
    if (!cupsd_->waitForStarted(5000)) {
        error_ = QStringLiteral("cannot start cupsd");
        return;
    }
    QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired() && cupsd_->state() == QProcess::Running) {
        QString state;
        if (QFileInfo::exists(socket) && run(QStringLiteral("lpstat"), {QStringLiteral("-r")}, &state) &&
            state.contains(QStringLiteral("scheduler is running"))) {
            started_ = true;
            return;
        }
        QThread::msleep(100);
    }
    QFile log(root + QStringLiteral("/log/error_log"));
    log.open(QIODevice::ReadOnly);
    error_ = QStringLiteral("cupsd did not start: ") + QString::fromLocal8Bit(cupsd_->readAll()) +
             QString::fromLocal8Bit(log.readAll());
}

PrintServer::~PrintServer()
{
    if (cupsd_ && cupsd_->state() != QProcess::NotRunning) {
        cupsd_->terminate();
        if (!cupsd_->waitForFinished(5000)) {
            cupsd_->kill();
            cupsd_->waitForFinished(5000);
        }
    }
}

bool PrintServer::run(const QString &program, const QStringList &args, QString *out)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(20000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        error_ = program + QLatin1Char(' ') + args.join(QLatin1Char(' ')) + QStringLiteral(": ") +
                 QString::fromLocal8Bit(p.readAllStandardError());
        return false;
    }
    if (out)
        *out = QString::fromLocal8Bit(p.readAllStandardOutput());
    return true;
}

bool PrintServer::addQueue(const QString &name)
{
    return run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), name, QStringLiteral("-v"),
                                           QStringLiteral("file:///dev/null")}) &&
           run(QStringLiteral("cupsaccept"), {name});
}

bool PrintServer::setDefault(const QString &name)
{
    return run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), name});
}

void PrintServer::clear()
{
    run(QStringLiteral("cancel"), {QStringLiteral("-a"), QStringLiteral("-x")});
    QString out;
    if (!run(QStringLiteral("lpstat"), {QStringLiteral("-p")}, &out))
        return;
    static const QRegularExpression printerLine(QStringLiteral("^printer (\\S+)"),
                                                QRegularExpression::MultilineOption);
    for (auto it = printerLine.globalMatch(out); it.hasNext();)
        run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), it.next().captured(1)});
}

QStringList PrintServer::queuesWithJobs()
{
    QString out;
    if (!run(QStringLiteral("lpstat"), {QStringLiteral("-o")}, &out))
        return {};
    // Lines start with the job's id: queue name, '-', number.
    QStringList queues;
    static const QRegularExpression jobLine(QStringLiteral("^(\\S+)-\\d+\\s"), QRegularExpression::MultilineOption);
    for (auto it = jobLine.globalMatch(out); it.hasNext();)
        queues << it.next().captured(1);
    return queues;
}
