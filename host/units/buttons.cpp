// Push buttons, check boxes and radio boxes: a caption, a checked state for
// the boxes, and the clicked event.

#include "host/values/codec_p.h"
#include "host/runtime/runtime_p.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

namespace host::detail {
namespace {

Value readCaption(const Access& access)
{
    return writtenCaption(access.unit, access.as<QAbstractButton>()->text());
}

void writeCaption(const Access& access, const Value& value)
{
    access.as<QAbstractButton>()->setText(shownCaption(access.unit, value));
}

Value readChecked(const Access& access)
{
    return access.as<QAbstractButton>()->isChecked();
}

// A write changes only the box written: the toolkit's exclusivity of radio
// boxes is suspended for it, so the program may leave two of a group checked.
void setChecked(QAbstractButton* button, bool checked)
{
    const bool exclusive = button->autoExclusive();
    button->setAutoExclusive(false);
    button->setChecked(checked);
    button->setAutoExclusive(exclusive);
}

void writeChecked(const Access& access, const Value& value)
{
    setChecked(access.as<QAbstractButton>(), value.toInt() == 1);
}

template <typename Button>
Button* createButton(const UnitLayout& layout, QWidget* parent, UnitRef ref)
{
    auto* button = new Button(codec::toQString(layout.text), parent);
    button->setChecked(layout.checked);
    QObject::connect(button, &QAbstractButton::clicked, button, [ref] { raiseEvent(ref, event::clicked); });
    return button;
}

// A click on a radio box leaves it checked and every other radio box of its
// group unchecked, however many the program's writes had left checked.
QObject* createRadioBox(const UnitLayout& layout, QWidget* parent, UnitRef ref)
{
    auto* radio = new QRadioButton(codec::toQString(layout.text), parent);
    radio->setChecked(layout.checked);
    QObject::connect(radio, &QAbstractButton::clicked, radio, [radio, ref] {
        for (QRadioButton* sibling : radio->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
            if (sibling != radio)
                setChecked(sibling, false);
        }
        setChecked(radio, true);
        raiseEvent(ref, event::clicked);
    });
    return radio;
}

} // namespace

const UnitTypeInfo& buttonType()
{
    static const UnitTypeInfo type{
        .type = UnitType::Button,
        .create = [](const UnitLayout& layout, QWidget* parent, UnitRef ref) -> QObject* {
            return createButton<QPushButton>(layout, parent, ref);
        },
        .properties = {{prop::caption, readCaption, writeCaption}},
        .events = {event::clicked},
    };
    return type;
}

const UnitTypeInfo& checkBoxType()
{
    static const UnitTypeInfo type{
        .type = UnitType::CheckBox,
        .create = [](const UnitLayout& layout, QWidget* parent, UnitRef ref) -> QObject* {
            return createButton<QCheckBox>(layout, parent, ref);
        },
        .properties = {{prop::caption, readCaption, writeCaption}, {prop::checked, readChecked, writeChecked}},
        .events = {event::clicked},
    };
    return type;
}

const UnitTypeInfo& radioBoxType()
{
    static const UnitTypeInfo type{
        .type = UnitType::RadioBox,
        .create = createRadioBox,
        .properties = {{prop::caption, readCaption, writeCaption}, {prop::checked, readChecked, writeChecked}},
        .events = {event::clicked},
    };
    return type;
}

} // namespace host::detail
