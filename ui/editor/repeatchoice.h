#pragma once

// How the editor's repeat controls (four radio boxes and seven weekday boxes)
// map to and from the repeat text of an alarm.

#include "core/alarmtable.h"
#include "host/values/text.h"

namespace RepeatChoice {

/// The repeat text the controls stand for. A custom choice is spelled "星期"
/// followed by "、一" … "、日" for each checked weekday, Monday first, and is
/// built in the editor's hidden box 编辑框_重复.
host::Text chosenText();

/// Selects the radio box a stored repeat text stands for and checks the days
/// it names, so that chosenText() gives the same rule back.
void show(const host::Text& repeat);

/// Checks exactly the weekday boxes of `days`.
void checkDays(AlarmTable::Weekdays days);
/// Unchecks Saturday and Sunday, leaving Monday to Friday as they are.
void uncheckWeekend();

} // namespace RepeatChoice
