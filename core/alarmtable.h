#pragma once

// The alarm table: the rows of the main window's alarm list, one alarm a row,
// six text cells each, and the five hidden labels that mirror the ring times
// the due check compares against. It is the only store of alarms; nothing
// here keeps a copy, every call reads or writes the list through the host.
//
// This file is the one place that knows how an alarm is written into cells
// and labels: the cell texts, the slot names and which units belong to a slot.

#include "host/layout.h"
#include "host/text.h"

namespace AlarmTable {

/// The six cells of a row, in the list's column order.
enum class AlarmColumn { RingTime = 0, Enabled = 1, Repeat = 2, Note = 3, Music = 4, Vibrate = 5 };

/// The texts the cells hold, compared byte for byte by every reader.
namespace cellText {
inline constinit const host::FixedText enabled{"开启"};
inline constinit const host::FixedText disabled{"关闭"};
inline constinit const host::FixedText defaultMusic{"无"};  // the built-in sound
inline constinit const host::FixedText shake{"真"};
inline constinit const host::FixedText noShake{"假"};
inline constinit const host::FixedText once{"仅响一次"};
inline constinit const host::FixedText workingDays{"星期一、二、三、四、五"};
inline constinit const host::FixedText everyDay{"星期一、二、三、四、五、六、日"};
} // namespace cellText

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

/// What the due check knows of a slot: whether its alarm may still ring in
/// this run. The state belongs to the alarm in the slot's row and moves with
/// it when rows move up.
enum class SlotState { Watching, Retired };
/// A slot's state, kept as its timer's interval (running: watching).
SlotState slotState(int slot);
/// Starts or stops the due check of a slot.
void setSlotState(int slot, SlotState state);

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
/// refreshes the mirrors. An alarm given a
/// new ring time is a new alarm to the user: its slot watches again, even if
/// it has rung. A row that does not exist is left alone.
void rewrite(int row, const host::Text& ringTime, const AlarmFields& fields);
/// Deletes a row. The alarms below move up a slot with their mirrors and slot
/// states, and the last slot, now free, watches again. A row that does not
/// exist is ignored.
void remove(int row);

} // namespace AlarmTable
