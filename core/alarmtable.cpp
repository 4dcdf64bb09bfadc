#include "core/alarmtable.h"

#include "core/mainwindowunits.h"
#include "host/commands.h"
#include "host/runtime/runtime.h"

#include <array>

using namespace host;

namespace AlarmTable {
namespace {

constexpr UnitRef kList = MainWindow::超级列表框1;

// The units of each slot, slot 1 first.
constexpr std::array<UnitRef, kSlots> kMirrors{MainWindow::标签_闹钟1, MainWindow::标签_闹钟2, MainWindow::标签_闹钟3,
                                               MainWindow::标签_闹钟4, MainWindow::标签_闹钟5};
constexpr std::array<UnitRef, kSlots> kSlotTimers{MainWindow::时钟_闹钟1, MainWindow::时钟_闹钟2, MainWindow::时钟_闹钟3,
                                                  MainWindow::时钟_闹钟4, MainWindow::时钟_闹钟5};

// How often a watching slot looks at the clock.
constexpr int kCheckMs = 1000;

constinit const std::array<FixedText, kSlots> kSlotNames{"闹钟1"_t, "闹钟2"_t, "闹钟3"_t,
                                                          "闹钟4"_t, "闹钟5"_t};
constinit const FixedText kLimitReached = "最多设置5个闹钟！"_t;

int column(AlarmColumn column)
{
    return static_cast<int>(column);
}

// Beside the slot timers: what each slot's due check remembers, slot 1 first.
std::array<SlotMemory, kSlots>& memories()
{
    static std::array<SlotMemory, kSlots> slots;
    return slots;
}

SlotMemory& memoryOf(int slot)
{
    return memories().at(static_cast<std::size_t>(slot - 1));
}

} // namespace

Weekdays repeatDays(const Text& repeat)
{
    if (repeat == cellText::workingDays)
        return kWorkingDays;
    if (repeat == cellText::everyDay)
        return kEveryDay;
    // "星期" and the pieces as the editor writes them: each day at most once,
    // Monday first, nothing else after.
    const std::string& bytes = repeat.bytes();
    const std::string& prefix = cellText::chosenDays.text().bytes();
    if (!bytes.starts_with(prefix))
        return {};
    Weekdays days;
    std::size_t position = prefix.size();
    for (std::size_t day = 0; day < cellText::dayPieces.size(); ++day) {
        const std::string& piece = cellText::dayPieces[day].text().bytes();
        if (bytes.compare(position, piece.size(), piece) == 0) {
            days.set(day);
            position += piece.size();
        }
    }
    return position == bytes.size() ? days : Weekdays();
}

const Text& slotName(int slot)
{
    static const Text none;
    return slot >= 1 && slot <= kSlots ? kSlotNames[slot - 1].text() : none;
}

UnitRef mirrorOf(int slot)
{
    return kMirrors.at(static_cast<std::size_t>(slot - 1));
}

UnitRef slotTimerOf(int slot)
{
    return kSlotTimers.at(static_cast<std::size_t>(slot - 1));
}

SlotMemory slotMemory(int slot)
{
    return memoryOf(slot);
}

void setSlotMemory(int slot, const SlotMemory& memory)
{
    memoryOf(slot) = memory;
    writeProperty(slotTimerOf(slot), prop::interval, Value(memory.state == SlotState::Retired ? 0 : kCheckMs));
}

SlotState slotState(int slot)
{
    return memoryOf(slot).state;
}

void setSlotState(int slot, SlotState state)
{
    SlotMemory memory = memoryOf(slot);
    memory.state = state;
    setSlotMemory(slot, memory);
}

void forgetRings()
{
    for (int slot = 1; slot <= kSlots; ++slot)
        setSlotMemory(slot, {});
}

Text mirror(int slot)
{
    return readProperty(mirrorOf(slot), prop::caption).toText();
}

void setRingingSlot(int slot)
{
    writeProperty(MainWindow::标签_响铃, prop::caption, Value(slotName(slot)));
}

Text ringingSlotName()
{
    return readProperty(MainWindow::标签_响铃, prop::caption).toText();
}

int ringingSlot()
{
    const Text name = ringingSlotName();
    for (int slot = 1; slot <= kSlots; ++slot) {
        if (name == slotName(slot))
            return slot;
    }
    return 0;
}

int count()
{
    return listRowCount(kList);
}

int appendRow(const Text& ringTime)
{
    return listInsertRow(kList, -1, ringTime);
}

Text cell(int row, AlarmColumn which)
{
    return listGetCell(kList, row, column(which));
}

void setCell(int row, AlarmColumn which, const Text& text)
{
    listSetCell(kList, row, column(which), text);
}

void deleteRow(int row)
{
    listDeleteRow(kList, row);
}

int selectedRow()
{
    return readProperty(kList, prop::currentRow).toInt();
}

void setSelectedRow(int row)
{
    writeProperty(kList, prop::currentRow, Value(row));
}

void refreshMirrors()
{
    for (int slot = 1; slot <= kSlots; ++slot)
        writeProperty(mirrorOf(slot), prop::caption, Value(cell(slot - 1, AlarmColumn::RingTime)));
}

void add(const Text& ringTime, const AlarmFields& fields)
{
    const int row = count();
    appendRow(ringTime);
    setSelectedRow(row);
    setCell(row, AlarmColumn::Enabled, fields.enabled);
    setCell(row, AlarmColumn::Repeat, fields.repeat);
    if (!fields.note.isEmpty())
        setCell(row, AlarmColumn::Note, fields.note);
    setCell(row, AlarmColumn::Music, fields.music);
    setCell(row, AlarmColumn::Vibrate, fields.vibrate);
    if (row < kSlots)
        setSlotMemory(row + 1, {});
    refreshMirrors();
    if (count() >= kSlots) {
        messageBox(Value(kLimitReached.text()), boxButtons::ok);
        deleteRow(kSlots);
    }
}

void rewrite(int row, const Text& ringTime, const AlarmFields& fields)
{
    if (row >= 0 && row < count()) {
        // The rule is its days: texts that name the same days ring alike.
        const bool newAlarm = cell(row, AlarmColumn::RingTime) != ringTime ||
                              repeatDays(cell(row, AlarmColumn::Repeat)) != repeatDays(fields.repeat);
        if (row < kSlots && newAlarm)
            setSlotState(row + 1, SlotState::Watching);
        setCell(row, AlarmColumn::RingTime, ringTime);
        setCell(row, AlarmColumn::Enabled, fields.enabled);
        setCell(row, AlarmColumn::Repeat, fields.repeat);
        setCell(row, AlarmColumn::Note, fields.note);
        setCell(row, AlarmColumn::Music, fields.music);
        setCell(row, AlarmColumn::Vibrate, fields.vibrate);
    }
    refreshMirrors();
}

void remove(int row)
{
    if (row < 0 || row >= count())
        return;
    deleteRow(row);
    for (int slot = row + 1; slot < kSlots; ++slot)
        setSlotMemory(slot, slotMemory(slot + 1));
    if (row < kSlots)
        setSlotMemory(kSlots, {});
    refreshMirrors();
}

} // namespace AlarmTable
