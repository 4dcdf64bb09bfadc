#include "alarmrows.h"

using namespace host;

void addAlarm(const char* ringTime, AlarmTable::AlarmFields alarm)
{
    AlarmTable::add(Text::fromUtf8(ringTime), alarm.enabled.isEmpty() ? fields("开启") : alarm);
}

std::vector<Text> column(AlarmTable::AlarmColumn which)
{
    std::vector<Text> cells;
    for (int row = 0; row < AlarmTable::count(); ++row)
        cells.push_back(AlarmTable::cell(row, which));
    return cells;
}

std::vector<Text> mirrors()
{
    std::vector<Text> texts;
    for (int slot = 1; slot <= AlarmTable::kSlots; ++slot)
        texts.push_back(AlarmTable::mirror(slot));
    return texts;
}

AlarmTable::AlarmFields fields(const char* enabled, const char* music, const char* vibrate, const char* note)
{
    return {.enabled = Text::fromUtf8(enabled), .repeat = AlarmTable::cellText::once, .note = Text::fromUtf8(note),
            .music = Text::fromUtf8(music), .vibrate = Text::fromUtf8(vibrate)};
}
