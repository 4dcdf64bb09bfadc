#include "host/widgets/reportlistaccessible_p.h"

#include "host/widgets/reportlist_p.h"

#include <QAccessibleWidget>
#include <QPointer>

#include <algorithm>
#include <map>
#include <vector>

namespace host {
namespace {

std::vector<int> visibleColumns(const ReportList& list)
{
    std::vector<int> columns;
    for (int column = 0; column < list.columnCount(); ++column) {
        if (list.columnWidth(column) > 0)
            columns.push_back(column);
    }
    return columns;
}

/// The table column a screen reader counts for a column of the list: its place among the
/// visible ones, -1 for an invisible one.
int tableColumn(const ReportList& list, int column)
{
    const std::vector<int> columns = visibleColumns(list);
    const auto place = std::find(columns.begin(), columns.end(), column);
    return place == columns.end() ? -1 : static_cast<int>(place - columns.begin());
}

/// One caption (row -1) or one cell, by the list's own column number.
class CellAccessible final : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    CellAccessible(ReportList* list, int row, int column) : m_list(list), m_row(row), m_column(column) {}

    int row() const { return m_row; }
    int column() const { return m_column; }

    bool isValid() const override
    {
        return m_list && m_row < m_list->rowCount() && m_list->columnWidth(m_column) > 0;
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_list ? m_list->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override
    {
        return m_list ? QAccessible::queryAccessibleInterface(m_list.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text kind) const override
    {
        if (kind != QAccessible::Name || !m_list)
            return {};
        return m_row < 0 ? m_list->caption(m_column) : m_list->cell(m_row, m_column);
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        if (!m_list)
            return {};
        if (m_row < 0) {
            const QRect caption = m_list->captionRect(m_column);
            return QRect(m_list->header()->mapToGlobal(caption.topLeft()), caption.size());
        }
        const QRect cell = m_list->cellRect(m_row, m_column);
        return QRect(m_list->viewport()->mapToGlobal(cell.topLeft()), cell.size());
    }
    QAccessible::Role role() const override { return m_row < 0 ? QAccessible::ColumnHeader : QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!m_list || m_row < 0)
            return state;
        state.selectable = true;
        state.focusable = true;
        state.selected = m_list->currentRow() == m_row;
        state.focused = state.selected && m_list->hasFocus() && m_list->currentColumn() == m_column;
        state.invisible = !m_list->viewport()->rect().intersects(m_list->cellRect(m_row, m_column));
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
    }

    // Where the cell stands in the table, for reading by row and column.
    bool isSelected() const override { return m_list && m_row >= 0 && m_list->currentRow() == m_row; }
    int rowIndex() const override { return m_row; }
    int columnIndex() const override { return m_list ? tableColumn(*m_list, m_column) : -1; }
    int rowExtent() const override { return 1; }
    int columnExtent() const override { return 1; }
    /// The caption of the cell's column; a caption is its own column's header.
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    QPointer<ReportList> m_list;
    int m_row;
    int m_column;
};

/// The list as a table of its rows and visible columns. The captions come first among its
/// children, then the cells row by row.
///
/// The desktop's accessibility bridge follows what the table hands out without checking it,
/// so every cell asked for is an interface: a row that does not exist, as in an empty list,
/// gives the caption of its column, and a column that does not exist an empty caption.
class ListAccessible final : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit ListAccessible(ReportList* list) : QAccessibleWidget(list, QAccessible::Table) {}
    ~ListAccessible() override { forgetCells(); }

    ReportList* list() const { return static_cast<ReportList*>(widget()); }

    int childCount() const override
    {
        return static_cast<int>(visibleColumns(*list()).size()) * (list()->rowCount() + 1);
    }

    QAccessibleInterface* child(int index) const override
    {
        const std::vector<int> columns = visibleColumns(*list());
        if (columns.empty() || index < 0 || index >= childCount())
            return nullptr;
        const int perRow = static_cast<int>(columns.size());
        return cell(index / perRow - 1, columns[index % perRow]);
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const auto* cell = dynamic_cast<const CellAccessible*>(child);
        if (!cell || !cell->isValid() || cell->parent() != this)
            return -1;
        return (cell->row() + 1) * columnCount() + tableColumn(*list(), cell->column());
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        const QPoint inHeader = list()->header()->mapFromGlobal(QPoint(x, y));
        if (list()->header()->rect().contains(inHeader)) {
            const int column = list()->columnAt(inHeader.x());
            return column >= 0 ? cell(-1, column) : nullptr;
        }
        const QPoint inRows = list()->viewport()->mapFromGlobal(QPoint(x, y));
        const int row = list()->rowAt(inRows);
        const int column = list()->columnAt(inRows.x());
        return row >= 0 && column >= 0 ? cell(row, column) : nullptr;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // The table: rows are the list's rows, columns its visible columns.
    int rowCount() const override { return list()->rowCount(); }
    int columnCount() const override { return static_cast<int>(visibleColumns(*list()).size()); }
    QAccessibleInterface* cellAt(int row, int column) const override
    {
        const std::vector<int> columns = visibleColumns(*list());
        const int listColumn = column >= 0 && column < static_cast<int>(columns.size()) ? columns[column] : -1;
        const bool exists = row >= 0 && row < list()->rowCount() && listColumn >= 0;
        return cell(exists ? row : -1, listColumn);
    }
    QString columnDescription(int column) const override { return cellAt(-1, column)->text(QAccessible::Name); }
    QString rowDescription(int) const override { return {}; }
    // Neither is there; the bridge asks and takes none for an answer.
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }

