#include "ui/main/mainwindowlayout.h"

#include "core/duecheck.h"
#include "ui/main/mainwindowhandlers.h"

using namespace host;

namespace MainWindow {
namespace {

constexpr Color kGrey{96, 96, 96};
constexpr Color kBlack{0, 0, 0};
constexpr Color kWhite{255, 255, 255};

UnitLayout hiddenLabel(UnitRef ref, Rect rect, const Text& caption)
{
    return {.ref = ref, .type = UnitType::Label, .rect = rect, .visible = false, .text = caption};
}

UnitLayout footer(UnitRef ref, Rect rect, const Text& caption, std::array<Color, 3> ramp)
{
    return {.ref = ref, .type = UnitType::Label, .rect = rect, .text = caption,
            .textColor = kWhite, .shading = ramp, .alignment = HorizontalAlignment::Center};
}

UnitLayout menuItem(UnitRef ref, const Text& caption, std::vector<EventBinding> events = {})
{
    return {.ref = ref, .type = UnitType::Menu, .parent = 菜单.unit, .text = caption,
            .events = std::move(events)};
}

// Binds a handler that takes no argument to an event.
EventBinding on(int event, std::function<void()> handler)
{
    return {event, [handler = std::move(handler)](int) { handler(); }};
}

UnitLayout timer(UnitRef ref, Rect rect, int interval, std::function<void()> ticked)
{
    return {.ref = ref, .type = UnitType::Timer, .rect = rect, .visible = false, .interval = interval,
            .events = {on(event::tick, std::move(ticked))}};
}

// The timer of a slot runs the due check of that slot.
UnitLayout slotTimer(UnitRef ref, Rect rect, int slot)
{
    return timer(ref, rect, 1000, [slot] { checkSlot(slot); });
}

UnitLayout button(UnitRef ref, Rect rect, const Text& caption, std::vector<EventBinding> events = {})
{
    return {.ref = ref, .type = UnitType::Button, .rect = rect, .tabStop = true, .text = caption,
            .alignment = HorizontalAlignment::Center, .events = std::move(events)};
}

// The clock digits: big, grey, read-only, on the window's own colour.
UnitLayout digits(UnitRef ref, Rect rect, const Text& spoken)
{
    return {.ref = ref, .type = UnitType::EditBox, .rect = rect, .tabStop = true, .text = "00"_t,
            .accessibleName = spoken,
            .font = Font{"黑体"_t, 35, true}, .textColor = kGrey, .backgroundColor = kButtonFace,
            .alignment = HorizontalAlignment::Center, .readOnly = true};
}

UnitLayout colon(UnitRef ref, Rect rect)
{
    return {.ref = ref, .type = UnitType::Label, .rect = rect, .text = "："_t, .font = Font{"黑体"_t, 48, true},
            .textColor = kGrey};
}

WindowLayout build()
{
    WindowLayout window{.id = id, .name = "MainWindow", .caption = " Tikora~闹钟  1.0"_t, .outerWidth = 380, .outerHeight = 215,
                        .left = 50, .top = 50, .centred = true, .minimiseButton = true, .iconResource = ":/tikora.ico"};
    // "添加闹钟" and "修改闹钟设置" open the editor; they are bound with it.
    window.units = {
        hiddenLabel(标签_修改闹钟, {336, 56, 40, 16}, "标签"_t),
        footer(标签5, {177, 167, 190, 16}, "Pelgrin工作室"_t, {kGrey, kBlack, kBlack}),
        footer(标签4, {5, 167, 176, 16}, "注意：目前仅支持 5个闹钟"_t, {kBlack, kBlack, kGrey}),
        hiddenLabel(标签_响铃, {296, 48, 64, 16}, "标签"_t),
        {.ref = 菜单, .type = UnitType::Menu, .visible = false, .text = "菜单"_t},
        menuItem(菜单_启动停止闹钟, "启动/停止闹钟"_t, {on(event::chosen, toggleAlarmChosen)}),
        menuItem(菜单_分隔1, "-"_t),
        menuItem(菜单_修改闹钟设置, "修改闹钟设置"_t, {on(event::chosen, modifyAlarmChosen)}),
        menuItem(菜单_分隔2, "-"_t),
        menuItem(菜单_删除闹钟, "删除闹钟"_t, {on(event::chosen, deleteAlarmChosen)}),
        slotTimer(时钟_闹钟5, {280, 88, 26, 26}, 5),
        slotTimer(时钟_闹钟4, {256, 88, 26, 26}, 4),
        slotTimer(时钟_闹钟3, {232, 88, 26, 26}, 3),
        slotTimer(时钟_闹钟2, {208, 88, 26, 26}, 2),
        hiddenLabel(标签_闹钟5, {296, 64, 32, 16}, "5"_t),
        hiddenLabel(标签_闹钟4, {272, 64, 32, 16}, "4"_t),
        hiddenLabel(标签_闹钟3, {248, 64, 32, 16}, "3"_t),
        hiddenLabel(标签_闹钟2, {224, 64, 24, 16}, "2"_t),
        hiddenLabel(标签_闹钟1, {200, 64, 32, 16}, "1"_t),
        slotTimer(时钟_闹钟1, {184, 88, 26, 26}, 1),
        button(按钮_设置, {296, 8, 64, 32}, "设置"_t, {on(event::clicked, settingsClicked)}),
        button(按钮_添加, {224, 8, 64, 32}, "添加闹钟"_t, {on(event::clicked, addAlarmClicked)}),
        digits(编辑框3, {144, 24, 50, 45}, "秒"_t),
        digits(编辑框2, {80, 24, 50, 45}, "分"_t),
        digits(编辑框1, {16, 24, 50, 45}, "时"_t),
        {.ref = 超级列表框1, .type = UnitType::ListView, .rect = {5, 76, 363, 91}, .tabStop = true,
         .accessibleName = "闹钟列表"_t, .textColor = kGrey, .backgroundColor = kWhite,
         .columns = {{"闹钟"_t, 50}, {"响铃"_t, 50}, {"状态"_t, 135}, {"备注"_t, 115}, {"音乐"_t, 0}, {"振动"_t, 0}},
         .events = {on(event::rightClicked, listRightClicked)}},
        {.ref = 标签3, .type = UnitType::Label, .rect = {16, 8, 80, 16}, .text = "现在的时间："_t, .textColor = kGrey},
        timer(时钟1, {160, 8, 26, 26}, 0, clockTick),
        colon(标签2, {127, 16, 24, 48}),
        colon(标签1, {63, 16, 24, 48}),
    };
    window.events = {on(event::created, mainWindowCreated), on(event::destroying, mainWindowClosing)};
    return window;
}

} // namespace

const WindowLayout& layout()
{
    static const WindowLayout built = build();
    return built;
}

} // namespace MainWindow
