// Properties read and written by number, and the list's row methods.

#include "host/codec.h"
#include "host/runtimestate.h"
#include "host/widgets/reportlist.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWindow>

namespace host {
namespace {

using detail::UnitState;

constexpr int kPositionLimit = 32627;

bool isWindow(const UnitState& state)
{
    return state.layout == nullptr;
}

UnitType typeOf(const UnitState& state)
{
    return isWindow(state) ? UnitType::Window : state.layout->type;
}

// Geometry of a unit as the host reports it: windows by their outer frame
// (screen position, client size plus the nominal frame), controls relative
// to their parent's client area.
Rect geometryOf(const UnitState& state)
{
    if (!state.widget)
        return state.rect;
    if (isWindow(state)) {
        const QPoint position = state.widget->pos();
        return Rect{position.x(), position.y(), state.widget->width() + 2 * kFrameSide,
                    state.widget->height() + kTitleBar + 2 * kFrameSide};
    }
    const QRect geometry = state.widget->geometry();
    return Rect{geometry.x(), geometry.y(), geometry.width(), geometry.height()};
}

void setGeometry(UnitState& state, const Rect& rect)
{
    state.rect = rect;
    if (!state.widget)
        return;
    if (isWindow(state)) {
        state.widget->move(rect.left, rect.top);
        state.widget->setFixedSize(std::max(rect.width - 2 * kFrameSide, 0),
                                   std::max(rect.height - kTitleBar - 2 * kFrameSide, 0));
    } else {
        state.widget->setGeometry(rect.left, rect.top, std::max(rect.width, 0), std::max(rect.height, 0));
    }
}

Value readCommon(const UnitState& state, int number)
{
    const Rect rect = geometryOf(state);
    switch (number) {
    case prop::left: return rect.left;
    case prop::top: return rect.top;
    case prop::width: return rect.width;
    case prop::height: return rect.height;
    case prop::tag: return state.tag;
    case prop::visible:
        if (state.widget && !isWindow(state))
            return !state.widget->isHidden();
        return state.visible;
    case prop::disabled:
        return state.widget ? state.widget->testAttribute(Qt::WA_ForceDisabled) : state.disabled;
    default: return Absent{};
    }
}

void writeCommon(detail::LoadedWindow& window, UnitState& state, int number, const Value& value)
{
    Rect rect = geometryOf(state);
    switch (number) {
    case prop::left:
    case prop::top: {
        const int position = std::clamp(value.toInt(), -kPositionLimit, kPositionLimit);
        (number == prop::left ? rect.left : rect.top) = position;
        setGeometry(state, rect);
        break;
    }
    case prop::width: rect.width = value.toInt(); setGeometry(state, rect); break;
    case prop::height: rect.height = value.toInt(); setGeometry(state, rect); break;
    case prop::tag: state.tag = value.toText(); break;
    case prop::visible: {
        const bool visible = value.toBool();
        state.visible = visible;
        if (!state.widget)
            break;
        // A window still inside its created event is shown by its load.
        if (isWindow(state) && !window.widget->isVisible() && !window.shownOnce) {
            break;
        }
        state.widget->setVisible(visible);
        if (visible && isWindow(state)) {
            state.widget->raise();
            state.widget->activateWindow();
        }
        break;
    }
    case prop::disabled:
        state.disabled = value.toBool();
        if (state.widget)
            state.widget->setEnabled(!state.disabled);
        break;
    default: break;
    }
}

Value readMenuItem(const UnitState& state, int number)
{
    switch (number) {
    case menuProp::caption: return state.caption;
    case menuProp::checked: return state.checked;
    case menuProp::disabled: return state.disabled;
    case menuProp::visible: return state.visible;
    default: return Absent{};
    }
}

void writeMenuItem(UnitState& state, int number, const Value& value)
{
    switch (number) {
    case menuProp::caption: state.caption = value.toText(); break;
    case menuProp::checked: state.checked = value.toBool(); break;
    case menuProp::disabled: state.disabled = value.toBool(); break;
    case menuProp::visible: state.visible = value.toBool(); break;
    default: break;
    }
}

Text widgetText(QWidget* widget)
{
    if (auto* label = qobject_cast<QLabel*>(widget))
        return codec::fromQString(label->text());
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return codec::fromQString(edit->text());
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget))
        return codec::fromQString(edit->toPlainText());
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return codec::fromQString(button->text());
    if (auto* group = qobject_cast<QGroupBox*>(widget))
        return codec::fromQString(group->title());
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return codec::fromQString(combo->currentText());
    return {};
}

void setWidgetText(QWidget* widget, const Text& text)
{
    const QString string = codec::toQString(text);
    if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(string);
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(string);
    else if (auto* edit = qobject_cast<QPlainTextEdit*>(widget))
        edit->setPlainText(string);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(string);
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
        group->setTitle(string);
    else if (auto* combo = qobject_cast<QComboBox*>(widget))
        combo->setCurrentText(string);
}

// Writing a radio box changes only that box; its siblings keep their state,
// so the toolkit's own exclusivity is suspended for the write.
void setChecked(QAbstractButton* button, bool checked)
{
    const bool exclusive = button->autoExclusive();
    button->setAutoExclusive(false);
    button->setChecked(checked);
    button->setAutoExclusive(exclusive);
}

