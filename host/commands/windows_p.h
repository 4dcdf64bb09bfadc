#pragma once

// The order in which the program's windows appear, shared by the loaded
// windows, message boxes and file dialogs: a snooze shows them again in it.

class QWidget;

namespace host::detail {

/// Numbers a message box or file dialog as it appears (nextWindowOrder).
void stampWindowOrder(QWidget* window);
/// The number a window got as it appeared; 0 for one never numbered.
int windowOrder(const QWidget* window);

} // namespace host::detail
