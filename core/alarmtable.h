#pragma once

// The alarm table: the rows of the main window's alarm list, one alarm a row,
// six text cells each, and the five hidden labels that mirror the ring times
// the due check compares against. It is the only store of alarms; nothing
// here keeps a copy, every call reads or writes the list through the host.
//
// This file is the one place that knows how an alarm is written into cells
// and labels: the cell texts, the slot names and which units belong to a slot.

#include "host/runtime/layout.h"
#include "host/values/text.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>

namespace AlarmTable {

/// The six cells of a row, in the list's column order.
enum class AlarmColumn { RingTime = 0, Enabled = 1, Repeat = 2, Note = 3, Music = 4, Vibrate = 5 };

/// The texts the cells hold, compared byte for byte by every reader.
namespace cellText {
using namespace host::literals;
inline constinit const host::FixedText enabled = "开启"_t;
inline constinit const host::FixedText disabled = "关闭"_t;
inline constinit const host::FixedText defaultMusic = "无"_t;  // the built-in sound
inline constinit const host::FixedText shake = "真"_t;
inline constinit const host::FixedText noShake = "假"_t;
inline constinit const host::FixedText once = "仅响一次"_t;
inline constinit const host::FixedText workingDays = "星期一、二、三、四、五"_t;
inline constinit const host::FixedText everyDay = "星期一、二、三、四、五、六、日"_t;
/// A chosen set of days: "星期", then the piece of each day, Monday first
/// ("星期、一、三" is Monday and Wednesday).
inline constinit const host::FixedText chosenDays = "星期"_t;
inline constinit const std::array<host::FixedText, 7> dayPieces{"、一"_t, "、二"_t, "、三"_t, "、四"_t,
                                                                "、五"_t, "、六"_t, "、日"_t};
} // namespace cellText

/// Days of the week, Monday (0) to Sunday (6).
using Weekdays = std::bitset<7>;
inline constexpr Weekdays kWorkingDays{0b0011111};
inline constexpr Weekdays kEveryDay{0b1111111};

/// The days a repeat text names. None for "仅响一次", for "星期" alone and for
/// any text the editor does not write: such an alarm rings once.
Weekdays repeatDays(const host::Text& repeat);

/// Slots 1 … 5 watch rows 0 … 4.
inline constexpr int kSlots = 5;

/// "闹钟1" … "闹钟5": how texts name the alarm of a slot.
const host::Text& slotName(int slot);
/// The hidden label that mirrors the ring time of a slot.
host::UnitRef mirrorOf(int slot);
/// The timer that runs the due check of a slot.
host::UnitRef slotTimerOf(int slot);
/// The ring time the slot's mirror holds (what the due check compares).
host::Text mirror(int slot);

/// What the due check remembers of the alarm in a slot. It watches until the
/// alarm rings; then a once alarm is retired for the run, and a repeating one
/// stays silent for the rest of the day it rang on and watches for its next
/// day. The memory belongs to the alarm in the slot's row and moves with it
/// when rows move up.
enum class SlotState { Watching, Retired, RangOnDay };
struct SlotMemory
{
    SlotState state = SlotState::Watching;
    /// The day it last rang on (as host::dayOf counts) and the clock's time
    /// then. A modify that makes it a new alarm keeps them, so that it never
    /// rings twice in one minute.
    std::optional<std::int32_t> rangOn;
    host::Text rangAt;
};
SlotMemory slotMemory(int slot);
/// Sets what a slot remembers; its timer runs unless it is retired.
void setSlotMemory(int slot, const SlotMemory& memory);
SlotState slotState(int slot);
/// Sets a slot's state, keeping when it last rang.
void setSlotState(int slot, SlotState state);
/// Every slot watches and remembers no ring, as when the main window opens.
void forgetRings();

/// Names `slot` as the one ringing, for the ringing window to read.
void setRingingSlot(int slot);
/// The text naming the ringing slot (the label's text, whatever it holds).
host::Text ringingSlotName();
/// The slot that text names, 1 … 5, or 0 when it names none.
int ringingSlot();

/// The alarm's cells other than its ring time, as an editor confirms them.
struct AlarmFields
{
    host::Text enabled;
    host::Text repeat;
    host::Text note;   // written only when not empty
    host::Text music;
    host::Text vibrate;
};

/// Number of rows.
int count();
/// Appends a row whose ring time is `ringTime` (other cells empty); its index.
int appendRow(const host::Text& ringTime);
/// A cell's text; empty for a row or column that does not exist.
host::Text cell(int row, AlarmColumn column);
/// Rewrites a cell; a row that does not exist is left alone.
void setCell(int row, AlarmColumn column, const host::Text& text);
/// Deletes a row, moving later rows up; an index that does not exist is ignored.
void deleteRow(int row);
/// The selected row, -1 when none is.
int selectedRow();
/// Selects a row; -1 clears the selection.
void setSelectedRow(int row);
/// Copies the ring time of row N-1 into the mirror of slot N, for every slot
/// (empty for a row that does not exist).
void refreshMirrors();

/// Appends an alarm, selects it, lets its slot watch and refreshes the
/// mirrors. When the table then holds five rows or more, says "最多设置5个闹钟！"
/// and removes a sixth row.
void add(const host::Text& ringTime, const AlarmFields& fields);
/// Rewrites every cell of a row (an empty note clears the note) and
/// refreshes the mirrors. An alarm given a new ring time or repeat rule is a
/// new alarm to the user: its slot watches again, even if it has rung. A row
/// that does not exist is left alone.
void rewrite(int row, const host::Text& ringTime, const AlarmFields& fields);
/// Deletes a row. The alarms below move up a slot with their mirrors and slot
/// states, and the last slot, now free, watches again. A row that does not
/// exist is ignored.
void remove(int row);

} // namespace AlarmTable
