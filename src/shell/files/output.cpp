#include "shell/files/output.h"

#include <QCoreApplication>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Qt's file classes take names as QString, and Qt 6 decodes names as UTF-8, which
// cannot give back a name that is not; so output is written with the bytes as given.

namespace {

QString reason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

std::optional<QString> writeAll(int fd, const QByteArray& data)
{
    const char* at = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, at, size_t(left));
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return reason(errno);
        at += written;
        left -= written;
    }
    return std::nullopt;
}

// `truncate`: a regular file shared by hard links loses its old content; a device or
// a FIFO has none to lose.
std::optional<QString> writeInPlace(const QByteArray& name, const QByteArray& data, bool truncate)
{
    const int fd = ::open(name.constData(), O_WRONLY | O_CLOEXEC | (truncate ? O_TRUNC : 0));
    if (fd < 0) return reason(errno);
    std::optional<QString> failure = writeAll(fd, data);
    if (::close(fd) != 0 && !failure) failure = reason(errno);
    return failure;
}

// Mode bits a new file gets: what the user's umask allows of rw for everyone.
mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The temporary file being written, for the signal handler to remove; empty when none.
// A fixed buffer, since a handler may not allocate.
char pendingTemporary[PATH_MAX + 1];

void removeTemporaryAndEnd(int signal)
{
    if (pendingTemporary[0]) ::unlink(pendingTemporary);
    // SA_RESETHAND restored the default action; raised again, the signal ends the
    // program as it would have, once this handler returns.
    ::raise(signal);
}

// SIGINT and SIGTERM remove the temporary file while one exists; a signal the
// program ignores (a background job's SIGINT) stays ignored.
class TemporaryGuard {
public:
    TemporaryGuard()
    {
        struct sigaction action {};
        action.sa_handler = removeTemporaryAndEnd;
        action.sa_flags = SA_RESETHAND;
        sigemptyset(&action.sa_mask);
        for (int i = 0; i < 2; ++i) {
            ::sigaction(guardedSignals[i], nullptr, &previous[i]);
            if (previous[i].sa_handler != SIG_IGN) ::sigaction(guardedSignals[i], &action, nullptr);
        }
    }
    ~TemporaryGuard()
    {
        forget();
        for (int i = 0; i < 2; ++i) ::sigaction(guardedSignals[i], &previous[i], nullptr);
    }
    TemporaryGuard(const TemporaryGuard&) = delete;
    TemporaryGuard& operator=(const TemporaryGuard&) = delete;

    // Makes the temporary file from `pattern` with the signals held, so that no signal
    // falls between its making and its being remembered.
    int make(QByteArray& pattern)
    {
        const Blocked blocked;
        const int fd = ::mkstemp(pattern.data());
        if (fd >= 0 && size_t(pattern.size()) < sizeof pendingTemporary)
            std::memcpy(pendingTemporary, pattern.constData(), size_t(pattern.size()) + 1);
        return fd;
    }
    void forget()
    {
        const Blocked blocked;
        pendingTemporary[0] = '\0';
    }

private:
    struct Blocked {
        sigset_t old;
        Blocked()
        {
            sigset_t held;
            sigemptyset(&held);
            sigaddset(&held, SIGINT);
            sigaddset(&held, SIGTERM);
            ::sigprocmask(SIG_BLOCK, &held, &old);
        }
        ~Blocked() { ::sigprocmask(SIG_SETMASK, &old, nullptr); }
    };
    static constexpr int guardedSignals[2] = {SIGINT, SIGTERM};
    struct sigaction previous[2];
};

// The folder part of a name, with its slash: "" for a name in the current folder.
QByteArray folderOf(const QByteArray& name) { return name.left(name.lastIndexOf('/') + 1); }

// Gives the new file the replaced one's owner, group and mode where the process may:
// a user can give a file only a group of their own, and the set-id bits then go, as
// `cp -p` drops them.
bool keepOwnerAndMode(int fd, const struct stat* existing)
{
    if (!existing) return ::fchmod(fd, newFileMode()) == 0;
    mode_t mode = existing->st_mode & 07777;
    if (::fchown(fd, existing->st_uid, existing->st_gid) != 0) mode &= ~mode_t(S_ISUID | S_ISGID);
    return ::fchmod(fd, mode) == 0;
}

std::optional<QString> replaceAtomically(const QByteArray& name, const QByteArray& data, const struct stat* existing)
{
    // A short name beside the file: the file's own name may already be as long as the
    // file system allows.
    QByteArray temporary = folderOf(name) + ".velkora-XXXXXX";
    TemporaryGuard guard;
    const int fd = guard.make(temporary);
    if (fd < 0) return reason(errno);
    std::optional<QString> failure = writeAll(fd, data);
    if (!failure && (!keepOwnerAndMode(fd, existing) || ::fsync(fd) != 0)) failure = reason(errno);
    if (::close(fd) != 0 && !failure) failure = reason(errno);
    if (!failure && ::rename(temporary.constData(), name.constData()) != 0) failure = reason(errno);
    if (failure) ::unlink(temporary.constData());
    return failure;
}

// The file a symbolic link leads to, as a name that is no link.
std::optional<QByteArray> linkTarget(const QByteArray& name)
{
    char* resolved = ::realpath(name.constData(), nullptr);
    if (!resolved) return std::nullopt;
    QByteArray target(resolved);
    std::free(resolved);
    return target;
}

std::optional<QString> writeRegularFile(const QByteArray& name, const QByteArray& data, const struct stat& info)
{
    // As `cp`: write permission is the file's own, not its folder's; root has it anyway.
    if (::faccessat(AT_FDCWD, name.constData(), W_OK, AT_EACCESS) != 0) return reason(errno);
    if (info.st_nlink > 1) return writeInPlace(name, data, true);
    return replaceAtomically(name, data, &info);
}

}  // namespace

std::optional<QString> writeOutput(const QByteArray& name, const QByteArray& data)
{
    if (name == "-") return writeAll(STDOUT_FILENO, data);
    struct stat own;
    if (::lstat(name.constData(), &own) != 0) {
        if (errno != ENOENT) return reason(errno);
        return replaceAtomically(name, data, nullptr);
    }
    struct stat info;
    if (::stat(name.constData(), &info) != 0) {
        if (errno == ENOENT)
            return QCoreApplication::translate("Output", "not writing through a dangling symbolic link");
        return reason(errno);
    }
    if (S_ISDIR(info.st_mode)) return reason(EISDIR);
    if (!S_ISREG(info.st_mode)) return writeInPlace(name, data, false);
    if (!S_ISLNK(own.st_mode)) return writeRegularFile(name, data, info);
    const std::optional<QByteArray> target = linkTarget(name);
    if (!target) return reason(errno);
    return writeRegularFile(*target, data, info);
}

std::optional<QString> makeFolders(const QByteArray& path)
{
    const std::filesystem::path folder(path.toStdString());  // bytes as they are, on this system
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!error && !std::filesystem::is_directory(folder, error) && !error) error = std::make_error_code(std::errc::not_a_directory);
    if (error) return QString::fromLocal8Bit(error.message());
    return std::nullopt;
}
