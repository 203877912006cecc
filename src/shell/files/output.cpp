#include "shell/files/output.h"

#include <cerrno>
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

std::optional<QString> writeInPlace(const QByteArray& name, const QByteArray& data)
{
    const int fd = ::open(name.constData(), O_WRONLY | O_CLOEXEC);
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

std::optional<QString> replaceAtomically(const QByteArray& name, const QByteArray& data, const struct stat* existing)
{
    QByteArray temporary = name + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return reason(errno);
    std::optional<QString> failure = writeAll(fd, data);
    const mode_t mode = existing ? existing->st_mode & 07777 : newFileMode();
    if (!failure && (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0)) failure = reason(errno);
    if (::close(fd) != 0 && !failure) failure = reason(errno);
    if (!failure && ::rename(temporary.constData(), name.constData()) != 0) failure = reason(errno);
    if (failure) ::unlink(temporary.constData());
    return failure;
}

}  // namespace

std::optional<QString> writeOutput(const QByteArray& name, const QByteArray& data)
{
    if (name == "-") return writeAll(STDOUT_FILENO, data);
    struct stat info;
    const bool exists = ::stat(name.constData(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode)) return reason(EISDIR);
    if (exists && !S_ISREG(info.st_mode)) return writeInPlace(name, data);
    return replaceAtomically(name, data, exists ? &info : nullptr);
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
