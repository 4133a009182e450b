#include "platform/fileio.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <limits>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace fileio {

namespace {

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

QString notRegular()
{
    return QStringLiteral("Not a regular file");
}

Result failed(int err)
{
    return Result::failure(errnoText(err));
}

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return fd_; }
    int release()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    // Closes now; a failed close is a failed write on some file systems.
    int reset()
    {
        int err = 0;
        if (fd_ >= 0 && ::close(fd_) != 0)
            err = errno;
        fd_ = -1;
        return err;
    }

private:
    int fd_;
};

QString folderOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash + 1);
}

QString nameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// Opens for reading without waiting on a FIFO or a device, and keeps the
// descriptor only for a regular file. The value is the descriptor, -1 on
// failure.
ResultOf<int> openRegular(const QString &path, struct stat &st)
{
    auto refused = [](const QString &why) { return ResultOf<int>::failure(why, -1); };
    Fd fd(::open(native(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0)
        return refused(errnoText(errno));
    if (::fstat(fd.get(), &st) != 0)
        return refused(errnoText(errno));
    if (!S_ISREG(st.st_mode))
        return refused(S_ISDIR(st.st_mode) ? errnoText(EISDIR) : notRegular());
    ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
    return ResultOf<int>::success(fd.release());
}

bool writeAll(int fd, const QByteArray &bytes, off_t offset, int &err)
{
    const char *p = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::pwrite(fd, p, size_t(std::min<qint64>(left, qint64(1) << 30)), offset);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            err = errno;
            return false;
        }
        p += n;
        offset += n;
        left -= n;
    }
    return true;
}

constexpr const char *kOriginAttribute = "user.mivor.origin";

void recordOrigin(int fd, const QString &origin)
{
    if (origin.isEmpty())
        return;
    const QByteArray value = origin.toUtf8();
    // Not every file system keeps attributes; the copy is good without one.
    (void)::fsetxattr(fd, kOriginAttribute, value.constData(), size_t(value.size()), 0);
}

// ".name." + random + "." + the writer's process id.
QString temporaryName(const QString &folder, const QString &name)
{
    return folder + QLatin1Char('.') + name + QLatin1Char('.')
         + QString::number(QRandomGenerator::global()->generate() & 0xffffff, 36) + QLatin1Char('.')
         + QString::number(::getpid());
}

mode_t defaultMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Gives a new file the owner and group of the file it stands for, where the
// process may. When the group cannot be kept, the file's own group (ours)
// gets no more than every other user had, so no one gains access.
void takeOwnership(int fd, const struct stat &model, mode_t &mode)
{
    if (::fchown(fd, model.st_uid, model.st_gid) != 0)
        (void)::fchown(fd, uid_t(-1), model.st_gid);
    struct stat now;
    if (::fstat(fd, &now) == 0 && now.st_gid != model.st_gid) {
        const mode_t group = ((mode >> 3) & 7) & (mode & 7);
        mode = (mode & ~mode_t(070)) | (group << 3);
    }
}

// The fallback for a folder that takes no new file: the existing file is
// rewritten where it is. Space is reserved first, so a full disk fails
// before the old content is touched.
Result writeInPlace(const QString &target, const QByteArray &bytes, bool sideFile, mode_t mode,
                    const QString &origin)
{
    int flags = O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
    if (sideFile)
        flags |= O_NOFOLLOW;
    Fd fd(::open(native(target).constData(), flags));
    if (fd.get() < 0)
        return failed(errno);
    struct stat st;
    if (::fstat(fd.get(), &st) != 0)
        return failed(errno);
    if (!S_ISREG(st.st_mode))
        return Result::failure(notRegular());
    if (sideFile) {
        // Someone else's file, or one linked from elsewhere, would let another
        // user read the copy; ours is narrowed to the document's mode first.
        if (st.st_uid != ::geteuid() || st.st_nlink != 1)
            return failed(EPERM);
        if (::fchmod(fd.get(), mode) != 0)
            return failed(errno);
        recordOrigin(fd.get(), origin);
    }
    ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
    if (bytes.size() > st.st_size) {
        const int r = ::posix_fallocate(fd.get(), 0, off_t(bytes.size()));
        if (r != 0 && r != EOPNOTSUPP && r != EINVAL)
            return failed(r);
    }
    int err = 0;
    if (!writeAll(fd.get(), bytes, 0, err) || ::ftruncate(fd.get(), off_t(bytes.size())) != 0
        || ::fsync(fd.get()) != 0)
        return failed(err ? err : errno);
    if ((err = fd.reset()) != 0)
        return failed(err);
    return Result::success();
}

} // namespace

