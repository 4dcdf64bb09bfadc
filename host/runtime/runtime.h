#pragma once

// The window runtime: loaded windows and their units, properties read and
// written by number, the list's row methods, events delivered to bound
// handlers, dialog mode and the message loop, and fatal errors.
//
// Everything here runs on the user-interface thread. A handler may be
// re-entered only where a service waits in a nested loop (a dialog-mode
// load, a message box, the open-file dialog, the popup menu).

#include "host/runtime/layout.h"
#include "host/values/value.h"

#include <optional>

namespace host {

/// Prepares the host once the QApplication exists: the program's name (also
/// its window class), font substitutions, quitting only through the message loop.
void initialise(const Text& programName = {});

/// Makes a window layout known to the runtime, so it can be loaded by id.
/// The layout must outlive the runtime (layouts are static data).
void registerWindow(const WindowLayout& layout);

/// Reads property `number` of a unit. Fatal when the unit's window is not
/// loaded or the unit does not exist. Unknown numbers read as absent.
Value readProperty(UnitRef unit, int number);
/// Writes property `number` of a unit. Fatal as readProperty; writes to a
/// property the unit's type does not have are ignored.
void writeProperty(UnitRef unit, int number, const Value& value);

enum class DialogMode { Modeless, Dialog };
enum class CloseMode { Deferred, Immediate };

/// Loads a window from its layout and shows it. An open window is only
/// brought to the front (true at once). In dialog mode the other windows are
/// disabled and the call returns only once the loaded window is destroyed.
/// False when `parent` is given (modeless only) and not loaded.
bool loadWindow(WindowId window, DialogMode mode = DialogMode::Modeless, std::optional<WindowId> parent = {});
/// Closes a window: after the current handler returns, or now. Re-enables
/// what its dialog-mode load disabled; raises its destroying event.
void closeWindow(WindowId window, CloseMode mode = CloseMode::Deferred);
/// Loads the start window; fatal ("载入启动窗口失败") when it cannot be created.
void loadStartWindow(WindowId window);
/// Runs the event loop until no loaded window remains; returns at once if none is.
void runMessageLoop();
/// Whether the window is loaded (and not yet destroyed).
bool isLoaded(WindowId window);

/// The list methods. Rows and columns count from 0.
Text listGetCell(UnitRef list, int row, int column = 0);
bool listSetCell(UnitRef list, int row, int column, const Text& text);
int listRowCount(UnitRef list);
/// Inserts a row at `position` (negative or past the end: after the last); returns its index.
int listInsertRow(UnitRef list, int position = -1, const Text& firstCell = {});
bool listDeleteRow(UnitRef list, int row);

/// Ends the program through the fatal-error report: a message box titled
/// "错误", then exit code -1. No handler runs once the report has begun. Raised
/// on another thread (the player's), the report goes to standard error only.
[[noreturn]] void fatalError(const Text& message, std::optional<int> code = {});

} // namespace host
