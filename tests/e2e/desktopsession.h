#pragma once

// A private X desktop for tests that drive the real program: tools/desktop.sh
// (Xvfb on a free display with a window manager), and helpers that act and
// look as a user would, through xdotool, xprop, xwininfo, wmctrl, xclip and
// import. Everything started here is stopped by the destructor.

#include "processgroup.h"
#include "temporaryfolder.h"

#include <QImage>
#include <QList>
#include <QProcessEnvironment>
#include <QRect>
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
    bool isRunning() const { return !m_display.isEmpty(); }
    /// Why the desktop did not come up, when it did not.
    const QString& failure() const { return m_failure; }
    /// The display, such as ":93".
    const QString& display() const { return m_display; }
    /// The environment for programs that should appear on this desktop.
    QProcessEnvironment environment() const;

    /// Starts a program on the desktop; it is ended when the session ends.
    testsupport::ProcessGroup* start(const QString& program, const QStringList& arguments = {},
                                     const QProcessEnvironment& extra = QProcessEnvironment());
    /// Runs a command on the desktop to its end and returns what it printed.
    QString run(const QString& program, const QStringList& arguments, int timeoutMs = 10000) const;

    /// Waits for a visible window whose title contains `title`; its id or 0.
    unsigned long waitForWindow(const QString& title, int timeoutMs = 20000) const;
    /// Waits until no visible window's title contains `title`.
    bool waitForNoWindow(const QString& title, int timeoutMs = 10000) const;
    /// The window's title, read from _NET_WM_NAME.
    QString windowTitle(unsigned long window) const;
    /// The window's WM_CLASS as instance and class.
    QStringList windowClass(unsigned long window) const;
    /// The images of the window's _NET_WM_ICON, as the window manager reads them.
    QList<QImage> windowIcons(unsigned long window) const;
    /// The atoms of the window's _NET_WM_STATE, such as "_NET_WM_STATE_ABOVE".
    QStringList windowState(unsigned long window) const;
    /// Whether the window is mapped (shown) right now.
    bool isViewable(unsigned long window) const;
    /// The client area of the window on the screen (without the frame).
    QRect clientArea(unsigned long window) const;
    /// The screen's size.
    QSize screenSize() const;
    /// Asks the window manager to close the window, as its close box would.
    void closeWindow(unsigned long window) const;

    /// Clicks with a mouse button at a point of the window's client area.
    void click(unsigned long window, int x, int y, int button = 1) const;
    /// Presses keys (xdotool names, such as "ctrl+a" or "Return") in the focused window.
    void key(const QStringList& keys) const;
    /// Types text, Chinese included, into the focused window.
    void type(const QString& text) const;
    /// Replaces the text of the edit box at a point of the window: click, select all,
    /// then type it (text outside the keyboard map is pasted).
    void replaceText(unsigned long window, int x, int y, const QString& text) const;
    /// Reads the text at a point of the window as a user would copy it: click,
    /// press `keys` (select all, or move through a list), copy, and read the clipboard.
    QString copyText(unsigned long window, int x, int y, const QStringList& keys = {QStringLiteral("ctrl+a")}) const;
    /// Presses keys in the window after making it the active one.
    void keyInWindow(unsigned long window, const QStringList& keys) const;
    /// Saves a picture of the whole screen as PNG; false when it failed.
    bool screenshot(const QString& path) const;

private:
    /// The ids of the visible windows whose title contains `title`.
    QStringList windowsTitled(const QString& title) const;
    /// Puts text in the clipboard, served until a program takes it over.
    void serveClipboard(const QString& text) const;

    QString m_display;
    QString m_failure;
    std::unique_ptr<testsupport::ProcessGroup> m_desktop;
    std::vector<std::unique_ptr<testsupport::ProcessGroup>> m_programs;
    testsupport::TemporaryFolder m_files;  // the texts put in the clipboard
};

/// A command and an environment as the process-group launcher takes them.
std::vector<std::string> commandOf(const QString& program, const QStringList& arguments = {});
std::vector<std::string> environmentOf(const QProcessEnvironment& environment);
