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

/// One caption (row -1) or one cell.
class CellAccessible final : public QAccessibleInterface
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

private:
    QPointer<ReportList> m_list;
    int m_row;
    int m_column;
};

class ListAccessible final : public QAccessibleWidget
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
        const std::vector<int> columns = visibleColumns(*list());
        const auto place = std::find(columns.begin(), columns.end(), cell->column());
        return (cell->row() + 1) * static_cast<int>(columns.size()) + static_cast<int>(place - columns.begin());
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
    if (ListAccessible* accessible = listeningTo(list)) {
        accessible->forgetCells();
        QAccessibleTableModelChangeEvent changed(list, QAccessibleTableModelChangeEvent::ModelReset);
        QAccessible::updateAccessibility(&changed);
    }
}

void reportListCellChanged(ReportList* list, int row, int column)
{
    if (ListAccessible* accessible = listeningTo(list)) {
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
