#include "ui/editor/editorhandlers.h"

#include "core/alarmtable.h"
#include "host/commands.h"
#include "host/runtime.h"
#include "ui/editor/editorwindowlayout.h"
#include "ui/editor/repeatchoice.h"
#include "ui/main/mainwindowlayout.h"

#include <cstdint>
#include <limits>
#include <string>
#include <utility>

using namespace host;
using AlarmTable::AlarmColumn;
namespace cellText = AlarmTable::cellText;

namespace EditorWindow {
namespace {

enum class Mode { Add, Modify, None };

Mode mode()
{
    const Text label = readProperty(MainWindow::标签_修改闹钟, prop::caption).toText();
    if (label == addMode())
        return Mode::Add;
    if (label == modifyMode())
        return Mode::Modify;
    return Mode::None;
}

Text textOf(UnitRef box)
{
    return readProperty(box, prop::content).toText();
}

void setText(UnitRef box, const Text& text)
{
    writeProperty(box, prop::content, Value(text));
}

bool isChecked(UnitRef box)
{
    return readProperty(box, prop::checked).toBool();
}

void setChecked(UnitRef box, bool checked)
{
    writeProperty(box, prop::checked, Value(checked));
}

const Text& colon()
{
    static const Text text = ":"_t;
    return text;
}

// The ring time as the two boxes show it, unpadded like the clock text the
// due check compares it with.
Text ringTime()
{
    return textOf(编辑框_小时) + colon() + textOf(编辑框_分钟);
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
        .enabled = isChecked(选择框_启动闹钟) ? cellText::enabled() : cellText::disabled(),
        .repeat = RepeatChoice::chosenText(),
        .note = textOf(编辑框_备注),
        .music = isChecked(选择框_自定音乐) ? textOf(编辑框_自定音乐) : cellText::defaultMusic(),
        .vibrate = isChecked(选择框_振动) ? cellText::shake() : cellText::noShake(),
    };
}

// Proposes the next minute. At 23:59 that is 0:00 of the next day, which can
// come due, and not an hour 24 that never would.
void fillForAdd()
{
    writeProperty(window, prop::caption, Value("添加闹钟"_t));
    const DateTime moment = now();
    hourCounter = hourOf(moment);
    minuteCounter = minuteOf(moment);
    int hour = hourCounter;
    int minute = minuteCounter + 1;
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
    writeProperty(window, prop::caption, Value("修改闹钟"_t));
    const int row = AlarmTable::selectedRow();
    const auto [hour, minute] = splitRingTime(AlarmTable::cell(row, AlarmColumn::RingTime));
    setText(编辑框_小时, hour);
    setText(编辑框_分钟, minute);
    // The spinners step from the alarm's own time.
    hourCounter = toInteger(Value(hour));
    minuteCounter = toInteger(Value(minute));

    setText(编辑框_备注, AlarmTable::cell(row, AlarmColumn::Note));
    setChecked(选择框_启动闹钟, AlarmTable::cell(row, AlarmColumn::Enabled) == cellText::enabled());
    const Text music = AlarmTable::cell(row, AlarmColumn::Music);
    const bool customMusic = music != cellText::defaultMusic();
    setChecked(选择框_自定音乐, customMusic);
    if (customMusic)
        setText(编辑框_自定音乐, music);
    // Setting the box from here raises no click, so the frame is set to match it.
    writeProperty(分组框3, prop::disabled, Value(!customMusic));
    setChecked(选择框_振动, AlarmTable::cell(row, AlarmColumn::Vibrate) == cellText::shake());
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

const Text& addMode()
{
    static const Text text = "添加"_t;
    return text;
}

const Text& modifyMode()
{
    static const Text text = "修改"_t;
    return text;
}

void editorCreated()
{
    switch (mode()) {
    case Mode::Add: fillForAdd(); break;
    case Mode::Modify: fillForModify(); break;
    case Mode::None: break;
    }
}

void hourSpun(int step)
{
    spin(hourCounter, step, 编辑框_小时);
}

void minuteSpun(int step)
{
    spin(minuteCounter, step, 编辑框_分钟);
}

void onceChosen()
{
    RepeatChoice::checkDays(RepeatChoice::Days::None);
}

void everyDayChosen()
{
    RepeatChoice::checkDays(RepeatChoice::Days::All);
}

void workingDaysChosen()
{
    RepeatChoice::checkDays(RepeatChoice::Days::WorkingDays);
}

void customMusicClicked()
{
    writeProperty(分组框3, prop::disabled, Value(!isChecked(选择框_自定音乐)));
}

void browseClicked()
{
    if (mode() == Mode::None)
        return;
    // A cancelled dialog leaves the path as it was: in modify mode it is the
    // alarm's own file.
    if (openDialog(通用对话框1))
        setText(编辑框_自定音乐, readProperty(通用对话框1, prop::fileName).toText());
}

void confirmClicked()
{
    switch (mode()) {
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
        RepeatChoice::checkDays(RepeatChoice::Days::All);
    if (isChecked(单选框_单次))
        RepeatChoice::checkDays(RepeatChoice::Days::None);
}

} // namespace EditorWindow