Value readOwn(detail::LoadedWindow& window, UnitState& state, int number)
{
    switch (typeOf(state)) {
    case UnitType::Window:
        if (number == prop::caption)
            return codec::fromQString(window.widget->windowTitle());
        if (number == prop::alwaysOnTop)
            return window.alwaysOnTop;
        break;
    case UnitType::Timer:
        if (number == prop::interval)
            return state.interval;
        break;
    case UnitType::CheckBox:
    case UnitType::RadioBox:
        if (number == prop::checked)
            return static_cast<QAbstractButton*>(state.widget.data())->isChecked();
        if (number == prop::caption)
            return widgetText(state.widget);
        break;
    case UnitType::ListView:
        if (number == prop::currentRow)
            return static_cast<ReportList*>(state.widget.data())->currentRow();
        break;
    case UnitType::CommonDlg:
        switch (number) {
        case prop::dialogType: return state.dialogType;
        case prop::title: return state.title;
        case prop::fileName: return state.fileName;
        case prop::filter: return state.filter;
        case prop::filterIndex: return state.filterIndex;
        case prop::initialDirectory: return state.initialDirectory;
        case prop::defaultExtension: return state.defaultExtension;
        default: break;
        }
        break;
    case UnitType::Label:
    case UnitType::EditBox:
    case UnitType::Button:
    case UnitType::GroupBox:
    case UnitType::ComboBox:
        if (number == prop::caption)
            return widgetText(state.widget);
        break;
    case UnitType::Menu:
    case UnitType::Spin:
        break;
    }
    return Absent{};
}

void writeOwn(detail::LoadedWindow& window, UnitState& state, int number, const Value& value)
{
    switch (typeOf(state)) {
    case UnitType::Window:
        if (number == prop::caption)
            window.widget->setWindowTitle(codec::toQString(value.toText()));
        else if (number == prop::alwaysOnTop)
            detail::setAlwaysOnTop(window, value.isBool() ? value.toBool() : value.toInt() == 1);
        break;
    case UnitType::Timer:
        if (number == prop::interval)
            detail::setTimerInterval(state, value.toInt());
        break;
    case UnitType::CheckBox:
    case UnitType::RadioBox:
        if (number == prop::checked)
            setChecked(static_cast<QAbstractButton*>(state.widget.data()), value.toInt() == 1);
        else if (number == prop::caption)
            setWidgetText(state.widget, value.toText());
        break;
    case UnitType::ListView:
        if (number == prop::currentRow)
            static_cast<ReportList*>(state.widget.data())->setCurrentRow(value.toInt());
        break;
    case UnitType::CommonDlg:
        switch (number) {
        case prop::dialogType: state.dialogType = std::clamp(value.toInt(), 0, 3); break;
        case prop::title: state.title = value.toText(); break;
        case prop::fileName: state.fileName = value.toText(); break;
        case prop::filter: state.filter = value.toText(); break;
        case prop::filterIndex: state.filterIndex = std::max(value.toInt(), 0); break;
        case prop::initialDirectory: state.initialDirectory = value.toText(); break;
        case prop::defaultExtension: state.defaultExtension = value.toText(); break;
        default: break;
        }
        break;
    case UnitType::Label:
    case UnitType::EditBox:
    case UnitType::Button:
    case UnitType::GroupBox:
    case UnitType::ComboBox:
        if (number == prop::caption)
            setWidgetText(state.widget, value.toText());
        break;
    case UnitType::Menu:
    case UnitType::Spin:
        break;
    }
}

ReportList* listOf(UnitRef unit)
{
    UnitState& state = detail::unitState(unit);
    return typeOf(state) == UnitType::ListView ? static_cast<ReportList*>(state.widget.data()) : nullptr;
}

} // namespace

Value readProperty(UnitRef unit, int number)
{
    UnitState& state = detail::unitState(unit);
    detail::LoadedWindow& window = *detail::findLoaded(unit.window);
    if (typeOf(state) == UnitType::Menu)
        return readMenuItem(state, number);
    if (number < prop::caption)
        return readCommon(state, number);
    return readOwn(window, state, number);
}

void writeProperty(UnitRef unit, int number, const Value& value)
{
    UnitState& state = detail::unitState(unit);
    detail::LoadedWindow& window = *detail::findLoaded(unit.window);
    if (typeOf(state) == UnitType::Menu)
        writeMenuItem(state, number, value);
    else if (number < prop::caption)
        writeCommon(window, state, number, value);
    else
        writeOwn(window, state, number, value);
}

Text listGetCell(UnitRef list, int row, int column)
{
    ReportList* widget = listOf(list);
    return widget ? codec::fromQString(widget->cell(row, column)) : Text();
}

bool listSetCell(UnitRef list, int row, int column, const Text& text)
{
    ReportList* widget = listOf(list);
    return widget && widget->setCell(row, column, codec::toQString(text));
}

int listRowCount(UnitRef list)
{
    ReportList* widget = listOf(list);
    return widget ? widget->rowCount() : 0;
}

int listInsertRow(UnitRef list, int position, const Text& firstCell)
{
    ReportList* widget = listOf(list);
    return widget ? widget->insertRow(position, codec::toQString(firstCell)) : -1;
}

bool listDeleteRow(UnitRef list, int row)
{
    ReportList* widget = listOf(list);
    return widget && widget->deleteRow(row);
}

namespace detail {

void setAlwaysOnTop(LoadedWindow& window, bool onTop)
{
    // The keep-on-top timer writes true every millisecond: an unchanged
    // value must cost nothing.
    if (window.alwaysOnTop == onTop)
        return;
    window.alwaysOnTop = onTop;
    if (!window.widget)
        return;
    if (QWindow* handle = window.widget->windowHandle(); handle && window.widget->isVisible()) {
        // Changing the flag on the native window keeps it mapped; the
        // widget's own setter would hide and re-show it.
        handle->setFlag(Qt::WindowStaysOnTopHint, onTop);
        if (onTop)
            window.widget->raise();
    } else {
        window.widget->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    }
}

} // namespace detail
} // namespace host
