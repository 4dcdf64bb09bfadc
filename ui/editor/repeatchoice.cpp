#include "ui/editor/repeatchoice.h"

#include "core/alarmtable.h"
#include "host/commands.h"
#include "host/runtime/unitvalues.h"
#include "ui/editor/editorwindowlayout.h"

#include <array>
#include <cstddef>

using namespace host;
using namespace EditorWindow;
namespace cellText = AlarmTable::cellText;

namespace RepeatChoice {
namespace {

// Monday first, as the custom text lists them.
constexpr std::array<UnitRef, 7> kWeekdays{选择框_星期一, 选择框_星期二, 选择框_星期三, 选择框_星期四,
                                           选择框_星期五, 选择框_星期六, 选择框_星期日};

// A radio box written from code does not uncheck its siblings, so all four are written.
void select(UnitRef chosen)
{
    for (UnitRef radio : {单选框_单次, 单选框_每天, 单选框_工作日, 单选框_自定})
        setChecked(radio, radio == chosen);
}

Text customText()
{
    writeProperty(编辑框_重复, prop::content, Value(cellText::chosenDays.text()));
    for (std::size_t weekday = 0; weekday < kWeekdays.size(); ++weekday) {
        if (isChecked(kWeekdays[weekday]))
            appendEditText(编辑框_重复, {cellText::dayPieces[weekday].text()});
    }
    return readProperty(编辑框_重复, prop::content).toText();
}

} // namespace

Text chosenText()
{
    if (isChecked(单选框_单次))
        return cellText::once;
    if (isChecked(单选框_工作日))
        return cellText::workingDays;
    if (isChecked(单选框_每天))
        return cellText::everyDay;
    if (isChecked(单选框_自定))
        return customText();
    return {};
}

// The days decide, so a rule reopens on the radio box that stands for its
// days however it was spelled ("星期、一、二、三、四、五" opens on 工作日).
void show(const Text& repeat)
{
    const AlarmTable::Weekdays days = AlarmTable::repeatDays(repeat);
    if (repeat == cellText::once)
        select(单选框_单次);
    else if (days == AlarmTable::kEveryDay)
        select(单选框_每天);
    else if (days == AlarmTable::kWorkingDays)
        select(单选框_工作日);
    else
        select(单选框_自定);
    checkDays(days);
}

void checkDays(AlarmTable::Weekdays days)
{
    for (std::size_t weekday = 0; weekday < kWeekdays.size(); ++weekday)
        setChecked(kWeekdays[weekday], days.test(weekday));
}

void uncheckWeekend()
{
    setChecked(选择框_星期六, false);
    setChecked(选择框_星期日, false);
}

} // namespace RepeatChoice
