#include "waylandcompositor.h"
#include "waiting.h"

#include "desktopsession.h"

#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

const QString kSocket = QStringLiteral("wayland-1");

} // namespace

WaylandCompositor::WaylandCompositor()
{
    const QString weston = QStandardPaths::findExecutable(QStringLiteral("weston"));
    if (weston.isEmpty()) {
        m_failure = QStringLiteral("weston is not installed (tools/install-deps.sh test)");
        return;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime());
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    // Weston writes to its log; what ends up on standard error (weston's
    // complaints before the log is open, its helpers' when it ends before
    // them) is shown only when it did not come up.
    const std::string errors = m_runtime.file("weston.errors");
    m_process = std::make_unique<testsupport::ProcessGroup>(
        commandOf(weston, {QStringLiteral("--backend=headless-backend.so"), QStringLiteral("--socket=") + kSocket,
                           QStringLiteral("--no-config"), QStringLiteral("--idle-time=0"),
                           QStringLiteral("--logger-scopes=log,proto"),
                           QStringLiteral("--log=") + runtime() + QStringLiteral("/weston.log")}),
        testsupport::ProcessGroup::Options{.environment = environmentOf(environment),
                                           .errorFile = errors});
    const QString socket = runtime() + u'/' + kSocket;
    testsupport::waitUntil([&] { return QFile::exists(socket) || !m_process->isRunning(); }, std::chrono::seconds(20),
                           std::chrono::milliseconds(50));
    if (!m_process->isRunning() || !QFile::exists(socket))
        m_failure = QStringLiteral("weston did not come up:\n") +
                    QString::fromStdString(testsupport::readFile(errors)) + log().right(2000);
}

WaylandCompositor::~WaylandCompositor() = default;

QString WaylandCompositor::runtime() const
{
    return QString::fromStdString(m_runtime.path());
}

QProcessEnvironment WaylandCompositor::sessionEnvironment() const
{
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime());
    environment.insert(QStringLiteral("WAYLAND_DISPLAY"), kSocket);
    environment.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
    return environment;
}

QString WaylandCompositor::log() const
{
    QFile file(runtime() + QStringLiteral("/weston.log"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool WaylandCompositor::waitForWindow(const QString& title, int frames, int timeoutMs) const
{
    // The log's lines name the client and its objects, such as
    //   client 0x55… rq xdg_wm_base@3.get_xdg_surface(new id xdg_surface@13, wl_surface@7)
    //   client 0x55… rq xdg_surface@13.get_toplevel(new id xdg_toplevel@14)
    //   client 0x55… rq xdg_toplevel@14.set_title("…")
    //   client 0x55… rq wl_surface@7.attach(wl_buffer@19, 0, 0)
    // and are followed back from the title to the surface, whose attached
    // buffers are the frames drawn.
    const auto captured = [](const QString& text, const QString& pattern) {
        return QRegularExpression(pattern).match(text).captured(1);
    };
    const QString titled = QStringLiteral("client (\\S+) rq xdg_toplevel@(\\d+)\\.set_title\\(\"%1\"\\)")
                               .arg(QRegularExpression::escape(title));
    return testsupport::waitUntil([&] {
        const QString text = log();
        const auto named = QRegularExpression(titled).match(text);
        const QString client = named.captured(1);
        const QString xdgSurface = captured(
            text, QStringLiteral("client %1 rq xdg_surface@(\\d+)\\.get_toplevel\\(new id xdg_toplevel@%2\\)")
                      .arg(client, named.captured(2)));
        const QString surface = captured(
            text, QStringLiteral("client %1 rq \\S+\\.get_xdg_surface\\(new id xdg_surface@%2, wl_surface@(\\d+)\\)")
                      .arg(client, xdgSurface));
        const QString frame = QStringLiteral("client %1 rq wl_surface@%2.attach(wl_buffer@").arg(client, surface);
        return named.hasMatch() && !surface.isEmpty() && text.count(frame) >= frames;
    }, std::chrono::milliseconds(timeoutMs), std::chrono::milliseconds(100));
}
