// The common dialog: the settings the open-file dialog is shown with, kept
// by the host until openDialog reads them.

#include "host/runtime/runtime_p.h"

#include <algorithm>

namespace host::detail {
namespace {

// 0 open file, 1 save file, 2 font, 3 colour.
void writeDialogType(const Access& access, const Value& value)
{
    access.unit.stored[access.number] = std::clamp(value.toInt(), 0, 3);
}

void writeFilterIndex(const Access& access, const Value& value)
{
    access.unit.stored[access.number] = std::max(value.toInt(), 0);
}

} // namespace

const UnitTypeInfo& commonDialogType()
{
    static const UnitTypeInfo type{
        .type = UnitType::CommonDlg,
        .properties =
            {
                {prop::dialogType, nullptr, writeDialogType,
                 [](const UnitLayout& layout) -> Value { return std::clamp(layout.dialogType, 0, 3); }},
                {.number = prop::title, .initial = [](const UnitLayout& layout) -> Value { return layout.title; }},
                {.number = prop::fileName, .initial = [](const UnitLayout& layout) -> Value { return layout.text; }},
                {.number = prop::filter, .initial = [](const UnitLayout& layout) -> Value { return layout.filter; }},
                {prop::filterIndex, nullptr, writeFilterIndex,
                 [](const UnitLayout& layout) -> Value { return std::max(layout.filterIndex, 0); }},
                {.number = prop::initialDirectory, .initial = [](const UnitLayout&) -> Value { return Text(); }},
                {.number = prop::defaultExtension, .initial = [](const UnitLayout&) -> Value { return Text(); }},
            },
    };
    return type;
}

} // namespace host::detail
