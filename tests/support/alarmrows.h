#pragma once

// Filling and reading the alarm table in tests, through the alarm core alone.

#include "core/alarmtable.h"

#include <vector>

/// Adds an alarm as the editor confirms one: enabled, once, the default
/// sound and no shake unless `fields` says otherwise.
void addAlarm(const char* ringTime, AlarmTable::AlarmFields fields = {});
/// One column of the table, row by row.
std::vector<host::Text> column(AlarmTable::AlarmColumn which);
/// The five hidden mirror labels' captions, slot 1 first.
std::vector<host::Text> mirrors();
/// Fields with one change from the defaults of addAlarm.
AlarmTable::AlarmFields fields(const char* enabled, const char* music = "无", const char* vibrate = "假",
                               const char* note = "");
