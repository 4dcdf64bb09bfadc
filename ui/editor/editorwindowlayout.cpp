#include "ui/editor/editorwindowlayout.h"

#include "ui/editor/editorhandlers.h"

using namespace host;

namespace EditorWindow {
namespace {

constexpr Color kBlack{0, 0, 0};
constexpr Color kWhite{255, 255, 255};

EventBinding on(int event, void (*handler)())
{
    return {event, [handler](int) { handler(); }};
}

UnitLayout checkBox(UnitRef ref, int parent, Rect rect, const Text& caption, bool checked = false,
                    std::vector<EventBinding> events = {})
{
    return {.ref = ref, .type = UnitType::CheckBox, .parent = parent, .rect = rect, .tabStop = true,
            .text = caption, .checked = checked, .events = std::move(events)};
}

UnitLayout radioBox(UnitRef ref, Rect rect, const Text& caption, bool checked, std::vector<EventBinding> events)
{
    return {.ref = ref, .type = UnitType::RadioBox, .parent = 分组框2.unit, .rect = rect, .tabStop = true,
            .text = caption, .checked = checked, .events = std::move(events)};
}

UnitLayout groupBox(UnitRef ref, int parent, Rect rect, const Text& caption, bool disabled = false)
{
    return {.ref = ref, .type = UnitType::GroupBox, .parent = parent, .rect = rect, .disabled = disabled,
            .text = caption};
}

UnitLayout button(UnitRef ref, int parent, Rect rect, const Text& caption, void (*handler)())
{
    return {.ref = ref, .type = UnitType::Button, .parent = parent, .rect = rect, .tabStop = true,
            .text = caption, .alignment = HorizontalAlignment::Center, .events = {on(event::clicked, handler)}};
}

// Hour and minute: big bold digits, centred, typed as integers.
UnitLayout timeBox(UnitRef ref, Rect rect, const Text& spoken)
{
    return {.ref = ref, .type = UnitType::EditBox, .rect = rect, .tabStop = true, .text = "00"_t,
            .accessibleName = spoken,
            .font = Font{"黑体"_t, 35, true}, .textColor = kBlack, .backgroundColor = kWhite,
            .alignment = HorizontalAlignment::Center, .integerInput = true};
}

UnitLayout spinner(UnitRef ref, Rect rect, const Text& spoken, void (*handler)(int step))
{
    return {.ref = ref, .type = UnitType::Spin, .rect = rect, .accessibleName = spoken,
            .events = {{event::arrowPressed, [handler](int step) { handler(step); }}}};
}

// A black square, or with a height of 1 a black rule.
UnitLayout blackBlock(UnitRef ref, int parent, Rect rect)
{
    return {.ref = ref, .type = UnitType::Label, .parent = parent, .rect = rect, .backgroundColor = kBlack};
}

WindowLayout build()
{
    WindowLayout window{.id = id, .name = "EditorWindow", .caption = "添加闹钟"_t, .outerWidth = 296, .outerHeight = 414,
                        .centred = true, .minimiseButton = false, .events = {on(event::created, editorCreated)}};
    const int options = 分组框1.unit;
    const int repeat = 分组框2.unit;
    const int music = 分组框3.unit;
    window.units = {
        {.ref = 编辑框_重复, .type = UnitType::EditBox, .rect = {280, 48, 80, 20}, .visible = false,
         .tabStop = true},
        radioBox(单选框_自定, {192, 16, 46, 16}, "自定"_t, false, {}),
        {.ref = 时钟1, .type = UnitType::Timer, .visible = false, .interval = 1000,
         .events = {on(event::tick, weekdaySyncTick)}},
        {.ref = 通用对话框1, .type = UnitType::CommonDlg, .parent = music, .visible = false,
         .dialogType = 0, .title = "打开音乐"_t, .filter = "音乐文件(*.mp3)|*.mp3"_t,
         .dialogOptions = {.hideReadOnly = true, .fileMustExist = true, .pathMustExist = true, .overwritePrompt = true}},
        button(按钮3, 0, {152, 345, 80, 32}, "取消"_t, cancelClicked),
        button(按钮2, 0, {57, 345, 80, 32}, "完成"_t, confirmClicked),
        {.ref = 编辑框_备注, .type = UnitType::EditBox, .parent = 分组框4.unit, .rect = {5, 15, 259, 45},
         .tabStop = true, .accessibleName = "备注"_t, .textColor = kBlack, .backgroundColor = kWhite, .multiLine = true},
        groupBox(分组框4, options, {5, 183, 271, 67}, "备注"_t),
        button(按钮1, music, {222, 13, 45, 23}, "打开"_t, browseClicked),
        {.ref = 编辑框_自定音乐, .type = UnitType::EditBox, .parent = music, .rect = {5, 15, 215, 20},
         .tabStop = true, .accessibleName = "音乐文件"_t, .textColor = kBlack, .backgroundColor = kWhite},
        checkBox(选择框_自定音乐, options, {88, 16, 72, 16}, "自定音乐"_t, false,
                 {on(event::clicked, customMusicClicked)}),
        groupBox(分组框3, options, {5, 136, 271, 45}, "自定音乐"_t, true),
        blackBlock(标签3, repeat, {9, 35, 255, 1}),
        radioBox(单选框_单次, {144, 16, 46, 16}, "单次"_t, true, {on(event::clicked, onceChosen)}),
        radioBox(单选框_每天, {96, 16, 46, 16}, "每天"_t, false, {on(event::clicked, everyDayChosen)}),
        radioBox(单选框_工作日, {38, 16, 56, 16}, "工作日"_t, false, {on(event::clicked, workingDaysChosen)}),
        checkBox(选择框_星期日, repeat, {208, 64, 56, 16}, "星期日"_t),
        checkBox(选择框_星期六, repeat, {144, 64, 56, 16}, "星期六"_t),
        checkBox(选择框_星期五, repeat, {72, 64, 56, 16}, "星期五"_t),
        checkBox(选择框_星期四, repeat, {8, 64, 56, 16}, "星期四"_t),
        checkBox(选择框_星期三, repeat, {168, 40, 56, 16}, "星期三"_t),
        checkBox(选择框_星期二, repeat, {96, 40, 56, 16}, "星期二"_t),
        checkBox(选择框_星期一, repeat, {24, 40, 56, 16}, "星期一"_t),
        groupBox(分组框2, options, {5, 45, 271, 88}, "重复"_t),
        checkBox(选择框_振动, options, {166, 16, 48, 16}, "振动"_t),
        checkBox(选择框_启动闹钟, options, {10, 16, 72, 16}, "启动闹钟"_t, true),
        groupBox(分组框1, 0, {5, 88, 281, 256}, ""_t),
        timeBox(编辑框_分钟, {160, 16, 72, 64}, "分钟"_t),
        spinner(调节器2, {232, 16, 32, 64}, "调节分钟"_t, minuteSpun),
        blackBlock(标签2, 0, {136, 56, 8, 8}),
        blackBlock(标签1, 0, {136, 24, 8, 8}),
        timeBox(编辑框_小时, {16, 16, 72, 64}, "小时"_t),
        spinner(调节器1, {88, 16, 32, 64}, "调节小时"_t, hourSpun),
    };
    return window;
}

} // namespace

const WindowLayout& layout()
{
    static const WindowLayout built = build();
    return built;
}

} // namespace EditorWindow
