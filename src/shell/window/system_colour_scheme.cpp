#include "shell/window/system_colour_scheme.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

using namespace Qt::StringLiterals;

namespace {
const QString portalService = u"org.freedesktop.portal.Desktop"_s;
const QString portalPath = u"/org/freedesktop/portal/desktop"_s;
const QString settingsInterface = u"org.freedesktop.portal.Settings"_s;
const QString appearance = u"org.freedesktop.appearance"_s;
const QString colourSchemeKey = u"color-scheme"_s;

// Read answers with the value wrapped in one variant more than ReadOne; either way the
// innermost value is the setting.
QVariant unwrapped(QVariant value)
{
    while (value.userType() == qMetaTypeId<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    return value;
}
}  // namespace

SystemColourScheme::SystemColourScheme(QObject* parent) : QObject(parent) {}

void SystemColourScheme::follow()
{
    if (following_) return;
    following_ = true;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    // The whole message: a slot that names QDBusVariant is not connected before that type is
    // registered, which the first answer does, so the first window of a process missed every change.
    bus.connect(portalService, portalPath, settingsInterface, u"SettingChanged"_s, this,
                SLOT(settingChanged(QDBusMessage)));
    ask("ReadOne");
}

void SystemColourScheme::ask(const char* method)
{
    QDBusMessage call = QDBusMessage::createMethodCall(portalService, portalPath, settingsInterface, QLatin1String(method));
    call << appearance << colourSchemeKey;
    // Asked without waiting: a portal that is slow to start must not hold up the window.
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    const bool first = qstrcmp(method, "ReadOne") == 0;
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, first] {
        watcher->deleteLater();
        const QDBusMessage reply = watcher->reply();
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
            return take(reply.arguments().constFirst());
        // Portals before version 2 of the interface have only Read.
        if (first) ask("Read");
    });
}

void SystemColourScheme::settingChanged(const QDBusMessage& message)
{
    const QList<QVariant> arguments = message.arguments();
    if (arguments.size() == 3 && arguments[0].toString() == appearance && arguments[1].toString() == colourSchemeKey)
        take(arguments[2]);
}

void SystemColourScheme::take(const QVariant& value)
{
    bool number = false;
    const uint read = unwrapped(value).toUInt(&number);
    // A value the portal may add later reads as no preference.
    const Scheme scheme = number && read <= uint(PreferLight) ? Scheme(read) : NoPreference;
    if (scheme == scheme_) return;
    scheme_ = scheme;
    emit changed(scheme_);
}
