#include "programrun.h"

#include "desktopsession.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#ifndef TIKORA_BINARY
#error "TIKORA_BINARY must name the program under test"
#endif
#ifndef TIKORA_FAKETIME_LIBRARY
#error "TIKORA_FAKETIME_LIBRARY must name libfaketime's multi-threaded library"
#endif

ProgramRun::ProgramRun(const DesktopSession& desktop, const QString& pulseServer, const QDateTime& fakeNow,
                       const Options& options)
    : m_speed(options.speed)
{
    const QString binary = m_folder.filePath(QStringLiteral("tikora"));
    QFile::copy(QStringLiteral(TIKORA_BINARY), binary);
    QFile::setPermissions(binary, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // The clock is read from a file on every call, so that the test can move
    // it and change its speed while the program runs; the faketime wrapper's
    // own variable would take precedence over the file, so the library is
    // preloaded directly. Monotonic time, which Qt's timers run on, stays
    // real unless everything is to go faster.
    m_clockFile = m_folder.filePath(QStringLiteral("clock"));
    m_offsetSeconds = QDateTime::currentDateTime().secsTo(fakeNow);
    writeClock();
    QProcessEnvironment environment = desktop.environment();
    environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(TIKORA_FAKETIME_LIBRARY));
    environment.insert(QStringLiteral("FAKETIME_TIMESTAMP_FILE"), m_clockFile);
    environment.insert(QStringLiteral("FAKETIME_NO_CACHE"), QStringLiteral("1"));
    if (options.pace == Pace::WallClock)
        environment.insert(QStringLiteral("FAKETIME_DONT_FAKE_MONOTONIC"), QStringLiteral("1"));
    environment.insert(QStringLiteral("PULSE_SERVER"), pulseServer);
    environment.remove(QStringLiteral("FAKETIME"));
    for (const QString& key : options.environment.keys())
        environment.insert(key, options.environment.value(key));
    for (const QString& key : options.unset)
        environment.remove(key);

    m_process.setProcessEnvironment(environment);
    m_process.setProcessChannelMode(QProcess::ForwardedChannels);
    m_process.setWorkingDirectory(QStringLiteral("/"));
    if (options.command.isEmpty())
        startProcessGroup(m_process, binary, options.arguments);
    else
        startProcessGroup(m_process, options.command.first(), options.command.mid(1));
    m_process.waitForStarted(5000);
}

ProgramRun::~ProgramRun()
{
    stop();
}

void ProgramRun::setClock(const QDateTime& fakeNow)
{
    m_offsetSeconds = QDateTime::currentDateTime().secsTo(fakeNow);
    writeClock();
}

void ProgramRun::setSpeed(int factor)
{
    m_speed = factor;
    writeClock();
}

void ProgramRun::writeClock()
{
    // Written beside and renamed over, so that the program never reads half a line.
    const QString partial = m_clockFile + QStringLiteral(".new");
    QFile file(partial);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(QStringLiteral("%1%2 x%3\n")
                       .arg(m_offsetSeconds >= 0 ? QStringLiteral("+") : QString())
                       .arg(m_offsetSeconds)
                       .arg(m_speed)
                       .toUtf8());
        file.close();
        ::rename(QFile::encodeName(partial).constData(), QFile::encodeName(m_clockFile).constData());
    }
}

bool ProgramRun::waitForCleanExit(int timeoutMs)
{
    return m_process.waitForFinished(timeoutMs) && m_process.exitStatus() == QProcess::NormalExit &&
           m_process.exitCode() == 0;
}

QString ProgramRun::describeThreads() const
{
    const QString process = QStringLiteral("/proc/%1/task").arg(m_process.processId());
    const auto read = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QStringLiteral("?");
    };
    QString report;
    for (const QString& thread : QDir(process).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString folder = process + u'/' + thread;
        const QString state = read(folder + QStringLiteral("/stat")).section(u')', 1).section(u' ', 1, 1);
        report += QStringLiteral("  %1 %2 state %3 wchan %4 syscall %5\n")
                      .arg(thread, read(folder + QStringLiteral("/comm")), state, read(folder + QStringLiteral("/wchan")),
                           read(folder + QStringLiteral("/syscall")).section(u' ', 0, 0));
    }
    return report.isEmpty() ? QStringLiteral("  (the program has ended)\n") : report;
}

bool ProgramRun::signalAndWaitForEnd(int signalNumber, int timeoutMs)
{
    ::kill(static_cast<pid_t>(m_process.processId()), signalNumber);
    return m_process.waitForFinished(timeoutMs);
}

void startProcessGroup(QProcess& process, const QString& program, const QStringList& arguments)
{
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
    process.start(program, arguments);
}

void stopProcessGroup(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    const pid_t group = static_cast<pid_t>(process.processId());
    ::kill(-group, SIGTERM);
    if (!process.waitForFinished(5000)) {
        ::kill(-group, SIGKILL);
        process.waitForFinished(3000);
    }
}

void ProgramRun::stop()
{
    stopProcessGroup(m_process);
}
