#include "host/units/unittype_p.h"

#include <array>

namespace host::detail {

const Property* UnitTypeInfo::find(int number) const
{
    for (const Property& property : properties) {
        if (property.number == number)
            return &property;
    }
    return nullptr;
}

const UnitTypeInfo& describe(UnitType type)
{
    // In the order of UnitType.
    using Describe = const UnitTypeInfo& (*)();
    static constexpr std::array<Describe, 13> types{
        windowType, menuItemType, editBoxType, groupBoxType, labelType,        buttonType, checkBoxType,
        radioBoxType, comboBoxType, spinType,  commonDialogType, timerType, listType,
    };
    return types.at(static_cast<std::size_t>(type))();
}

} // namespace host::detail
