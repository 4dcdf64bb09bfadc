// The properties every unit but the menu item shares (numbers 0-7), and the
// set-up every unit widget gets from its layout.

#include "host/values/codec_p.h"
#include "host/runtime/runtime_p.h"
#include "host/units/styling_p.h"
#include "host/widgets/longtext_p.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace host::detail {
namespace {

constexpr int kPositionLimit = 32627;

bool isWindow(const UnitState& unit)
{
    return unit.layout == nullptr;
}

// Geometry of a unit as the host reports it: windows by their outer frame
// (screen position, client size plus the nominal frame), controls relative
// to their parent's client area.
Rect geometryOf(const UnitState& unit)
{
    const QWidget* widget = unit.widget();
    if (!widget)
        return unit.rect;
    if (isWindow(unit))
        return Rect{widget->x(), widget->y(), widget->width() + 2 * kFrameSide,
                    widget->height() + kTitleBar + 2 * kFrameSide};
    const QRect geometry = widget->geometry();
    return Rect{geometry.x(), geometry.y(), geometry.width(), geometry.height()};
}

// A top-level window grows no larger than the screens together and its
// frame: however large a size the program writes, the window never outgrows
// what the screens can show at once.
QSize largestWindow()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screens = screen ? screen->virtualSize() : QSize(kPositionLimit, kPositionLimit);
    return QSize(screens.width() + 2 * kFrameSide, screens.height() + kTitleBar + 2 * kFrameSide);
}

void setGeometry(UnitState& unit, Rect rect)
{
    rect.left = std::clamp(rect.left, -kPositionLimit, kPositionLimit);
    rect.top = std::clamp(rect.top, -kPositionLimit, kPositionLimit);
    rect.width = std::clamp(rect.width, 0, kPositionLimit);
    rect.height = std::clamp(rect.height, 0, kPositionLimit);
    QWidget* widget = unit.widget();
    if (widget && isWindow(unit)) {
        const QSize largest = largestWindow();
        rect.width = std::min(rect.width, largest.width());
        rect.height = std::min(rect.height, largest.height());
    }
    unit.rect = rect;
    if (!widget)
        return;
    if (isWindow(unit)) {
        widget->move(rect.left, rect.top);
        widget->setFixedSize(std::max(rect.width - 2 * kFrameSide, 0),
                             std::max(rect.height - kTitleBar - 2 * kFrameSide, 0));
    } else {
        widget->setGeometry(rect.left, rect.top, rect.width, rect.height);
    }
}

// One side of the rectangle: 0 left, 1 top, 2 width, 3 height.
int& side(Rect& rect, int number)
{
    int* sides[] = {&rect.left, &rect.top, &rect.width, &rect.height};
    return *sides[number];
}

Value readSide(const Access& access)
{
    Rect rect = geometryOf(access.unit);
    return side(rect, access.number);
}

void writeSide(const Access& access, const Value& value)
{
    Rect rect = geometryOf(access.unit);
    side(rect, access.number) = value.toInt();
    setGeometry(access.unit, rect);
}

Value readVisible(const Access& access)
{
    const QWidget* widget = access.unit.widget();
    if (widget && !isWindow(access.unit))
        return !widget->isHidden();
    return access.unit.visible;
}

void writeVisible(const Access& access, const Value& value)
{
    UnitState& unit = access.unit;
    unit.visible = value.toBool();
    QWidget* widget = unit.widget();
    if (!widget)
        return;
    // A window still inside its created event is shown by its load.
    if (isWindow(unit) && !access.window.shownOnce)
        return;
    widget->setVisible(unit.visible);
    if (unit.visible && isWindow(unit)) {
        widget->raise();
        widget->activateWindow();
    }
}

Value readDisabled(const Access& access)
{
    const QWidget* widget = access.unit.widget();
    return widget ? widget->testAttribute(Qt::WA_ForceDisabled) : access.unit.disabled;
}

void writeDisabled(const Access& access, const Value& value)
{
    access.unit.disabled = value.toBool();
    if (isWindow(access.unit))
        refreshEnabledWindows();  // a dialog-mode window may hold it disabled as well
    else if (QWidget* widget = access.unit.widget())
        widget->setEnabled(!access.unit.disabled);
}

} // namespace

const std::vector<Property>& commonProperties()
{
    static const std::vector<Property> properties{
        {prop::left, readSide, writeSide},
        {prop::top, readSide, writeSide},
        {prop::width, readSide, writeSide},
        {prop::height, readSide, writeSide},
        {prop::tag, [](const Access& access) -> Value { return access.unit.tag; },
         [](const Access& access, const Value& value) { access.unit.tag = value.toText(); }},
        {prop::visible, readVisible, writeVisible},
        {prop::disabled, readDisabled, writeDisabled},
    };
    return properties;
}

QString shownCaption(UnitState& unit, const Value& value)
{
    QString text = codec::toQString(value.toText());
    QString shown = shownPart(text);
    if (shown.size() < text.size())
        unit.wholeCaption = std::move(text);
    else
        unit.wholeCaption.reset();
    return shown;
}

Value writtenCaption(const UnitState& unit, const QString& shown)
{
    return codec::fromQString(unit.wholeCaption ? *unit.wholeCaption : shown);
}

void setUpWidget(QWidget* widget, const UnitLayout& layout)
{
    widget->setObjectName(QString::fromUtf8(layout.name()));
    widget->setAccessibleName(codec::toQString(layout.accessibleName));
    widget->setGeometry(layout.rect.left, layout.rect.top, layout.rect.width, layout.rect.height);
    applyFont(widget, layout);
    if (widget->focusPolicy() != Qt::NoFocus)
        widget->setFocusPolicy(layout.tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    widget->setHidden(!layout.visible);
    widget->setEnabled(!layout.disabled);
}

} // namespace host::detail
