// Huge texts, as a user may paste into a note that then shows in the list and
// the ringing window: every unit takes them promptly and gives back what it holds.

#include "host/values/codec.h"
#include "host/runtime/runtime.h"
#include "host/commands/units.h"
#include "modalwatch.h"
#include "probewindows.h"
#include "unitdriver.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

using namespace host;
using namespace testwindows;

namespace {

// Four mebibytes: laying out a text this long takes the toolkit far longer than the deadline.
constexpr std::size_t kHuge = 4 << 20;
// Characters an edit box keeps of a longer text.
constexpr std::size_t kEditBoxHolds = 32767;

// Aborts the run when the UI thread is still busy after a generous deadline: a
// frozen toolkit call cannot be interrupted, and would otherwise hold the suite for minutes.
class Watchdog
{
public:
    explicit Watchdog(std::string what)
        : m_thread([this, what = std::move(what)] {
              std::unique_lock lock(m_mutex);
              if (!m_done.wait_for(lock, std::chrono::seconds(10), [this] { return m_finished; })) {
                  std::fprintf(stderr, "still busy after 10 s: %s\n", what.c_str());
                  std::abort();
              }
          })
    {
    }
    ~Watchdog()
    {
        {
            std::lock_guard lock(m_mutex);
            m_finished = true;
        }
        m_done.notify_one();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_finished = false;
    std::thread m_thread;
};

// About kHuge bytes of UTF-8: `pattern` over and over.
std::string hugeText(std::string_view pattern)
{
    std::string text;
    text.reserve(kHuge);
    while (text.size() + pattern.size() <= kHuge)
        text += pattern;
    return text;
}

struct Shape
{
    const char* name;
    const char* pattern;
};

constexpr Shape kShapes[] = {
    {"unbroken", "abcdefghijklmnopqrstuvwxyz"},
    {"spaced", "闹钟 alarm clock "},
    {"line-broken", "一行备注 a note on one line\n"},
};

struct Target
{
    const char* name;
    UnitRef unit;
};

constexpr Target kTargets[] = {
    {"window caption", Probe::window}, {"label", Probe::label}, {"button", Probe::button},
    {"check box", Probe::check}, {"group box", Probe::group}, {"line edit", Probe::edit},
    {"note box", Probe::note}, {"read-only note box", Probe::shownNote}, {"list cell", Probe::list},
};

bool isEditBox(UnitRef unit)
{
    return unit == Probe::edit || unit == Probe::note || unit == Probe::shownNote;
}

void write(UnitRef unit, const Text& text)
{
    if (unit == Probe::list)
        ASSERT_TRUE(listSetCell(Probe::list, 0, 0, text));
    else
        writeProperty(unit, isEditBox(unit) ? prop::content : prop::caption, text);
}

Text read(UnitRef unit)
{
    if (unit == Probe::list)
        return listGetCell(Probe::list, 0, 0);
    return readProperty(unit, isEditBox(unit) ? prop::content : prop::caption).toText();
}

// The first `characters` characters of a UTF-8 text.
std::string firstCharacters(const std::string& utf8, std::size_t characters)
{
    const QString text = QString::fromStdString(utf8);
    return characters < std::size_t(text.size()) ? text.left(qsizetype(characters)).toStdString() : utf8;
}

// Everything the window shows, painted now, as a user sees it after the write.
void paintWindow()
{
    QWidget* window = drive::widgetOf(Probe::window);
    window->repaint();
    QApplication::processEvents();
}

class LargeText : public LoadedProbe
{
protected:
    void SetUp() override
    {
        LoadedProbe::SetUp();
        ASSERT_EQ(listInsertRow(Probe::list, -1, "7:05"_t), 0);
    }
};

} // namespace

TEST_F(LargeText, EveryUnitTakesAHugeTextPromptlyAndGivesItBack)
{
    for (const Shape& shape : kShapes) {
        const std::string utf8 = hugeText(shape.pattern);
        const Text whole = Text::fromUtf8(utf8);
        const Text start = Text::fromUtf8(firstCharacters(utf8, kEditBoxHolds));
        for (const Target& target : kTargets) {
            SCOPED_TRACE(std::string(target.name) + ", " + shape.name);
            {
                Watchdog watchdog(std::string("writing a huge ") + shape.name + " text into the " + target.name);
                write(target.unit, whole);
                paintWindow();
            }
            const Text back = read(target.unit);
            EXPECT_TRUE(back == (isEditBox(target.unit) ? start : whole)) << "read back " << back.length() << " bytes";
        }
    }
}

TEST_F(LargeText, PastingAHugeTextKeepsWhatTheBoxHolds)
{
    const std::string text = hugeText(kShapes[0].pattern);
    QApplication::clipboard()->setText(QString::fromStdString(text));
    for (UnitRef box : {Probe::edit, Probe::note}) {
        writeProperty(box, prop::content, Text());
        QWidget* widget = drive::widgetOf(box);
        widget->setFocus();
        {
            Watchdog watchdog("pasting a huge text into an edit box");
            QTest::keyClick(widget, Qt::Key_V, Qt::ControlModifier);
            paintWindow();
        }
        EXPECT_EQ(read(box).toUtf8(), firstCharacters(text, kEditBoxHolds));
        // A full box refuses what is typed into it, by key or input method.
        drive::type(box, "z");
        QInputMethodEvent composed;
        composed.setCommitString(QStringLiteral("闹钟"));
        QApplication::sendEvent(widget, &composed);
        EXPECT_EQ(read(box).length(), int(kEditBoxHolds));
    }
}

TEST_F(LargeText, MenuWithHugeItemCaptionsPopsUpPromptly)
{
    // Three items, the separator among them: a menu lays out each of them when it opens.
    const Text caption = Text::fromUtf8(hugeText(kShapes[1].pattern));
    for (UnitRef item : {Probe::enable, Probe::separator, Probe::remove})
        writeProperty(item, menuProp::caption, caption);
    {
        Watchdog watchdog("popping up a menu with huge item captions");
        ModalWatch watch(ModalWatch::Kind::Popup, [](QWidget* popup) { popup->close(); });
        popupMenu(Probe::id, Probe::menu);
        EXPECT_TRUE(watch.seen());
    }
    EXPECT_TRUE(readProperty(Probe::enable, menuProp::caption).toText() == caption);
}