    // One row at most is selected, the list's current one; columns are never selected.
    int selectedRowCount() const override { return list()->currentRow() < 0 ? 0 : 1; }
    QList<int> selectedRows() const override
    {
        return list()->currentRow() < 0 ? QList<int>{} : QList<int>{list()->currentRow()};
    }
    bool isRowSelected(int row) const override { return row >= 0 && row == list()->currentRow(); }
    int selectedCellCount() const override { return selectedRowCount() * columnCount(); }
    QList<QAccessibleInterface*> selectedCells() const override
    {
        QList<QAccessibleInterface*> cells;
        if (list()->currentRow() >= 0) {
            for (int column = 0; column < columnCount(); ++column)
                cells.append(cellAt(list()->currentRow(), column));
        }
        return cells;
    }
    bool selectRow(int row) override
    {
        if (row < 0 || row >= list()->rowCount())
            return false;
        list()->setCurrentRow(row);
        return true;
    }
    bool unselectRow(int row) override
    {
        if (!isRowSelected(row))
            return false;
        list()->setCurrentRow(-1);
        return true;
    }
    int selectedColumnCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectColumn(int) override { return false; }

    /// Rows came or went: the cells are made anew when next asked for.
    void modelChange(QAccessibleTableModelChangeEvent*) override { forgetCells(); }

    /// The interface of a caption (row -1) or cell, made once and kept until the rows change.
    QAccessibleInterface* cell(int row, int column) const
    {
        auto found = m_cells.find({row, column});
        if (found == m_cells.end()) {
            auto* made = new CellAccessible(list(), row, column);
            found = m_cells.emplace(std::pair{row, column}, QAccessible::registerAccessibleInterface(made)).first;
        }
        return QAccessible::accessibleInterface(found->second);
    }

    void forgetCells()
    {
        for (const auto& [place, id] : m_cells)
            QAccessible::deleteAccessibleInterface(id);
        m_cells.clear();
    }

private:
    mutable std::map<std::pair<int, int>, QAccessible::Id> m_cells;
};

QList<QAccessibleInterface*> CellAccessible::columnHeaderCells() const
{
    auto* table = dynamic_cast<ListAccessible*>(parent());
    if (!table || m_list->columnWidth(m_column) == 0)
        return {};
    return {table->cell(-1, m_column)};
}

/// The list's interface when a screen reader is listening, else null (none is made).
ListAccessible* listeningTo(ReportList* list)
{
    return QAccessible::isActive() ? dynamic_cast<ListAccessible*>(QAccessible::queryAccessibleInterface(list))
                                   : nullptr;
}

} // namespace

QAccessibleInterface* reportListAccessibleFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String(ReportList::staticMetaObject.className()))
        if (auto* list = qobject_cast<ReportList*>(object))
            return new ListAccessible(list);
    return nullptr;
}

void reportListRowsChanged(ReportList* list)
{
    if (listeningTo(list)) {
        // The table forgets its cells when told of the change (modelChange).
        QAccessibleTableModelChangeEvent changed(list, QAccessibleTableModelChangeEvent::ModelReset);
        QAccessible::updateAccessibility(&changed);
    }
}

void reportListCellChanged(ReportList* list, int row, int column)
{
    ListAccessible* accessible = listeningTo(list);
    if (accessible && list->columnWidth(column) > 0) {
        QAccessibleEvent changed(accessible->cell(row, column), QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

void reportListCurrentChanged(ReportList* list)
{
    ListAccessible* accessible = listeningTo(list);
    if (!accessible || !list->hasFocus() || list->currentRow() < 0 || list->columnWidth(list->currentColumn()) == 0)
        return;
    QAccessibleEvent focused(accessible->cell(list->currentRow(), list->currentColumn()), QAccessible::Focus);
    QAccessible::updateAccessibility(&focused);
}

} // namespace host
