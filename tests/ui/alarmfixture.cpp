#include "alarmfixture.h"

#include "host/commands.h"
#include "host/runtime/runtime.h"
#include "host/sound/audiooutput.h"
#include "host/sound/soundservice.h"
#include "mp3fixtures.h"
#include "ui/ring/ringwindowlayout.h"
#include "unitdriver.h"

#include <QFile>

#include <cstdlib>

using namespace host;

void AlarmFixture::SetUp()
{
    ASSERT_FALSE(m_files.path().empty());
    // The per-user copy of the default sound goes to this test's own folder.
    m_previousRuntimeFolder = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", m_files.path().c_str());
    setSleep([this](std::chrono::milliseconds slept) {
        m_sleeps.push_back(slept);
        if (m_duringSleep)
            m_duringSleep();
    });
    captureSound();
    ProgramWindows::SetUp();
}

void AlarmFixture::TearDown()
{
    ProgramWindows::TearDown();
    // Removing the player joins its threads, so no output outlives its log.
    stopAllSound();
    sound::setAudioOutputFactory({});
    for (const auto& log : m_logs)
        EXPECT_EQ(log->liveOutputs(), 0);
    m_logs.clear();
    setSleep({});
    if (m_previousRuntimeFolder.isNull())
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", m_previousRuntimeFolder);
}

sound::CaptureLog& AlarmFixture::captureSound(double speed)
{
    stopAllSound();
    m_logs.push_back(std::make_unique<sound::CaptureLog>(speed));
    sound::setAudioOutputFactory(m_logs.back()->factory());
    return *m_logs.back();
}

bool AlarmFixture::waitForSegments(std::size_t count)
{
    return sound().waitFor([count](const auto& segments) { return segments.size() >= count; }, std::chrono::seconds(5));
}

std::string AlarmFixture::ownMusic()
{
    const QString path = QString::fromStdString(m_files.file("own.mp3"));
    if (!QFile::exists(path)) {
        QFile file(path);
        const std::string bytes = soundtest::encodeMp3({.rate = 22050, .channels = 1, .frames = 22050});
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    return path.toStdString();
}

bool isBuiltInSound(const sound::CaptureLog::Segment& segment)
{
    return segment.rate == 44100 && segment.channels == 2;
}

bool isOwnMusic(const sound::CaptureLog::Segment& segment)
{
    return segment.rate == 22050 && segment.channels == 1;
}

RingWatch::RingWatch(std::function<void()> onOpen) : m_onOpen(std::move(onOpen))
{
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        QWidget* shown = isLoaded(RingWindow::id) ? drive::widgetOf(RingWindow::window) : nullptr;
        if (!shown || shown == m_last)
            return;
        m_last = shown;
        ++m_openings;
        m_onOpen();
    });
    m_timer.start(5);
}
