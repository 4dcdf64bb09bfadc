// Properties read and written by number: the common ones, then the unit
// type's own, as each type describes them.

#include "host/runtime/runtime_p.h"

namespace host {
namespace {

const detail::Property* propertyOf(const detail::UnitState& unit, int number)
{
    const detail::UnitTypeInfo& type = *unit.type;
    if (type.common && number >= 0 && number < prop::caption) {
        for (const detail::Property& property : detail::commonProperties()) {
            if (property.number == number)
                return &property;
        }
        return nullptr;
    }
    return type.find(number);
}

// A property the host keeps takes each write as the kind of value it holds.
Value likeStored(const Value& stored, const Value& value)
{
    if (stored.isBool())
        return value.toBool();
    if (stored.isInt())
        return value.toInt();
    if (stored.isText())
        return value.toText();
    return value;
}

} // namespace

Value readProperty(UnitRef unit, int number)
{
    detail::UnitState& state = detail::unitState(unit);
    const detail::Property* property = propertyOf(state, number);
    if (!property)
        return Absent{};
    if (!property->read) {
        const auto stored = state.stored.find(number);
        return stored == state.stored.end() ? Value(Absent{}) : stored->second;
    }
    return property->read(detail::Access{*detail::findLoaded(unit.window), state, number});
}

void writeProperty(UnitRef unit, int number, const Value& value)
{
    detail::UnitState& state = detail::unitState(unit);
    const detail::Property* property = propertyOf(state, number);
    if (!property)
        return;
    if (!property->write) {
        Value& stored = state.stored[number];
        stored = likeStored(stored, value);
    } else
        property->write(detail::Access{*detail::findLoaded(unit.window), state, number}, value);
}

} // namespace host
