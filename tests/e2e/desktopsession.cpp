#include "desktopsession.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QThread>

namespace {

void stop(QProcess* process)
{
    if (!process || process->state() == QProcess::NotRunning)
        return;
    process->terminate();
    if (!process->waitForFinished(3000)) {
        process->kill();
        process->waitForFinished(3000);
    }
}

} // namespace

DesktopSession::DesktopSession()
{
    // Xvfb picks a free display itself and writes its number to standard output.
    m_xvfb = std::make_unique<QProcess>();
    m_xvfb->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_xvfb->start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                           QStringLiteral("0"), QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"),
                                           QStringLiteral("tcp")});
    if (!m_xvfb->waitForStarted(5000))
        return;
    while (!m_xvfb->canReadLine()) {
        if (!m_xvfb->waitForReadyRead(10000))
            return;
    }
    m_display = QStringLiteral(":") + QString::fromUtf8(m_xvfb->readLine()).trimmed();
    QDeadlineTimer deadline(10000);
    while (run(QStringLiteral("xdpyinfo"), {}, 2000).isEmpty()) {
        if (deadline.hasExpired() || m_xvfb->state() == QProcess::NotRunning) {
            m_failure = QStringLiteral("Xvfb on %1 does not answer").arg(m_display);
            return;
        }
        QThread::msleep(50);
    }
    // Openbox now and then fails to open a display that has only just come up;
    // it is started again until it has claimed the screen.
    for (int attempt = 0; attempt < 5 && !m_running; ++attempt) {
        m_windowManager = std::make_unique<QProcess>();
        m_windowManager->setProcessEnvironment(environment());
        m_windowManager->start(QStringLiteral("openbox"), {});
        if (!m_windowManager->waitForStarted(5000))
            break;
        QDeadlineTimer claimed(3000);
        while (!claimed.hasExpired() && !m_windowManager->waitForFinished(0)) {
            if (run(QStringLiteral("wmctrl"), {QStringLiteral("-m")}, 2000).contains(QStringLiteral("Name:"))) {
                m_running = true;
                break;
            }
            QThread::msleep(50);
        }
        if (!m_running)
            stop(m_windowManager.get());
    }
    if (!m_running)
        m_failure = QStringLiteral("the window manager did not claim %1").arg(m_display);
}

DesktopSession::~DesktopSession()
{
    for (auto& program : m_programs)
        stop(program.get());
    stop(m_windowManager.get());
    stop(m_xvfb.get());
}

QProcessEnvironment DesktopSession::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    return environment;
}

QProcess* DesktopSession::start(const QString& program, const QStringList& arguments, const QProcessEnvironment& extra)
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = this->environment();
    for (const QString& key : extra.keys())
        environment.insert(key, extra.value(key));
    process->setProcessEnvironment(environment);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(program, arguments);
    process->waitForStarted(5000);
    m_programs.push_back(std::move(process));
    return m_programs.back().get();
}

QString DesktopSession::run(const QString& program, const QStringList& arguments, int timeoutMs) const
{
    QProcess process;
    process.setProcessEnvironment(environment());
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

unsigned long DesktopSession::waitForWindow(const QString& title, int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    do {
        const QString found = run(QStringLiteral("xdotool"),
                                  {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                                   QRegularExpression::escape(title)});
        const QStringList ids = found.split(u'\n', Qt::SkipEmptyParts);
        if (!ids.isEmpty())
            return ids.first().toULong();
        QThread::msleep(50);
    } while (!deadline.hasExpired());
    return 0;
}

QString DesktopSession::windowTitle(unsigned long window) const
{
    const QString line = run(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window),
                                                       QStringLiteral("_NET_WM_NAME")});
    const int quote = line.indexOf(u'"');
    return quote < 0 ? QString() : line.mid(quote + 1, line.lastIndexOf(u'"') - quote - 1);
}

QStringList DesktopSession::windowClass(unsigned long window) const
{
    const QString line = run(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window),
                                                       QStringLiteral("WM_CLASS")});
    // WM_CLASS is a Latin-1 property; xprop writes the other bytes as octal
    // escapes, which are put back here and read as UTF-8.
    QStringList parts;
    static const QRegularExpression quoted(QStringLiteral("\"([^\"]*)\""));
    for (const auto& match : quoted.globalMatch(line)) {
        const QString escaped = match.captured(1);
        QByteArray bytes;
        for (int index = 0; index < escaped.size(); ++index) {
            if (escaped[index] == u'\\' && index + 3 < escaped.size() && escaped.mid(index + 1, 3).toInt(nullptr, 8) > 0) {
                bytes.append(static_cast<char>(escaped.mid(index + 1, 3).toInt(nullptr, 8)));
                index += 3;
            } else {
                bytes.append(escaped[index].toLatin1());
            }
        }
        parts << QString::fromUtf8(bytes);
    }
    return parts;
}

void DesktopSession::closeWindow(unsigned long window) const
{
    run(QStringLiteral("wmctrl"), {QStringLiteral("-i"), QStringLiteral("-c"), QString::number(window)});
}
