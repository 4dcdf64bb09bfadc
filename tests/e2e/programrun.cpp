#include "programrun.h"

#include "desktopsession.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <cstdio>

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
    const QString binary = QString::fromStdString(m_folder.file("tikora"));
    QFile::copy(QStringLiteral(TIKORA_BINARY), binary);
    QFile::setPermissions(binary, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // The clock is read from a file on every call, so that the test can move
    // it and change its speed while the program runs; the faketime wrapper's
    // own variable would take precedence over the file, so the library is
    // preloaded directly. Monotonic time, which Qt's timers run on, stays
    // real unless everything is to go faster.
    m_clockFile = QString::fromStdString(m_folder.file("clock"));
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

    const QStringList command = options.command.isEmpty() ? QStringList{binary} + options.arguments : options.command;
    m_process = std::make_unique<testsupport::ProcessGroup>(
        commandOf(command.first(), command.mid(1)),
        testsupport::ProcessGroup::Options{.environment = environmentOf(environment), .workingFolder = "/"});
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
    return m_process->waitForExit(std::chrono::milliseconds(timeoutMs)) == 0;
}

QString ProgramRun::describeThreads() const
{
    const QString process = QStringLiteral("/proc/%1/task").arg(m_process->pid());
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
    m_process->signal(signalNumber);
    return m_process->waitForExit(std::chrono::milliseconds(timeoutMs)).has_value();
}

void ProgramRun::stop()
{
    m_process->stop();
}
