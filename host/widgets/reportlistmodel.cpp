#include "host/widgets/reportlistmodel.h"

#include "host/widgets/longtext.h"

namespace host {

void ReportListModel::appendColumn(const QString& header)
{
    beginInsertColumns({}, columns(), columns());
    m_headers.append(header);
    endInsertColumns();
}

void ReportListModel::setHeader(int column, const QString& header)
{
    if (column < 0 || column >= columns())
        return;
    m_headers[column] = header;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

int ReportListModel::insertRowAt(int position, const QString& firstCell)
{
    const int row = position < 0 || position > rows() ? rows() : position;
    beginInsertRows({}, row, row);
    m_rows.insert(row, QStringList{firstCell});
    endInsertRows();
    return row;
}

QString ReportListModel::cell(int row, int column) const
{
    if (row < 0 || row >= rows() || column < 0 || column >= columns())
        return {};
    return m_rows[row].value(column);
}

bool ReportListModel::setCell(int row, int column, const QString& text)
{
    if (row < 0 || row >= rows() || column < 0 || column >= columns())
        return false;
    QStringList& cells = m_rows[row];
    if (cells.size() <= column)
        cells.resize(column + 1);
    if (cells[column] != text) {
        cells[column] = text;
        const QModelIndex changed = index(row, column);
        emit dataChanged(changed, changed, {Qt::DisplayRole});
    }
    return true;
}

bool ReportListModel::removeRowAt(int row)
{
    if (row < 0 || row >= rows())
        return false;
    beginRemoveRows({}, row, row);
    m_rows.removeAt(row);
    endRemoveRows();
    return true;
}

int ReportListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows();
}

int ReportListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns();
}

QVariant ReportListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    // The view lays out and elides all it is given; a cell keeps its whole text for reading.
    return shownPart(cell(index.row(), index.column()));
}

QVariant ReportListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columns())
        return {};
    if (role == Qt::DisplayRole)
        return m_headers[section];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    return {};
}

Qt::ItemFlags ReportListModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace host
