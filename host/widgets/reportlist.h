#pragma once

#include <QTableView>

namespace host {

class ReportListModel;

/// A report list: rows of text cells under clickable column headers, with grid lines and a
/// single selected row, highlighted across its full width while the list has the keyboard
/// focus. Cells are not editable in place and nothing sorts. Rows and columns count from 0;
/// a row or column that does not exist reads as empty text and refuses writes.
class ReportList final : public QTableView
{
    Q_OBJECT

public:
    explicit ReportList(QWidget* parent = nullptr);

    /// Appends a column. A width of 0 makes it invisible; it still holds its cells.
    void addColumn(const QString& header, int width);
    /// Number of columns, invisible ones included.
    int columnCount() const;
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

    /// The first selected row, -1 when none is selected.
    int currentRow() const;
    /// Selects `row` in place of the selection and gives it the focus mark; -1 or less
    /// unselects the first selected row. A row that does not exist changes nothing.
    void setCurrentRow(int row);

signals:
    /// A right click anywhere in the list, on a row or on the empty space below the rows,
    /// raised at the release. A click on a row has already made it the selected one; a click
    /// on empty space has cleared the selection.
    void rightClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void configureView();
    void configureHeader();
    void fitRowsToFont();
    void showSelectionForFocus();
    void paintGridBelowRows();

    ReportListModel* m_model = nullptr;
    bool m_rightButtonDown = false;
};

} // namespace host
