#include "ui/editor/editorhandlers.h"

#include "core/alarmtable.h"
#include "core/editormode.h"
#include "host/commands.h"
#include "host/runtime/unitvalues.h"
#include "ui/editor/editorwindowlayout.h"
#include "ui/editor/repeatchoice.h"

#include <cstdint>
#include <limits>
#include <string>
#include <utility>

using namespace host;
using AlarmEditor::Mode;
using AlarmTable::AlarmColumn;
namespace cellText = AlarmTable::cellText;

namespace EditorWindow {
namespace {

constinit const FixedText kColon = ":"_t;
constinit const FixedText kAddCaption = "添加闹钟"_t;
constinit const FixedText kModifyCaption = "修改闹钟"_t;

// What the spinners count from. They belong to the program, not to one
// opening of the editor: opening it to add sets them from the clock, opening
// it to modify sets them from the alarm's time, and each spinner press steps
// them (without bounds) and shows the new value.
std::int32_t g_hourCounter = 0;
std::int32_t g_minuteCounter = 0;

// The ring time as the two boxes show it, unpadded like the clock text the
// due check compares it with.
Text ringTime()
{
    return textOf(编辑框_小时) + kColon.text() + textOf(编辑框_分钟);
}

// A ring time split at its colon, so "7:30" gives "7" and "30" whatever the
// number of digits. ':' never occurs inside a double-byte character.
std::pair<Text, Text> splitRingTime(const Text& ringTime)
{
    const std::string& bytes = ringTime.bytes();
    const std::size_t at = bytes.find(':');
    if (at == std::string::npos)
        return {ringTime, Text()};
    return {Text::fromBytes(bytes.substr(0, at)), Text::fromBytes(bytes.substr(at + 1))};
}

// The cells other than the ring time, from the option units.
AlarmTable::AlarmFields fields()
{
    return {
        .enabled = isChecked(选择框_启动闹钟) ? cellText::enabled : cellText::disabled,
        .repeat = RepeatChoice::chosenText(),
        .note = textOf(编辑框_备注),
        .music = isChecked(选择框_自定音乐) ? textOf(编辑框_自定音乐) : cellText::defaultMusic,
        .vibrate = isChecked(选择框_振动) ? cellText::shake : cellText::noShake,
    };
}

// Proposes the next minute. At 23:59 that is 0:00 of the next day, which can
// come due, and not an hour 24 that never would.
void fillForAdd()
{
    writeProperty(window, prop::caption, Value(kAddCaption.text()));
    const DateTime moment = now();
    g_hourCounter = hourOf(moment);
    g_minuteCounter = minuteOf(moment);
    int hour = g_hourCounter;
    int minute = g_minuteCounter + 1;
    if (minute == 60) {
        minute = 0;
        hour = (hour + 1) % 24;
    }
    setText(编辑框_小时, toText(Value(hour)));
    setText(编辑框_分钟, toText(Value(minute)));
}

// Shows the selected row as it is stored, so that confirming without a
// change writes the same alarm back.
void fillForModify()
{
    writeProperty(window, prop::caption, Value(kModifyCaption.text()));
    const int row = AlarmTable::selectedRow();
    const auto [hour, minute] = splitRingTime(AlarmTable::cell(row, AlarmColumn::RingTime));
    setText(编辑框_小时, hour);
    setText(编辑框_分钟, minute);
    // The spinners step from the alarm's own time.
    g_hourCounter = toInteger(Value(hour));
    g_minuteCounter = toInteger(Value(minute));

    setText(编辑框_备注, AlarmTable::cell(row, AlarmColumn::Note));
    setChecked(选择框_启动闹钟, AlarmTable::cell(row, AlarmColumn::Enabled) == cellText::enabled);
    const Text music = AlarmTable::cell(row, AlarmColumn::Music);
    const bool customMusic = music != cellText::defaultMusic;
    setChecked(选择框_自定音乐, customMusic);
    if (customMusic)
        setText(编辑框_自定音乐, music);
    // Setting the box from here raises no click, so the frame is set to match it.
    writeProperty(分组框3, prop::disabled, Value(!customMusic));
    setChecked(选择框_振动, AlarmTable::cell(row, AlarmColumn::Vibrate) == cellText::shake);
    RepeatChoice::show(AlarmTable::cell(row, AlarmColumn::Repeat));
}

// Steps a counter by +1 or -1 and shows it. The counters have no range, but
// at the ends of the integers a press does nothing rather than wrap around.
void spin(std::int32_t& counter, int step, UnitRef box)
{
    if (step != 1 && step != -1)
        return;
    if ((step > 0 && counter == std::numeric_limits<std::int32_t>::max()) ||
        (step < 0 && counter == std::numeric_limits<std::int32_t>::min()))
        return;
    counter += step;
    setText(box, toText(Value(counter)));
}

} // namespace

void editorCreated()
{
    switch (AlarmEditor::mode()) {
    case Mode::Add: fillForAdd(); break;
    case Mode::Modify: fillForModify(); break;
    case Mode::None: break;
    }
}

void hourSpun(int step)
{
    spin(g_hourCounter, step, 编辑框_小时);
}

void minuteSpun(int step)
{
    spin(g_minuteCounter, step, 编辑框_分钟);
}

void onceChosen()
{
    RepeatChoice::checkDays(AlarmTable::Weekdays());
}

void everyDayChosen()
{
    RepeatChoice::checkDays(AlarmTable::kEveryDay);
}

void workingDaysChosen()
{
    RepeatChoice::checkDays(AlarmTable::kWorkingDays);
}

void customMusicClicked()
{
    writeProperty(分组框3, prop::disabled, Value(!isChecked(选择框_自定音乐)));
}

void browseClicked()
{
    if (AlarmEditor::mode() == Mode::None)
        return;
    // A cancelled dialog leaves the path as it was: in modify mode it is the
    // alarm's own file.
    if (openDialog(通用对话框1))
        setText(编辑框_自定音乐, readProperty(通用对话框1, prop::fileName).toText());
}

void confirmClicked()
{
    switch (AlarmEditor::mode()) {
    case Mode::Add: AlarmTable::add(ringTime(), fields()); break;
    case Mode::Modify: AlarmTable::rewrite(AlarmTable::selectedRow(), ringTime(), fields()); break;
    case Mode::None: return;
    }
    closeWindow(id);
}

void cancelClicked()
{
    closeWindow(id);
}

void weekdaySyncTick()
{
    if (isChecked(单选框_工作日))
        RepeatChoice::uncheckWeekend();
    if (isChecked(单选框_每天))
        RepeatChoice::checkDays(AlarmTable::kEveryDay);
    if (isChecked(单选框_单次))
        RepeatChoice::checkDays(AlarmTable::Weekdays());
}

} // namespace EditorWindow
