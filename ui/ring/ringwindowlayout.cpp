#include "ui/ring/ringwindowlayout.h"

#include "ui/ring/ringwindowhandlers.h"

using namespace host;

namespace RingWindow {
namespace {

constexpr Color kRule{160, 160, 160};

UnitLayout label(UnitRef ref, Rect rect, const Text& caption)
{
    return {.ref = ref, .type = UnitType::Label, .rect = rect, .text = caption};
}

UnitLayout button(UnitRef ref, Rect rect, const Text& caption, void (*clicked)())
{
    return {.ref = ref, .type = UnitType::Button, .rect = rect, .tabStop = true,
            .text = caption, .alignment = HorizontalAlignment::Center,
            .events = {{event::clicked, [clicked](int) { clicked(); }}}};
}

UnitLayout timer(UnitRef ref, int interval, std::function<void()> ticked)
{
    return {.ref = ref, .type = UnitType::Timer, .visible = false, .interval = interval,
            .events = {{event::tick, [ticked = std::move(ticked)](int) { ticked(); }}}};
}

UnitLayout shakeTimer(UnitRef ref, ShakeMove move)
{
    return timer(ref, 0, [move] { shakeStep(move); });
}

WindowLayout build()
{
    WindowLayout window{.id = id, .name = "RingWindow", .outerWidth = 355, .outerHeight = 236, .centred = true,
                        .minimiseButton = false, .alwaysOnTop = true, .alert = true};
    window.units = {
        {.ref = 标签1, .type = UnitType::Label, .rect = {96, 8, 192, 64}, .text = "时间到！"_t,
         .font = Font{"黑体"_t, 48, false}},
        {.ref = 标签2, .type = UnitType::Label, .rect = {5, 72, 339, 1}, .backgroundColor = kRule},
        label(标签3, {24, 74, 32, 16}, "备注："_t),
        {.ref = 编辑框1, .type = UnitType::EditBox, .rect = {56, 75, 224, 80}, .tabStop = true,
         .accessibleName = "备注"_t, .readOnly = true, .multiLine = true},
        button(按钮2, {64, 160, 88, 40}, "5分钟再响"_t, snoozeRinging),
        button(按钮1, {184, 160, 88, 40}, "停止"_t, stopRinging),
        label(标签_振动, {296, 40, 40, 16}, ""_t),
        shakeTimer(时钟1, ShakeMove::Left),
        shakeTimer(时钟2, ShakeMove::Down),
        shakeTimer(时钟3, ShakeMove::Right),
        shakeTimer(时钟4, ShakeMove::Up),
        timer(时钟5, 60000, repositionRingWindow),
        timer(时钟6, 0, keepRingWindowOnTop),
    };
    window.events = {{event::created, [](int) { startRinging(); }},
                     {event::destroying, [](int) { ringWindowClosing(); }}};
    return window;
}

} // namespace

const WindowLayout& layout()
{
    static const WindowLayout built = build();
    return built;
}

} // namespace RingWindow
