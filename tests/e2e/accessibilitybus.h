#pragma once

// A private accessibility bus, as a desktop starts it for a screen reader: a
// session bus of its own and the AT-SPI bus launcher on it. A program started
// with environment() publishes its windows there, and tree() reads them the
// way a screen reader does, over D-Bus.

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

class AccessibilityBus final
{
public:
    AccessibilityBus();
    ~AccessibilityBus();
    AccessibilityBus(const AccessibilityBus&) = delete;
    AccessibilityBus& operator=(const AccessibilityBus&) = delete;

    /// Whether both buses are up; failure() says why not.
    bool isRunning() const { return !m_address.isEmpty(); }
    QString failure() const { return m_failure; }

    /// What a program needs in its environment to speak to a screen reader here.
    QProcessEnvironment environment() const;

    /// Every object the applications on the bus publish, depth first, one line
    /// each: "role|name|text" (text only for objects with a text of their own).
    QStringList tree() const;

private:
    QTemporaryDir m_runtime;
    QProcess m_sessionBus;
    QProcess m_launcher;
    QString m_sessionAddress;
    QString m_address;
    QString m_failure;
};
