#include "ui/editor/repeatchoice.h"

#include "core/alarmtable.h"
#include "host/commands.h"
#include "host/unitvalues.h"
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

constinit const FixedText kCustomPrefix{"星期"};
constinit const std::array<FixedText, 7> kPieces{FixedText{"、一"}, FixedText{"、二"}, FixedText{"、三"}, FixedText{"、四"},
                                                 FixedText{"、五"}, FixedText{"、六"}, FixedText{"、日"}};
// The spellings of every day and of working days as a custom choice writes
// them; alarms stored that way open on 每天 and 工作日 too.
constinit const FixedText kEveryDaySpelledOut{"星期、一、二、三、四、五、六、日"};
constinit const FixedText kWorkingDaysSpelledOut{"星期、一、二、三、四、五"};

// A radio box written from code does not uncheck its siblings, so all four are written.
void select(UnitRef chosen)
{
    for (UnitRef radio : {单选框_单次, 单选框_每天, 单选框_工作日, 单选框_自定})
        setChecked(radio, radio == chosen);
}

Text customText()
{
    writeProperty(编辑框_重复, prop::content, Value(kCustomPrefix.text()));
    for (std::size_t weekday = 0; weekday < kWeekdays.size(); ++weekday) {
        if (isChecked(kWeekdays[weekday]))
            appendEditText(编辑框_重复, {kPieces[weekday].text()});
    }
    return readProperty(编辑框_重复, prop::content).toText();
}

// Checks the weekday boxes a custom text names. The pieces are read in order
// from just after "星期", whole characters at a time, and reading stops at the
// first text that is not the next piece.
void showCustom(const Text& repeat)
{
    std::array<bool, 7> named{};
    const std::string& bytes = repeat.bytes();
    const std::string& prefix = kCustomPrefix.text().bytes();
    if (bytes.starts_with(prefix)) {
        std::size_t position = prefix.size();
        for (std::size_t weekday = 0; weekday < kWeekdays.size(); ++weekday) {
            const std::string& piece = kPieces[weekday].text().bytes();
            if (bytes.compare(position, piece.size(), piece) == 0) {
                named[weekday] = true;
                position += piece.size();
            }
        }
    }
    for (std::size_t weekday = 0; weekday < kWeekdays.size(); ++weekday)
        setChecked(kWeekdays[weekday], named[weekday]);
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

void show(const Text& repeat)
{
    if (repeat == cellText::once) {
        select(单选框_单次);
        checkDays(Days::None);
    } else if (repeat == cellText::everyDay || repeat == kEveryDaySpelledOut) {
        select(单选框_每天);
        checkDays(Days::All);
    } else if (repeat == cellText::workingDays || repeat == kWorkingDaysSpelledOut) {
        select(单选框_工作日);
        checkDays(Days::WorkingDays);
    } else {
        select(单选框_自定);
        showCustom(repeat);
    }
}

void checkDays(Days days)
{
    for (std::size_t weekday = 0; weekday < kWeekdays.size(); ++weekday) {
        const bool weekend = weekday >= 5;
        setChecked(kWeekdays[weekday], days == Days::All || (days == Days::WorkingDays && !weekend));
    }
}

void uncheckWeekend()
{
    setChecked(选择框_星期六, false);
    setChecked(选择框_星期日, false);
}

} // namespace RepeatChoice
