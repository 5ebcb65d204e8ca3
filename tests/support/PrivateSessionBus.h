#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QTemporaryDir>

// A dbus-daemon of the test's own, so no test ever reaches the user's session
// bus. It knows no service files: calls to absent names fail at once.
class PrivateSessionBus {
public:
    PrivateSessionBus();
    ~PrivateSessionBus();

    bool isRunning() const { return !m_address.isEmpty(); }
    const QString &address() const { return m_address; }
    // A new connection to the bus, under a name unique to this process.
    QDBusConnection connect(const QString &name) const;

private:
    QTemporaryDir m_directory;
    QProcess m_daemon;
    QString m_address;
    mutable QStringList m_connectionNames;
};