QString errnoText(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

Result openRegularFile(const QString &path, QFile &file)
{
    struct stat st;
    const ResultOf<int> opened = openRegular(path, st);
    if (!opened)
        return opened;
    if (!file.open(opened.value, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(opened.value);
        return Result::failure(file.errorString());
    }
    return Result::success();
}

FileRead readRegularFile(const QString &path, qint64 limit, bool truncateAtLimit)
{
    FileRead read;
    auto failure = [&read](int err) {
        read.ok = false;
        read.message = errnoText(err);
        read.tooLarge = err == EFBIG;
        return read;
    };
    struct stat st;
    const ResultOf<int> opened = openRegular(path, st);
    if (!opened) {
        read.ok = false;
        read.message = opened.message;
        return read;
    }
    Fd fd(opened.value);
    if (st.st_size > limit && !truncateAtLimit)
        return failure(EFBIG);
    // The size is a hint: the file may change while it is read.
    QByteArray bytes;
    qint64 want = std::min<qint64>(st.st_size, limit);
    bytes.resize(want);
    qint64 got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got >= limit)
                break;
            bytes.resize(std::min<qint64>(limit, std::max<qint64>(got * 2, 65536)));
        }
        const ssize_t n = ::read(fd.get(), bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return failure(errno);
        }
        if (n == 0)
            break;
        got += n;
    }
    if (got >= limit && !truncateAtLimit) {
        char extra;
        if (::read(fd.get(), &extra, 1) == 1)
            return failure(EFBIG);
    }
    bytes.truncate(got);
    read.value = std::move(bytes);
    return read;
}

Occupant occupantOf(const QString &path)
{
    struct stat st;
    if (::lstat(native(path).constData(), &st) != 0)
        return Occupant::None;
    if (S_ISREG(st.st_mode))
        return Occupant::RegularFile;
    if (S_ISDIR(st.st_mode))
        return Occupant::Folder;
    return Occupant::Other;
}

