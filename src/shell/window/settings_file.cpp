#include "shell/window/settings_file.h"

#include "shell/files/message_names.h"
#include "shell/files/std_streams.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {


// Its messages, in the reader's language.
struct SettingsMessages {
    Q_DECLARE_TR_FUNCTIONS(SettingsMessages)
};

// A name as a message shows it: escaped, so always valid UTF-8.
QString shown(const QByteArray& path) { return QString::fromUtf8(quotedName(path)); }

QString lastError() { return QString::fromLocal8Bit(std::strerror(errno)); }

QString withDefaults(const QByteArray& path, const QString& why)
{
    return SettingsMessages::tr("settings file %1 %2; the window starts with its defaults and saves none")
        .arg(shown(path), why);
}

// The regular file the settings path leads to, after its links; the path itself when
// nothing is there yet. Nothing, said why, when it leads anywhere else.
std::optional<QByteArray> regularFileAt(const QByteArray& path)
{
    struct stat own, target;
    if (::lstat(path.constData(), &own) != 0) {
        if (errno == ENOENT) return path;
        StdStreams::say(withDefaults(path, SettingsMessages::tr("cannot be looked at: %1").arg(lastError())));
        return std::nullopt;
    }
    if (::stat(path.constData(), &target) != 0) {
        StdStreams::say(withDefaults(path, SettingsMessages::tr("is a link to nothing")));
        return std::nullopt;
    }
    if (!S_ISREG(target.st_mode)) {
        StdStreams::say(withDefaults(path, SettingsMessages::tr("is not a regular file")));
        return std::nullopt;
    }
    char* resolved = ::realpath(path.constData(), nullptr);
    if (!resolved) return path;
    const QByteArray file(resolved);
    std::free(resolved);
    return file;
}

// What the file holds, read without waiting: a FIFO put there since it was looked at
// gives nothing rather than a window that never opens.
std::optional<QByteArray> contentsOf(const QByteArray& file)
{
    const int fd = ::open(file.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? std::optional(QByteArray()) : std::nullopt;
    struct stat info;
    QByteArray contents;
    bool sound = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    char chunk[65536];
    for (ssize_t got = 1; sound && got > 0;) {
        got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) got = 1;
        else if (got < 0) sound = false;
        else contents.append(chunk, got);
    }
    ::close(fd);
    return sound ? std::optional(contents) : std::nullopt;
}

// Settings are UTF-8 text of [section] lines and key=value lines; blank lines between.
bool isSettingsLine(const QByteArray& raw)
{
    const QByteArray line = raw.trimmed();
    if (line.isEmpty()) return true;
    if (line.startsWith('[')) return line.endsWith(']');
    return line.indexOf('=') > 0;
}

bool looksLikeSettings(const QByteArray& contents)
{
    if (QString::fromUtf8(contents).contains(QChar::ReplacementCharacter)) return false;
    for (const char c : contents)
        if ((uchar(c) < 0x20 && c != '\n' && c != '\r' && c != '\t') || c == 0x7f) return false;
    for (const QByteArray& line : contents.split('\n'))
        if (!isSettingsLine(line)) return false;
    return true;
}

// Moves the file to the first free NAME.broken, NAME.broken.1, ...: never over an
// earlier one, which may hold what the user wrote.
std::optional<QByteArray> setAside(const QByteArray& file)
{
    for (int n = 0;; ++n) {
        const QByteArray aside = file + ".broken" + (n ? '.' + QByteArray::number(n) : QByteArray());
        if (::renameat2(AT_FDCWD, file.constData(), AT_FDCWD, aside.constData(), RENAME_NOREPLACE) == 0) return aside;
        if (errno != EEXIST) return std::nullopt;
    }
}

bool unsavedReported = false;

}  // namespace

QByteArray SettingsFile::defaultPath()
{
    return QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)) +
           "/velkora/velkora.conf";
}

std::unique_ptr<QSettings> SettingsFile::open(const QByteArray& path)
{
    const std::optional<QByteArray> file = regularFileAt(path);
    if (!file) return nullptr;
    const std::optional<QByteArray> contents = contentsOf(*file);
    if (!contents) {
        StdStreams::say(withDefaults(path, SettingsMessages::tr("cannot be read: %1").arg(lastError())));
        return nullptr;
    }
    if (!looksLikeSettings(*contents)) {
        const std::optional<QByteArray> aside = setAside(*file);
        if (!aside) {
            StdStreams::say(withDefaults(path,
                             SettingsMessages::tr("holds no settings and cannot be set aside: %1").arg(lastError())));
            return nullptr;
        }
        StdStreams::say(SettingsMessages::tr("settings file %1 held no settings; it is kept as %2 and a fresh one started")
                .arg(shown(path), shown(*aside)));
    }
    return std::make_unique<QSettings>(QFile::decodeName(*file), QSettings::IniFormat);
}

void SettingsFile::save(QSettings& settings)
{
    settings.sync();
    if (settings.status() != QSettings::AccessError || unsavedReported) return;
    unsavedReported = true;
    StdStreams::say(SettingsMessages::tr("cannot save the settings in %1; the window will not remember its zoom and place")
            .arg(shown(QFile::encodeName(settings.fileName()))));
}
