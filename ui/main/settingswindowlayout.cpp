#include "ui/main/settingswindowlayout.h"

using namespace host;

namespace SettingsWindow {
namespace {

WindowLayout build()
{
    WindowLayout window{.id = id, .name = "SettingsWindow", .caption = "设置"_t, .outerWidth = 287, .outerHeight = 199,
                        .centred = true};
    window.units = {
        {.ref = 标签3, .type = UnitType::Label, .rect = {80, 144, 112, 16}, .text = "联系：Pelgrin工作室"_t},
        {.ref = 标签2, .type = UnitType::Label, .rect = {24, 128, 232, 16},
         .text = "如果你觉得此程序很满意、请告知编者！"_t},
        {.ref = 标签1, .type = UnitType::Label, .rect = {24, 64, 256, 72}, .disabled = true, .text = "未开发！"_t,
         .font = Font{"黑体"_t, 48, true}, .alignment = HorizontalAlignment::Center},
        {.ref = 组合框1, .type = UnitType::ComboBox, .parent = 分组框1.unit, .rect = {8, 20, 112, 20},
         .disabled = true, .tabStop = true, .text = "默认"_t, .items = {"默认"_t}},
        {.ref = 分组框1, .type = UnitType::GroupBox, .rect = {8, 8, 136, 48}, .disabled = true,
         .text = "设置默认铃声"_t},
    };
    return window;
}

} // namespace

const WindowLayout& layout()
{
    static const WindowLayout built = build();
    return built;
}

} // namespace SettingsWindow
