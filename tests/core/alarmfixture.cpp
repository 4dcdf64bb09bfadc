#include "alarmfixture.h"

#include "core/ringwindowlayout.h"
#include "host/commands.h"
#include "host/runtime.h"
#include "host/sound/audiooutput.h"
#include "host/sound/soundservice.h"
#include "mp3fixtures.h"
#include "testwindows.h"
#include "unitdriver.h"
#include "ui/main/mainwindowlayout.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>

#include <cstdlib>

using namespace host;

void AlarmFixture::SetUp()
{
    ASSERT_TRUE(m_files.isValid());
    // The per-user copy of the default sound goes to this test's own folder.
    m_previousRuntimeFolder = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", m_files.path().toUtf8());
    setSleep([this](std::chrono::milliseconds slept) {
        m_sleeps.push_back(slept);
        if (m_duringSleep)
            m_duringSleep();
    });
    captureSound();
    setTime(12, 0);
    registerWindow(MainWindow::layout());
    registerWindow(RingWindow::layout());
    registerWindow(SettingsWindow::layout());
    ASSERT_TRUE(loadWindow(MainWindow::id));
}

void AlarmFixture::TearDown()
{
    for (WindowId window : {RingWindow::id, SettingsWindow::id, MainWindow::id}) {
        if (isLoaded(window))
            closeWindow(window, CloseMode::Immediate);
    }
    testwindows::pump(20);
    // Removing the player joins its threads, so no output outlives its log.
    stopAllSound();
    sound::setAudioOutputFactory({});
    for (const auto& log : m_logs)
        EXPECT_EQ(log->liveOutputs(), 0);
    m_logs.clear();
    setClock({});
    setSleep({});
    if (m_previousRuntimeFolder.isNull())
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", m_previousRuntimeFolder);
}

void AlarmFixture::setTime(int hour, int minute, int second)
{
    const DateTime moment = dateTimeOf(2026, 12, 8, hour, minute, second);
    setClock([moment] { return moment; });
}

void AlarmFixture::addAlarm(const char* ringTime, AlarmTable::AlarmFields alarm)
{
    AlarmTable::add(Text::fromUtf8(ringTime), alarm.enabled.isEmpty() ? fields("开启") : alarm);
}

std::vector<Text> AlarmFixture::column(AlarmTable::AlarmColumn which)
{
    std::vector<Text> cells;
    for (int row = 0; row < AlarmTable::count(); ++row)
        cells.push_back(AlarmTable::cell(row, which));
    return cells;
}

std::vector<Text> AlarmFixture::mirrors()
{
    std::vector<Text> texts;
    for (int slot = 1; slot <= AlarmTable::kSlots; ++slot)
        texts.push_back(AlarmTable::mirror(slot));
    return texts;
}

AlarmTable::AlarmFields AlarmFixture::fields(const char* enabled, const char* music, const char* vibrate, const char* note)
{
    return {.enabled = Text::fromUtf8(enabled), .repeat = AlarmTable::cellText::once(), .note = Text::fromUtf8(note),
            .music = Text::fromUtf8(music), .vibrate = Text::fromUtf8(vibrate)};
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
    const QString path = m_files.filePath("own.mp3");
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

BoxAnswerer::BoxAnswerer(Answer answer) : m_answer(answer)
{
    QObject::connect(&m_timer, &QTimer::timeout, [this] { check(); });
    m_timer.start(10);
}

void BoxAnswerer::check()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible() || box == m_last)
        return;
    m_last = box;
    m_shown.push_back({box->windowTitle(), box->text(), static_cast<int>(box->buttons().size())});
    QAbstractButton* button = box->button(m_answer == Answer::Ok ? QMessageBox::Ok : QMessageBox::Cancel);
    if (button)
        button->click();
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
