#pragma once

// A private Wayland desktop for tests: the weston compositor without a screen
// (its headless backend) in a runtime folder of its own, so that its socket
// name cannot clash with anyone else's. Weston records the protocol of every
// client in its log, which is how a test sees the windows a program shows
// there. Weston and the helpers it starts run in a process group of their
// own, which the destructor ends by its id.

#include "processgroup.h"
#include "temporaryfolder.h"

#include <QProcessEnvironment>
#include <QString>

#include <memory>

class WaylandCompositor final
{
public:
    WaylandCompositor();
    ~WaylandCompositor();
    WaylandCompositor(const WaylandCompositor&) = delete;
    WaylandCompositor& operator=(const WaylandCompositor&) = delete;

    /// Whether the compositor is up and takes clients.
    bool isRunning() const { return m_failure.isEmpty(); }
    /// Why it did not come up, when it did not.
    const QString& failure() const { return m_failure; }
    /// What a program of a Wayland session finds in its environment.
    QProcessEnvironment sessionEnvironment() const;

    /// Waits until a client has a top-level window whose title is `title` and
    /// has drawn it `frames` times; false when that did not happen in time.
    bool waitForWindow(const QString& title, int frames, int timeoutMs = 20000) const;

private:
    QString runtime() const;
    QString log() const;

    testsupport::TemporaryFolder m_runtime;
    QString m_failure;
    std::unique_ptr<testsupport::ProcessGroup> m_process;
};
