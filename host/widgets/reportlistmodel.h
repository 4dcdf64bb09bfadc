#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>

namespace host {

/// The cells behind a ReportList: a few rows of texts under named columns. A row stores
/// only the cells up to the last one written; the rest read as empty text.
class ReportListModel final : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    /// Appends a column with the given header text.
    void appendColumn(const QString& header);
    /// Replaces the header text of an existing column.
    void setHeader(int column, const QString& header);
    /// Number of rows.
    int rows() const { return int(m_rows.size()); }
    /// Number of columns.
    int columns() const { return int(m_headers.size()); }
    /// Inserts a row before `position` (appends when it is negative or past the end) with
    /// `firstCell` in column 0; returns the new row's index.
    int insertRowAt(int position, const QString& firstCell);
    /// The text of a cell; empty for a row or column that does not exist.
    QString cell(int row, int column) const;
    /// Replaces the text of a cell; false when the row or column does not exist.
    bool setCell(int row, int column, const QString& text);
    /// Removes a row; false when it does not exist.
    bool removeRowAt(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QStringList m_headers;
    QList<QStringList> m_rows;
};

} // namespace host
