#pragma once
// The desktop's colour scheme as the freedesktop settings portal tells it (the
// org.freedesktop.appearance color-scheme setting), read once when asked to follow it and
// followed while it changes. Without a session bus or a portal it is "no preference".
#include <QObject>

class QDBusMessage;

class SystemColourScheme : public QObject {
    Q_OBJECT

public:
    // As the portal numbers them.
    enum Scheme { NoPreference = 0, PreferDark = 1, PreferLight = 2 };

    explicit SystemColourScheme(QObject* parent = nullptr);

    // Asks the portal and listens for its changes, from the first call on.
    void follow();
    Scheme scheme() const { return scheme_; }

signals:
    void changed(SystemColourScheme::Scheme scheme);

private slots:
    void settingChanged(const QDBusMessage& message);

private:
    void ask(const char* method);
    void take(const QVariant& value);

    Scheme scheme_ = NoPreference;
    bool following_ = false;
};
