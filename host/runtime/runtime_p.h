#pragma once

// What the runtime keeps for each loaded window and unit. Private to the
// host and to its tests (through tests/support/unitdriver.h); the program
// goes through runtime.h, which names no Qt type.

#include "host/runtime/layout.h"
#include "host/runtime/runtime.h"
#include "host/units/unittype_p.h"

#include <QPointer>
#include <QWidget>

#include <map>
#include <memory>
#include <optional>
#include <vector>

class QEventLoop;

namespace host::detail {

/// Live state of one unit. Units with a widget keep their geometry,
/// visibility and enabled state in it; the others keep them here.
struct UnitState
{
    const UnitLayout* layout = nullptr;  // null for unit 0, the window
    const UnitTypeInfo* type = nullptr;
    QPointer<QObject> object;  // the widget or timer that realises the unit, if any
    Text tag;
    Rect rect;
    bool visible = true;
    bool disabled = false;
    std::map<int, Value> stored;  // the properties the host keeps itself
    std::optional<QString> wholeCaption;  // a caption longer than its widget was given

    QWidget* widget() const { return qobject_cast<QWidget*>(object.data()); }
};

template <typename T>
T* Access::as() const
{
    return static_cast<T*>(unit.object.data());
}

/// A loaded window: its top-level widget and the state of every unit
/// (index 0 is the window itself, n is the layout's unit n).
struct LoadedWindow
{
    const WindowLayout* layout = nullptr;
    QPointer<QWidget> widget;
    std::vector<UnitState> units;
    int order = 0;  // load order: a dialog-mode window disables those loaded before it
    bool dialogMode = false;
    bool closePending = false;
    bool shownOnce = false;
    bool destroying = false;
    bool alwaysOnTop = false;
    QEventLoop* dialogLoop = nullptr;
};

/// The loaded window with this id, or null.
LoadedWindow* findLoaded(WindowId window);
/// Every loaded window, by id.
std::vector<LoadedWindow*> allLoaded();
/// The next number in the order in which the program's windows appear:
/// loaded windows, message boxes and file dialogs share one count.
int nextWindowOrder();
/// The state of a unit of a loaded window; fatal when the window is not
/// loaded or the unit does not exist.
UnitState& unitState(UnitRef unit);
/// The layout of a loaded window's unit; fatal when it does not resolve.
const UnitLayout& unitLayout(UnitRef unit);
/// The layout of a registered window, or null.
const WindowLayout* windowLayout(WindowId window);
/// The widget that realises a unit (the top-level widget for unit 0); null
/// for units without one (timers, menu items, common dialogs). Fatal when
/// the unit does not resolve.
QWidget* unitWidget(UnitRef unit);

/// Delivers an event to its bound handler now, if it has one.
void raiseEvent(UnitRef unit, int event, int argument = 0);
/// Delivers an event after the current handler has returned.
void postEvent(UnitRef unit, int event, int argument = 0);

/// Gives every loaded window its enabled state: enabled exactly when the
/// program has not disabled it and no dialog-mode window loaded after it is open.
void refreshEnabledWindows();
/// Whether the user may close the window: not while a dialog-mode window
/// (or the program) has disabled it.
bool userMayClose(WindowId window);
/// Destroys a window now: re-enabling, destroying event, unloading.
void destroyWindow(WindowId window);

} // namespace host::detail
