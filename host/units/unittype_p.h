#pragma once

// What a unit type is, in one place per type: how its widget (or timer) is
// made, which properties it has by number, and which events it raises. The
// runtime looks a type up here instead of switching on it; adding a property
// to a type is one entry in that type's table.

#include "host/runtime/layout.h"
#include "host/values/value.h"

#include <vector>

class QObject;
class QString;
class QWidget;

namespace host::detail {

struct LoadedWindow;
struct UnitState;

/// The unit a property is read or written on, with its window.
struct Access
{
    LoadedWindow& window;
    UnitState& unit;
    int number;

    /// The unit's widget or timer as the type made it.
    template <typename T>
    T* as() const;
};

/// One property of a type. A property without a reader and writer is kept by
/// the host itself: it starts at `initial` and reads back what was written.
struct Property
{
    int number = 0;
    Value (*read)(const Access&) = nullptr;
    void (*write)(const Access&, const Value&) = nullptr;
    Value (*initial)(const UnitLayout&) = nullptr;
};

struct UnitTypeInfo
{
    UnitType type = UnitType::Label;
    /// Numbers 0-7 are the common properties and the type's own start at 8;
    /// menu items number their own from 0.
    bool common = true;
    /// Builds what realises the unit under `parent`: a widget, a timer, or
    /// nothing (null function) for units the host only keeps data for.
    QObject* (*create)(const UnitLayout& layout, QWidget* parent, UnitRef ref) = nullptr;
    std::vector<Property> properties;
    /// The events the type raises (its widgets' signals are connected by create).
    std::vector<int> events;

    const Property* find(int number) const;
};

/// The description of a unit type.
const UnitTypeInfo& describe(UnitType type);
/// The properties 0-7 that every type but the menu item shares.
const std::vector<Property>& commonProperties();

// One description per type, each in its own file under host/units/.
const UnitTypeInfo& windowType();
const UnitTypeInfo& menuItemType();
const UnitTypeInfo& editBoxType();
const UnitTypeInfo& groupBoxType();
const UnitTypeInfo& labelType();
const UnitTypeInfo& buttonType();
const UnitTypeInfo& checkBoxType();
const UnitTypeInfo& radioBoxType();
const UnitTypeInfo& comboBoxType();
const UnitTypeInfo& spinType();
const UnitTypeInfo& commonDialogType();
const UnitTypeInfo& timerType();
const UnitTypeInfo& listType();

/// Adds text at the end of an edit box's content and scrolls to it.
void appendEditBoxText(UnitState& editBox, const Text& text);

/// The part of a caption written to a unit that its widget is given to show;
/// the unit keeps the whole text when that is longer.
QString shownCaption(UnitState& unit, const Value& value);
/// A unit's caption as written, its widget showing `shown`.
Value writtenCaption(const UnitState& unit, const QString& shown);

/// Gives a new unit's widget the layout's name, rectangle, font, focus,
/// visibility and enabled state.
void setUpWidget(QWidget* widget, const UnitLayout& layout);

} // namespace host::detail
