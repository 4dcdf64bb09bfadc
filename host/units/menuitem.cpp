// Menu items: kept by the host alone (the popup menu is built from them when
// it opens), numbered from 0 without the common properties.

#include "host/runtime/runtime_p.h"

namespace host::detail {

const UnitTypeInfo& menuItemType()
{
    static const UnitTypeInfo type{
        .type = UnitType::Menu,
        .common = false,
        .properties =
            {
                {.number = menuProp::caption, .initial = [](const UnitLayout& layout) -> Value { return layout.text; }},
                {.number = menuProp::checked, .initial = [](const UnitLayout& layout) -> Value { return layout.checked; }},
                {.number = menuProp::disabled,
                 .initial = [](const UnitLayout& layout) -> Value { return layout.disabled; }},
                {.number = menuProp::visible, .initial = [](const UnitLayout& layout) -> Value { return layout.visible; }},
            },
        .events = {event::chosen},
    };
    return type;
}

} // namespace host::detail
