#pragma once

// A private X desktop for tests that drive the real program: Xvfb on a free
// display with a small window manager, and helpers around xdotool, xprop and
// wmctrl. Everything started here is stopped by the destructor.

#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class DesktopSession final
{
public:
    DesktopSession();
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    /// Whether Xvfb and the window manager came up.
    bool isRunning() const { return m_running; }
    /// Why the desktop did not come up, when it did not.
    const QString& failure() const { return m_failure; }
    /// The display, such as ":93".
    const QString& display() const { return m_display; }
    /// The environment for programs that should appear on this desktop.
    QProcessEnvironment environment() const;

    /// Starts a program on the desktop; it is ended when the session ends.
    QProcess* start(const QString& program, const QStringList& arguments = {},
                    const QProcessEnvironment& extra = QProcessEnvironment());
    /// Runs a command on the desktop to its end and returns what it printed.
    QString run(const QString& program, const QStringList& arguments, int timeoutMs = 10000) const;

    /// Waits for a visible window of the process whose title contains `title`; its id or 0.
    unsigned long waitForWindow(const QString& title, int timeoutMs = 10000) const;
    /// The window's title, read from _NET_WM_NAME.
    QString windowTitle(unsigned long window) const;
    /// The window's WM_CLASS as instance and class.
    QStringList windowClass(unsigned long window) const;
    /// Asks the window manager to close the window, as its close box would.
    void closeWindow(unsigned long window) const;

private:
    bool m_running = false;
    QString m_display;
    QString m_failure;
    std::unique_ptr<QProcess> m_xvfb;
    std::unique_ptr<QProcess> m_windowManager;
    std::vector<std::unique_ptr<QProcess>> m_programs;
};
