#pragma once

#include <QAbstractScrollArea>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

namespace host {

class ReportHeader;

/// A report list: rows of text cells under column captions, with grid lines and a single
/// selected row, highlighted across its full width while the list has the keyboard focus.
/// Cells are not editable in place and nothing sorts. Rows and columns count from 0; a row or
/// column that does not exist reads as empty text and refuses writes.
///
/// It draws its rows itself rather than through the toolkit's item views: a list of a few rows
/// has no use for their models, selection models and delegates, whose code and data would be
/// most of what the program's main window holds in memory.
class ReportList final : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit ReportList(QWidget* parent = nullptr);

    /// Appends a column. A width of 0 makes it invisible; it still holds its cells.
    void addColumn(const QString& caption, int width);
    /// Number of columns, invisible ones included.
    int columnCount() const;
    /// The caption of a column; empty for one that does not exist.
    QString caption(int column) const;
    /// The width of a column in pixels, 0 for an invisible one.
    int columnWidth(int column) const;
    /// Changes the width of a visible column, as dragging its caption's edge does.
    void setColumnWidth(int column, int width);
    /// Sets the colour of the cell texts.
    void setTextColor(const QColor& colour);
    /// Sets the colour behind the rows and the empty space below them.
    void setBackgroundColor(const QColor& colour);

    /// Number of rows.
    int rowCount() const;
    /// Inserts a row before `position` with `firstCell` in column 0 and returns its index;
    /// a negative position or one past the end appends.
    int insertRow(int position, const QString& firstCell);
    /// The text of a cell; empty for a row or column that does not exist.
    QString cell(int row, int column) const;
    /// Replaces the text of a cell; false, and nothing stored, when the row or column does not exist.
    bool setCell(int row, int column, const QString& text);
    /// Deletes a row, moving later rows up; false, and nothing changed, when it does not exist.
    bool deleteRow(int row);

    /// The selected row, -1 when none is selected.
    int currentRow() const;
    /// Selects `row` in place of the selection; -1 or less unselects. A row that does not
    /// exist changes nothing.
    void setCurrentRow(int row);
    /// The column the keyboard and the last click are on; Ctrl+C copies its cell of the
    /// selected row.
    int currentColumn() const { return m_currentColumn; }

    /// Where a cell lies in the viewport; empty for a cell that does not exist or is invisible.
    QRect cellRect(int row, int column) const;
    /// Where a column's caption lies in the header; empty for an invisible column.
    QRect captionRect(int column) const;
    /// The row at a point of the viewport, -1 below the rows.
    int rowAt(QPoint point) const;
    /// The visible column at a viewport x, -1 right of the last one.
    int columnAt(int x) const;
    /// The strip of column captions above the rows.
    QWidget* header() const;

signals:
    /// A right click anywhere in the list, on a row or on the empty space below the rows,
    /// raised at the release. A click on a row has already made it the selected one; a click
    /// on empty space has cleared the selection.
    void rightClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    struct Column
    {
        QString caption;
        int width = 0;
    };

    void fitRowsToFont();
    void updateGeometries();
    void moveCurrent(int row);
    void moveCurrentColumn(int step);
    void ensureRowVisible(int row);
    void paintRows(QPainter& painter, const QRect& area) const;
    void paintGrid(QPainter& painter) const;
    int columnLeft(int column) const;
    int contentWidth() const;
    void rowsChanged();

    std::vector<Column> m_columns;
    QList<QStringList> m_rows;
    ReportHeader* m_header = nullptr;
    int m_currentRow = -1;
    int m_currentColumn = 0;
    bool m_selected = false;
    int m_rowHeight = 0;
    bool m_rightButtonDown = false;
    bool m_updatingGeometries = false;
};

} // namespace host
