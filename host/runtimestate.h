#pragma once

// What the runtime keeps for each loaded window and unit. Shared by the
// runtime's own files only; the rest of the program goes through runtime.h.

#include "host/layout.h"
#include "host/runtime.h"

#include <QPointer>
#include <QWidget>

#include <map>
#include <memory>
#include <vector>

class QEventLoop;
class QTimer;

namespace host::detail {

/// Live state of one unit. Units with a widget keep their geometry,
/// visibility and enabled state in it; the others keep them here.
struct UnitState
{
    const UnitLayout* layout = nullptr;  // null for unit 0, the window
    QPointer<QWidget> widget;
    QTimer* timer = nullptr;  // timers: owned by the window widget
    int interval = 0;
    Text tag;
    Rect rect;
    bool visible = true;
    bool disabled = false;
    // Menu items.
    Text caption;
    bool checked = false;
    // Common dialogs.
    int dialogType = 0;
    Text title;
    Text fileName;
    Text filter;
    int filterIndex = 0;
    Text initialDirectory;
    Text defaultExtension;
};

/// A loaded window: its top-level widget and the state of every unit
/// (index 0 is the window itself, n is the layout's unit n).
struct LoadedWindow
{
    const WindowLayout* layout = nullptr;
    QPointer<QWidget> widget;
    std::vector<UnitState> units;
    int generation = 0;  // tells a reloaded window from the one a queued close was meant for
    bool closePending = false;
    bool shownOnce = false;
    bool destroying = false;
    bool alwaysOnTop = false;
    QEventLoop* dialogLoop = nullptr;
    std::vector<std::pair<QPointer<QWidget>, bool>> disabledByDialog;  // window, was enabled
};

/// The loaded window with this id, or null.
LoadedWindow* findLoaded(WindowId window);
/// The state of a unit of a loaded window; fatal when the window is not
/// loaded or the unit does not exist.
UnitState& unitState(UnitRef unit);

/// Builds the widget of a unit under `parent` (null for units without one).
QWidget* createUnitWidget(const UnitLayout& layout, QWidget* parent, UnitRef ref);
/// Builds a window's top-level widget, without its units.
QWidget* createWindowWidget(const WindowLayout& layout);

/// Sets a timer's interval by the host's rules (same value: no restart).
void setTimerInterval(UnitState& state, int interval);
/// Puts a window above non-topmost windows or lets it go back among them.
void setAlwaysOnTop(LoadedWindow& window, bool onTop);
/// Destroys a window now: destroying event, re-enabling, unloading.
void destroyWindow(WindowId window);

} // namespace host::detail
