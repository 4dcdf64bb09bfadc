#include "host/commands/units.h"

#include "host/values/codec_p.h"
#include "host/runtime/runtime_p.h"
#include "host/widgets/longtext_p.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

#include <algorithm>

namespace host {
namespace {

// The items of a menu are the menu units whose parent is the menu's unit.
// Each is read through the runtime as it stands now, so captions, checks
// and states written by the program since the last popup show up.
void addItems(QMenu& menu, const WindowLayout& window, int parentUnit)
{
    static const Text separator = "-"_t;
    for (std::size_t index = 0; index < window.units.size(); ++index) {
        const UnitLayout& unit = window.units[index];
        if (unit.type != UnitType::Menu || unit.parent != parentUnit)
            continue;
        const int number = static_cast<int>(index) + 1;
        const UnitRef item{window.id, number};
        if (!readProperty(item, menuProp::visible).toBool())
            continue;
        const Text caption = readProperty(item, menuProp::caption).toText();
        // The menu measures every character it is given; no screen shows more than its start.
        const QString shown = shownPart(codec::toQString(caption));
        if (caption == separator) {
            menu.addSeparator();
            continue;
        }
        const bool hasItems = std::any_of(window.units.begin(), window.units.end(), [number](const UnitLayout& other) {
            return other.type == UnitType::Menu && other.parent == number;
        });
        QAction* action = nullptr;
        if (hasItems) {
            QMenu* submenu = menu.addMenu(shown);
            addItems(*submenu, window, number);
            action = submenu->menuAction();
        } else {
            action = menu.addAction(shown);
            action->setData(number);
            // Only a checked item shows a mark; an unchecked one shows none.
            const bool checked = readProperty(item, menuProp::checked).toBool();
            action->setCheckable(checked);
            action->setChecked(checked);
        }
        action->setEnabled(!readProperty(item, menuProp::disabled).toBool());
    }
}

} // namespace

void moveUnit(UnitRef unit, std::optional<std::int32_t> left, std::optional<std::int32_t> top,
              std::optional<std::int32_t> width, std::optional<std::int32_t> height)
{
    const Rect current{readProperty(unit, prop::left).toInt(), readProperty(unit, prop::top).toInt(),
                       readProperty(unit, prop::width).toInt(), readProperty(unit, prop::height).toInt()};
    const Rect wanted{left.value_or(current.left), top.value_or(current.top),
                      width && *width != -1 ? *width : current.width,
                      height && *height != -1 ? *height : current.height};
    if (wanted == current)
        return;
    if (wanted.left != current.left)
        writeProperty(unit, prop::left, Value(wanted.left));
    if (wanted.top != current.top)
        writeProperty(unit, prop::top, Value(wanted.top));
    if (wanted.width != current.width)
        writeProperty(unit, prop::width, Value(wanted.width));
    if (wanted.height != current.height)
        writeProperty(unit, prop::height, Value(wanted.height));
}

void popupMenu(WindowId window, UnitRef menu, std::optional<std::int32_t> x, std::optional<std::int32_t> y)
{
    if (menu.window != window)
        return;
    if (detail::unitLayout(menu).type != UnitType::Menu)
        return;
    const WindowLayout* layout = detail::windowLayout(window);
    if (!layout)
        return;

    QMenu popup;
    addItems(popup, *layout, menu.unit);
    if (popup.isEmpty())
        return;
    QPoint position = QCursor::pos() + QPoint(3, 3);
    if (x)
        position.setX(*x);
    if (y)
        position.setY(*y);
    // exec() runs a nested loop until the menu closes; the choice is then
    // posted, so its handler runs after this command's caller has returned,
    // not inside it.
    const QAction* chosen = popup.exec(position);
    if (chosen && chosen->data().isValid())
        detail::postEvent(UnitRef{window, chosen->data().toInt()}, event::chosen);
}

void appendEditText(UnitRef editBox, const std::vector<Text>& texts)
{
    detail::UnitState& unit = detail::unitState(editBox);
    if (unit.type != &detail::editBoxType())
        return;
    for (const Text& text : texts)
        detail::appendEditBoxText(unit, text);
}

} // namespace host
