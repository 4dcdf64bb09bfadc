#include "programfixture.h"
#include "waiting.h"

#include <QImageReader>
#include <QThread>

#include <cstdio>

using namespace std::chrono_literals;

namespace {

// The alarm list at 5, 76 of the main window: its header, then rows.
constexpr int kListLeft = 5;
constexpr int kListTop = 76;
constexpr int kHeaderHeight = 24;
constexpr int kRowHeight = 21;
constexpr int kColumnLeft[] = {0, 50, 100, 235};

} // namespace

QDateTime ProgramTest::at(int hour, int minute, int second)
{
    return QDateTime(QDate(2026, 3, 4), QTime(hour, minute, second));
}

QMap<int, QImage> ProgramTest::iconFileImages()
{
    QImageReader file(QStringLiteral(TIKORA_SOURCE_DIR "/resources/tikora.ico"), "ico");
    QMap<int, QImage> images;
    for (int index = 0; index < file.imageCount() && file.jumpToImage(index); ++index) {
        // Qt's reader gives every image 32 bits; it notes the depth stored.
        if (const QImage image = file.read(); image.text(QStringLiteral("_q_icoOrigDepth")) == u"32")
            images.insert(image.width(), image.convertToFormat(QImage::Format_ARGB32));
    }
    return images;
}

void ProgramTest::SetUp()
{
    ASSERT_TRUE(m_desktop.isRunning()) << "the private X desktop did not start: " << m_desktop.failure().toStdString();
    ASSERT_TRUE(soundtest::pulseAudioInstalled()) << "pulseaudio and parec are needed (tools/install-deps.sh test)";
    m_pulse.emplace();
    ASSERT_TRUE(m_pulse->waitUntilReady(10s)) << m_pulse->log();
    m_recorder.emplace(m_pulse->address());
}

void ProgramTest::TearDown()
{
    m_program.reset();
    m_recorder.reset();
    m_pulse.reset();
}

void ProgramTest::startProgram(const QDateTime& fakeNow, const ProgramRun::Options& options)
{
    // On a busy machine the program has, rarely, shown no window within the
    // wait. Say what its threads were doing, then start it once more.
    for (int attempt = 1; attempt <= 2; ++attempt) {
        m_program
            = std::make_unique<ProgramRun>(m_desktop, QString::fromStdString(m_pulse->address()), fakeNow, options);
        ASSERT_TRUE(m_program->isRunning()) << "the program did not start";
        m_main = m_desktop.waitForWindow(QStringLiteral("Tikora~闹钟"));
        if (m_main != 0)
            return;
        std::fprintf(stderr, "no main window in 20 s (start %d); the program's threads:\n%s", attempt,
                     qPrintable(m_program->describeThreads()));
    }
    FAIL() << "the main window did not appear";
}

void ProgramTest::startWithAlarm(const QDateTime& fakeNow, const AlarmInput& alarm, const ProgramRun::Options& options)
{
    ASSERT_NO_FATAL_FAILURE(startProgram(fakeNow, options));
    ASSERT_NO_FATAL_FAILURE(addAlarm(alarm));
    ASSERT_TRUE(m_desktop.waitForNoWindow(QStringLiteral("添加闹钟"))) << "the editor did not close";
}

unsigned long ProgramTest::waitForRinging(int timeoutMs)
{
    return m_desktop.waitForWindow(QStringLiteral("闹钟1"), timeoutMs);
}

void ProgramTest::expectMainWindowCentred() const
{
    // Centred by its outer size of 380 × 215; the client area lies inside the
    // frame the window manager drew, a few pixels right of and below it.
    const QSize screen = m_desktop.screenSize();
    const QRect client = m_desktop.clientArea(m_main);
    EXPECT_EQ(client.size(), QSize(374, 183));
    EXPECT_NEAR(client.left(), (screen.width() - 380) / 2 + 3, 8);
    EXPECT_NEAR(client.top(), (screen.height() - 215) / 2 + 29, 30);
}

unsigned long ProgramTest::openAddEditor()
{
    m_desktop.click(m_main, centre::addButton[0], centre::addButton[1]);
    return m_desktop.waitForWindow(QStringLiteral("添加闹钟"));
}

void ProgramTest::addAlarm(const AlarmInput& alarm)
{
    const unsigned long editor = openAddEditor();
    ASSERT_NE(editor, 0UL) << "the editor did not open";
    if (!alarm.hour.isNull())
        m_desktop.replaceText(editor, centre::hourBox[0], centre::hourBox[1], alarm.hour);
    if (!alarm.minute.isNull())
        m_desktop.replaceText(editor, centre::minuteBox[0], centre::minuteBox[1], alarm.minute);
    if (alarm.shake)
        m_desktop.click(editor, centre::shakeBox[0], centre::shakeBox[1]);
    if (alarm.repeat)
        m_desktop.click(editor, alarm.repeat[0], alarm.repeat[1]);
    if (!alarm.note.isEmpty())
        m_desktop.replaceText(editor, centre::noteBox[0], centre::noteBox[1], alarm.note);
    m_desktop.click(editor, centre::confirmButton[0], centre::confirmButton[1]);
}

void ProgramTest::openListMenu(int row)
{
    const int y = kListTop + kHeaderHeight + row * kRowHeight + kRowHeight / 2;
    m_desktop.click(m_main, kListLeft + 25, y, 1);
    m_desktop.click(m_main, kListLeft + 25, y, 3);
    QThread::msleep(300);
}

void ProgramTest::chooseFromListMenu(int row, int item)
{
    openListMenu(row);
    QStringList keys;
    for (int step = 0; step <= item; ++step)
        keys << QStringLiteral("Down");
    keys << QStringLiteral("Return");
    m_desktop.key(keys);
}

QString ProgramTest::listCell(int row, int column)
{
    // Only three rows fit in the list: the first row is clicked in the
    // column, and the keyboard moves down to the row (or past the last one,
    // where it stops).
    QStringList keys;
    for (int step = 0; step < (row < 0 ? 6 : row); ++step)
        keys << QStringLiteral("Down");
    return m_desktop.copyText(m_main, kListLeft + kColumnLeft[column] + 10, kListTop + kHeaderHeight + kRowHeight / 2, keys);
}

bool ProgramTest::soundHeardAfter(Clock::time_point since, std::chrono::milliseconds timeout) const
{
    return testsupport::waitUntil([&] { return m_recorder->firstLoud(since).has_value(); }, timeout,
                                  std::chrono::milliseconds(20));
}

bool ProgramTest::answerMessageBox(const QString& title)
{
    const unsigned long box = m_desktop.waitForWindow(title);
    if (box == 0)
        return false;
    m_desktop.keyInWindow(box, {QStringLiteral("Return")});
    return m_desktop.waitForNoWindow(title);
}
