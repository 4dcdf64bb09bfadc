#pragma once

// What a screen reader sees of a ReportList: a table of its rows and visible columns, which it
// can read by row and column with each cell's caption, and whose children are the captions,
// then the cells row by row, each read by its text. Invisible columns stay out of it, as they
// stay off the screen.

class QAccessibleInterface;
class QObject;
class QString;

namespace host {

class ReportList;

/// The accessibility factory for ReportList; installed once by the first list.
QAccessibleInterface* reportListAccessibleFactory(const QString& className, QObject* object);

// Notices for a screen reader; each does nothing while none is listening.

/// Rows came or went: the cells are made anew.
void reportListRowsChanged(ReportList* list);
/// A cell's text changed.
void reportListCellChanged(ReportList* list, int row, int column);
/// The selected row or the current column moved, or the list took the focus.
void reportListCurrentChanged(ReportList* list);

} // namespace host
