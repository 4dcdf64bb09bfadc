// Labels, group boxes, combo boxes and spinners.

#include "host/values/codec_p.h"
#include "host/runtime/runtime_p.h"
#include "host/units/styling_p.h"
#include "host/widgets/groupframe_p.h"
#include "host/widgets/shadedlabel_p.h"
#include "host/widgets/spinarrows_p.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

namespace host::detail {
namespace {

QObject* createLabel(const UnitLayout& layout, QWidget* parent, UnitRef)
{
    QLabel* label = nullptr;
    if (layout.shading) {
        auto* shaded = new ShadedLabel(parent);
        const auto& stops = *layout.shading;
        shaded->setRamp(toQColor(stops[0]), toQColor(stops[1]), toQColor(stops[2]));
        label = shaded;
    } else {
        label = new QLabel(parent);
    }
    label->setText(codec::toQString(layout.text));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(false);
    label->setAlignment(alignmentOf(layout));
    applyColours(label, layout, QPalette::WindowText, QPalette::Window);
    return label;
}

QObject* createComboBox(const UnitLayout& layout, QWidget* parent, UnitRef)
{
    const QString text = codec::toQString(layout.text);
    auto* combo = new QComboBox(parent);
    for (const Text& item : layout.items)
        combo->addItem(codec::toQString(item));
    if (!text.isEmpty() && combo->findText(text) < 0)
        combo->addItem(text);
    combo->setCurrentText(text);
    return combo;
}

} // namespace

const UnitTypeInfo& labelType()
{
    static const UnitTypeInfo type{
        .type = UnitType::Label,
        .create = createLabel,
        .properties = {{prop::caption,
                        [](const Access& access) -> Value { return writtenCaption(access.unit, access.as<QLabel>()->text()); },
                        [](const Access& access, const Value& value) {
                            access.as<QLabel>()->setText(shownCaption(access.unit, value));
                        }}},
    };
    return type;
}

const UnitTypeInfo& groupBoxType()
{
    static const UnitTypeInfo type{
        .type = UnitType::GroupBox,
        .create = [](const UnitLayout& layout, QWidget* parent, UnitRef) -> QObject* {
            return new GroupFrame(codec::toQString(layout.text), parent);
        },
        .properties = {{prop::caption,
                        [](const Access& access) -> Value {
                            return writtenCaption(access.unit, access.as<QGroupBox>()->title());
                        },
                        [](const Access& access, const Value& value) {
                            access.as<QGroupBox>()->setTitle(shownCaption(access.unit, value));
                        }}},
    };
    return type;
}

const UnitTypeInfo& comboBoxType()
{
    static const UnitTypeInfo type{
        .type = UnitType::ComboBox,
        .create = createComboBox,
        .properties = {{prop::content,
                        [](const Access& access) -> Value {
                            return codec::fromQString(access.as<QComboBox>()->currentText());
                        },
                        [](const Access& access, const Value& value) {
                            access.as<QComboBox>()->setCurrentText(codec::toQString(value.toText()));
                        }}},
    };
    return type;
}

const UnitTypeInfo& spinType()
{
    static const UnitTypeInfo type{
        .type = UnitType::Spin,
        .create = [](const UnitLayout&, QWidget* parent, UnitRef ref) -> QObject* {
            auto* spin = new SpinArrows(parent);
            QObject::connect(spin, &SpinArrows::stepped, spin,
                             [ref](int step) { raiseEvent(ref, event::arrowPressed, step); });
            return spin;
        },
        .events = {event::arrowPressed},
    };
    return type;
}

} // namespace host::detail
