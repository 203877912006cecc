#include "shell/cli/display_probe.h"

#include "shell/files/message_names.h"

#include <QCoreApplication>
#include <QList>
#include <dlfcn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <cstring>

namespace {

// The probe's connection to the X server, held until the program ends and let go then.
struct HeldConnection {
    void* connection = nullptr;
    void (*disconnect)(void*) = nullptr;
    ~HeldConnection()
    {
        if (connection) disconnect(connection);
    }
    HeldConnection() = default;
    HeldConnection(const HeldConnection&) = delete;
    HeldConnection& operator=(const HeldConnection&) = delete;
};
HeldConnection held;

// The X server is asked through the library the toolkit's own X plugin connects with,
// so the display name, the authority file and the transport are read just as it reads them.
// A server that has no other client resets when the last one leaves, refusing connections
// meanwhile: so the probe's connection stays open until the program ends.
bool xServerAnswers(const QByteArray& display)
{
    void* xcb = ::dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL);
    if (!xcb) return false;
    using Connect = void* (*)(const char*, int*);
    using HasError = int (*)(void*);
    using Disconnect = void (*)(void*);
    const auto connect = reinterpret_cast<Connect>(::dlsym(xcb, "xcb_connect"));
    const auto hasError = reinterpret_cast<HasError>(::dlsym(xcb, "xcb_connection_has_error"));
    const auto disconnect = reinterpret_cast<Disconnect>(::dlsym(xcb, "xcb_disconnect"));
    if (!connect || !hasError || !disconnect) return false;
    void* connection = connect(display.constData(), nullptr);
    if (hasError(connection) == 0) {
        held.connection = connection;
        held.disconnect = disconnect;
        return true;
    }
    disconnect(connection);  // frees the connection object of the failed attempt
    return false;
}

// A Wayland compositor has no authentication: a socket that accepts is one that answers.
bool waylandAnswers(const QByteArray& display)
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray path = display.startsWith('/') ? display : runtime + '/' + display;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if ((!display.startsWith('/') && runtime.isEmpty()) || size_t(path.size()) >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool answers = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return answers;
}

DisplayProblem unanswered(const QByteArray& display) { return DisplayProblem{display}; }

}  // namespace

QString DisplayProblem::message() const
{
    if (unreachable.isEmpty())
        return QCoreApplication::translate(
            "Cli", "no display to open the window on; set DISPLAY, or use the headless commands (velkora --help)");
    return QCoreApplication::translate("Cli",
                                       "cannot reach the display %1; the headless commands work without one "
                                       "(velkora --help)")
        .arg(QString::fromUtf8(quotedName(unreachable)));
}

std::optional<DisplayProblem> displayProblem()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM").split(':').first();  // "xcb:option" is xcb
    const QByteArray x = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    if (platform == "xcb") return xServerAnswers(x) ? std::nullopt : std::optional(unanswered(x));
    if (platform == "wayland") return waylandAnswers(wayland) ? std::nullopt : std::optional(unanswered(wayland));
    if (!platform.isEmpty()) return std::nullopt;  // a platform of the user's choosing, as offscreen or vnc
    if (x.isEmpty() && wayland.isEmpty()) return DisplayProblem{};
    if (!x.isEmpty() && xServerAnswers(x)) return std::nullopt;
    if (!wayland.isEmpty() && waylandAnswers(wayland)) {
        qputenv("QT_QPA_PLATFORM", "wayland");
        return std::nullopt;
    }
    return unanswered(x.isEmpty() ? wayland : x);
}