ResultOf<QString> resolveLinks(const QString &path)
{
    QString p = path;
    for (int depth = 0; depth < 40; ++depth) {
        const QByteArray name = native(p);
        struct stat st;
        if (::lstat(name.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return ResultOf<QString>::success(p);
        QByteArray target(4096, Qt::Uninitialized);
        const ssize_t n = ::readlink(name.constData(), target.data(), size_t(target.size()));
        if (n < 0)
            return ResultOf<QString>::failure(errnoText(errno));
        target.truncate(n);
        const QString next = QFile::decodeName(target);
        p = next.startsWith(QLatin1Char('/')) ? next : folderOf(p) + next;
    }
    return ResultOf<QString>::failure(errnoText(ELOOP));
}

Result writeFile(const QString &path, const QByteArray &bytes, const WriteOptions &options)
{
    QString target = path;
    if (!options.sideFile) {
        const ResultOf<QString> resolved = resolveLinks(path);
        if (!resolved)
            return resolved;
        target = resolved.value;
    }
    const QByteArray nativeTarget = native(target);
    struct stat existing;
    const bool exists = ::lstat(nativeTarget.constData(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        return failed(EISDIR);
    if (exists && !options.sideFile && !S_ISREG(existing.st_mode))
        return Result::failure(notRegular());

    // The permissions the new file ends up with, and whose owner it takes.
    struct stat model;
    bool haveModel = false;
    if (options.sideFile) {
        haveModel = !options.modelFile.isEmpty() && ::stat(native(options.modelFile).constData(), &model) == 0
                 && S_ISREG(model.st_mode);
    } else if (exists) {
        model = existing;
        haveModel = true;
    }
    mode_t mode = haveModel ? (model.st_mode & 0777) : defaultMode();
    if (options.ownerOnly)
        mode = 0600;

    const QString folder = folderOf(target);
    QString temp;
    int raw = -1;
    int createError = 0;
    for (int attempt = 0; attempt < 64 && raw < 0; ++attempt) {
        temp = temporaryName(folder, nameOf(target));
        raw = ::open(native(temp).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (raw < 0 && (createError = errno) != EEXIST)
            break;
    }
    Fd fd(raw);
    if (fd.get() < 0) {
        // A folder the user may not write can still hold a file they may.
        if (exists && S_ISREG(existing.st_mode))
            return writeInPlace(target, bytes, options.sideFile, mode, options.origin);
        return failed(createError);
    }

    const QByteArray nativeTemp = native(temp);
    auto fail = [&](int err) {
        fd.reset();
        ::unlink(nativeTemp.constData());
        return failed(err);
    };
    if (haveModel && !options.ownerOnly)
        takeOwnership(fd.get(), model, mode);
    // The mode is set before any byte is written, so a private document's
    // copy is never readable by others, not even for a moment.
    if (::fchmod(fd.get(), mode) != 0)
        return fail(errno);
    if (options.sideFile)
        recordOrigin(fd.get(), options.origin);
    int err = 0;
    if (!writeAll(fd.get(), bytes, 0, err))
        return fail(err);
    if (::fsync(fd.get()) != 0)
        return fail(errno);
    if ((err = fd.reset()) != 0)
        return fail(err);
    // rename() replaces the entry itself: a link at a side file's name is
    // replaced, never followed.
    if (::rename(nativeTemp.constData(), nativeTarget.constData()) != 0)
        return fail(errno);
    return Result::success();
}

QString originOf(const QString &path)
{
    QByteArray value(4096, Qt::Uninitialized);
    const ssize_t n = ::lgetxattr(native(path).constData(), kOriginAttribute, value.data(), size_t(value.size()));
    if (n <= 0)
        return {};
    value.truncate(n);
    return QString::fromUtf8(value);
}

bool sameFile(const QString &a, const QString &b)
{
    if (a == b)
        return true;
    struct stat sa, sb;
    return ::stat(native(a).constData(), &sa) == 0 && ::stat(native(b).constData(), &sb) == 0
        && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

void removeStaleTemporaries(const QString &folder, const QStringList &names)
{
    static const QRegularExpression tail(QStringLiteral("^\\.[0-9a-z]{1,5}\\.([0-9]{1,10})$"));
    const QString dir = folder.isEmpty() ? QStringLiteral(".") : folder;
    const QStringList found = QDir(dir).entryList(QStringList{QStringLiteral(".*")},
                                                  QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString &entry : found) {
        for (const QString &name : names) {
            const QString prefix = QLatin1Char('.') + name;
            if (!entry.startsWith(prefix))
                continue;
            const QRegularExpressionMatch m = tail.match(QStringView(entry).mid(prefix.size()));
            if (!m.hasMatch())
                continue;
            const qint64 pid = m.captured(1).toLongLong();
            // kill(pid, 0) fails with ESRCH only when no such process exists.
            if (pid <= 0 || pid > std::numeric_limits<pid_t>::max()
                || ::kill(pid_t(pid), 0) == 0 || errno != ESRCH)
                continue;
            const QString path = QDir(dir).filePath(entry);
            struct stat st;
            if (::lstat(native(path).constData(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid())
                ::unlink(native(path).constData());
        }
    }
}

} // namespace fileio
