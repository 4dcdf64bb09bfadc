#include "probewindows.h"

#include "host/runtime/runtime.h"
#include "host/runtime/runtime_testing.h"

using namespace host;

namespace testwindows {

ProbeLog g_probe;

namespace {

EventBinding record(UnitRef unit, int number, int seenProperty = -1)
{
    return {number, [unit, seenProperty](int argument) {
                const int seen = seenProperty < 0 ? 0 : readProperty(unit, seenProperty).toInt();
                g_probe.delivered.push_back({unit, argument, seen});
            }};
}

// Both windows' menus have the same unit number, so their items share a parent number.
static_assert(Probe::menu.unit == Other::menu.unit);

UnitLayout menuItem(UnitRef ref, Text caption, bool visible = true)
{
    return {.ref = ref, .type = UnitType::Menu, .parent = Probe::menu.unit, .visible = visible,
            .text = caption, .events = {record(ref, event::chosen)}};
}

WindowLayout makeProbe()
{
    WindowLayout layout{.id = Probe::id, .name = "Probe", .caption = "探针"_t, .outerWidth = 300, .outerHeight = 232};
    layout.events = {{event::created, [](int) { ++g_probe.created; }},
                     {event::destroying, [](int) {
                          ++g_probe.destroyed;
                          // Units are still readable while the window is destroyed.
                          g_probe.captionWhileDestroyed = readProperty(Probe::label, prop::caption).toText();
                          if (g_probe.onDestroy)
                              g_probe.onDestroy();
                      }}};
    layout.units = {
        {.ref = Probe::label, .type = UnitType::Label, .rect = {10, 20, 60, 16}, .text = "标签"_t},
        {.ref = Probe::menu, .type = UnitType::Menu, .visible = false, .text = "菜单"_t},
        menuItem(Probe::enable, "开启"_t),
        menuItem(Probe::separator, "-"_t),
        menuItem(Probe::remove, "删除"_t),
        menuItem(Probe::hidden, "隐藏"_t, false),
        {.ref = Probe::edit, .type = UnitType::EditBox, .rect = {10, 40, 80, 20}, .text = "00"_t},
        {.ref = Probe::digits, .type = UnitType::EditBox, .rect = {10, 70, 60, 20},
         .integerInput = true},
        {.ref = Probe::note, .type = UnitType::EditBox, .rect = {215, 120, 75, 60}, .multiLine = true},
        {.ref = Probe::timer, .type = UnitType::Timer,
         .events = {{event::tick, [](int) { ++g_probe.probeTicks; }}}},
        {.ref = Probe::group, .type = UnitType::GroupBox, .rect = {100, 10, 150, 60}, .text = "组"_t},
        {.ref = Probe::check, .type = UnitType::CheckBox, .parent = Probe::group.unit,
         .rect = {5, 15, 60, 16}, .text = "选择"_t, .checked = true,
         .events = {record(Probe::check, event::clicked, prop::checked)}},
        {.ref = Probe::radioA, .type = UnitType::RadioBox, .parent = Probe::group.unit,
         .rect = {5, 35, 60, 16}, .text = "甲"_t, .checked = true,
         .events = {record(Probe::radioA, event::clicked, prop::checked)}},
        {.ref = Probe::radioB, .type = UnitType::RadioBox, .parent = Probe::group.unit,
         .rect = {70, 35, 60, 16}, .text = "乙"_t, .events = {record(Probe::radioB, event::clicked, prop::checked)}},
        {.ref = Probe::list, .type = UnitType::ListView, .rect = {10, 95, 200, 100},
         .columns = {{"闹钟"_t, 50}, {"隐藏"_t, 0}},
         .events = {record(Probe::list, event::rightClicked, prop::currentRow)}},
        {.ref = Probe::spin, .type = UnitType::Spin, .rect = {260, 80, 18, 30},
         .events = {record(Probe::spin, event::arrowPressed)}},
        {.ref = Probe::button, .type = UnitType::Button, .rect = {220, 20, 60, 24}, .text = "按钮"_t,
         .events = {{event::clicked, [](int) {
             if (g_probe.onClick)
                 g_probe.onClick();
         }}}},
        {.ref = Probe::dialog, .type = UnitType::CommonDlg, .title = "选择音乐"_t,
         .filter = "MP3 音乐|*.mp3|所有文件|*.*"_t,
         .dialogOptions = {.hideReadOnly = true, .fileMustExist = true, .pathMustExist = true}},
        {.ref = Probe::newFile, .type = UnitType::CommonDlg, .dialogOptions = {.pathMustExist = true}},
        {.ref = Probe::shownNote, .type = UnitType::EditBox, .rect = {255, 48, 35, 28},
         .readOnly = true, .multiLine = true},
    };
    return layout;
}

WindowLayout makeOther()
{
    WindowLayout layout{.id = Other::id, .name = "Other", .caption = "另一个"_t, .outerWidth = 200, .outerHeight = 100};
    layout.units = {
        {.ref = Other::timer, .type = UnitType::Timer, .interval = 20,
         .events = {{event::tick, [](int) { ++g_probe.otherTicks; }}}},
        {.ref = Other::menu, .type = UnitType::Menu, .visible = false, .text = "菜单"_t},
        menuItem(Other::item, "项"_t),
    };
    return layout;
}

} // namespace

void ProbeWindows::SetUp()
{
    static const WindowLayout probe = makeProbe();
    static const WindowLayout other = makeOther();
    static const WindowLayout plain{.id = Plain::id, .name = "Plain", .caption = "空"_t, .outerWidth = 200,
                                    .outerHeight = 120};
    g_probe = {};
    registerWindow(probe);
    registerWindow(other);
    registerWindow(plain);
}

void LoadedProbe::SetUp()
{
    ProbeWindows::SetUp();
    ASSERT_TRUE(loadWindow(Probe::id));
}

void ProbeWindows::TearDown()
{
    detail::unloadAllWindows();
}

} // namespace testwindows
