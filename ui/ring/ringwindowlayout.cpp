#include "ui/ring/ringwindowlayout.h"

#include "ui/ring/ringwindowhandlers.h"

using namespace host;

namespace RingWindow {
namespace {

constexpr Color kRule{160, 160, 160};

UnitLayout label(UnitRef ref, const char* name, Rect rect, const char* caption)
{
    return {.ref = ref, .name = name, .type = UnitType::Label, .rect = rect, .text = Text::fromUtf8(caption)};
}

UnitLayout button(UnitRef ref, const char* name, Rect rect, const char* caption, void (*clicked)())
{
    return {.ref = ref, .name = name, .type = UnitType::Button, .rect = rect, .tabStop = true,
            .text = Text::fromUtf8(caption), .alignment = HorizontalAlignment::Center,
            .events = {{event::clicked, [clicked](int) { clicked(); }}}};
}

UnitLayout timer(UnitRef ref, const char* name, int interval, std::function<void()> ticked)
{
    return {.ref = ref, .name = name, .type = UnitType::Timer, .visible = false, .interval = interval,
            .events = {{event::tick, [ticked = std::move(ticked)](int) { ticked(); }}}};
}

UnitLayout shakeTimer(UnitRef ref, const char* name, ShakeMove move)
{
    return timer(ref, name, 0, [move] { shakeStep(move); });
}

WindowLayout build()
{
    WindowLayout window{.id = id, .name = "RingWindow", .outerWidth = 355, .outerHeight = 236, .centred = true,
                        .minimiseButton = false, .alwaysOnTop = true, .alert = true};
    UnitLayout headline = label(标签1, "标签1", {96, 8, 192, 64}, "时间到！");
    headline.font = Font{"黑体"_t, 48, false};
    UnitLayout rule = label(标签2, "标签2", {5, 72, 339, 1}, "");
    rule.backgroundColor = kRule;
    UnitLayout note{.ref = 编辑框1, .name = "编辑框1", .type = UnitType::EditBox, .rect = {56, 75, 224, 80}, .tabStop = true,
                    .accessibleName = "备注"_t, .readOnly = true, .multiLine = true};
    window.units = {
        headline,
        rule,
        label(标签3, "标签3", {24, 74, 32, 16}, "备注："),
        note,
        button(按钮2, "按钮2", {64, 160, 88, 40}, "5分钟再响", snoozeRinging),
        button(按钮1, "按钮1", {184, 160, 88, 40}, "停止", stopRinging),
        label(标签_振动, "标签_振动", {296, 40, 40, 16}, ""),
        shakeTimer(时钟1, "时钟1", ShakeMove::Left),
        shakeTimer(时钟2, "时钟2", ShakeMove::Down),
        shakeTimer(时钟3, "时钟3", ShakeMove::Right),
        shakeTimer(时钟4, "时钟4", ShakeMove::Up),
        timer(时钟5, "时钟5", 60000, repositionRingWindow),
        timer(时钟6, "时钟6", 0, keepRingWindowOnTop),
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
