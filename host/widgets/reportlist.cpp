// The report list: its rows and columns, their geometry and their painting.
// Its keyboard and mouse handling is in reportlistinput.cpp.

#include "host/widgets/reportlist_p.h"

#include "host/widgets/longtext_p.h"
#include "host/widgets/reportheader_p.h"
#include "host/widgets/reportlistaccessible_p.h"

#include <QAccessible>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionViewItem>

#include <algorithm>

namespace host {

ReportList::ReportList(QWidget* parent)
    : QAbstractScrollArea(parent),
      m_header(new ReportHeader(this))
{
    static const bool accessible = (QAccessible::installFactory(reportListAccessibleFactory), true);
    Q_UNUSED(accessible);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    fitRowsToFont();
}

void ReportList::addColumn(const QString& caption, int width)
{
    m_columns.push_back({caption, std::max(0, width)});
    updateGeometries();
    viewport()->update();
    m_header->update();
}

int ReportList::columnCount() const
{
    return static_cast<int>(m_columns.size());
}

QString ReportList::caption(int column) const
{
    return column >= 0 && column < columnCount() ? m_columns[column].caption : QString();
}

int ReportList::columnWidth(int column) const
{
    return column >= 0 && column < columnCount() ? m_columns[column].width : 0;
}

void ReportList::setColumnWidth(int column, int width)
{
    if (column < 0 || column >= columnCount() || m_columns[column].width == 0 || width < 1)
        return;
    m_columns[column].width = width;
    updateGeometries();
    viewport()->update();
    m_header->update();
}

void ReportList::setTextColor(const QColor& colour)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Text, colour);
    setPalette(colours);
}

void ReportList::setBackgroundColor(const QColor& colour)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Base, colour);
    setPalette(colours);
}

int ReportList::rowCount() const
{
    return static_cast<int>(m_rows.size());
}

int ReportList::insertRow(int position, const QString& firstCell)
{
    const int row = position < 0 || position > rowCount() ? rowCount() : position;
    m_rows.insert(row, QStringList{firstCell});
    // The selection stays with the row it was on.
    if (m_currentRow >= row)
        ++m_currentRow;
    rowsChanged();
    return row;
}

QString ReportList::cell(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    return m_rows[row].value(column);
}

bool ReportList::setCell(int row, int column, const QString& text)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return false;
    QStringList& cells = m_rows[row];
    if (cells.size() <= column)
        cells.resize(column + 1);
    if (cells[column] != text) {
        cells[column] = text;
        viewport()->update(cellRect(row, column));
        reportListCellChanged(this, row, column);
    }
    return true;
}

bool ReportList::deleteRow(int row)
{
    if (row < 0 || row >= rowCount())
        return false;
    m_rows.removeAt(row);
    // The selection goes with its row; the keyboard's place stays where it was.
    if (m_currentRow == row)
        m_selected = false;
    if (m_currentRow > row || m_currentRow >= rowCount())
        --m_currentRow;
    rowsChanged();
    return true;
}

int ReportList::currentRow() const
{
    return m_selected ? m_currentRow : -1;
}

void ReportList::setCurrentRow(int row)
{
    if (row < 0) {
        if (m_selected) {
            m_selected = false;
            viewport()->update();
        }
        return;
    }
    if (row < rowCount())
        moveCurrent(row);
}

QRect ReportList::cellRect(int row, int column) const
{
    if (row < 0 || row >= rowCount() || columnWidth(column) == 0)
        return {};
    return QRect(columnLeft(column) - horizontalScrollBar()->value(), row * m_rowHeight - verticalScrollBar()->value(),
                 m_columns[column].width, m_rowHeight);
}

QRect ReportList::captionRect(int column) const
{
    if (columnWidth(column) == 0)
        return {};
    return QRect(columnLeft(column) - horizontalScrollBar()->value(), 0, m_columns[column].width, m_header->height());
}

int ReportList::rowAt(QPoint point) const
{
    if (point.y() < 0 || point.x() < 0 || point.x() >= contentWidth() - horizontalScrollBar()->value())
        return -1;
    const int row = (point.y() + verticalScrollBar()->value()) / m_rowHeight;
    return row < rowCount() ? row : -1;
}

int ReportList::columnAt(int x) const
{
    const int contentX = x + horizontalScrollBar()->value();
    for (int column = 0; column < columnCount(); ++column) {
        const int left = columnLeft(column);
        if (m_columns[column].width > 0 && contentX >= left && contentX < left + m_columns[column].width)
            return column;
    }
    return -1;
}

QWidget* ReportList::header() const
{
    return m_header;
}

int ReportList::columnLeft(int column) const
{
    int left = 0;
    for (int before = 0; before < column && before < columnCount(); ++before)
        left += m_columns[before].width;
    return left;
}

int ReportList::contentWidth() const
{
    return columnLeft(columnCount());
}

void ReportList::fitRowsToFont()
{
    // Rows as tight as a desktop list's: the text line and a little air.
    m_rowHeight = fontMetrics().height() + 4;
    updateGeometries();
}

/// Places the caption strip above the rows and sizes the scroll ranges to the rows and
/// columns. Showing or hiding a scroll bar resizes the rows' area, which comes back here.
void ReportList::updateGeometries()
{
    if (m_updatingGeometries)
        return;
    m_updatingGeometries = true;
    const int headerHeight = m_header->preferredHeight();
    setViewportMargins(0, headerHeight, 0, 0);
    const QRect area = viewport()->geometry();
    m_header->setGeometry(area.left(), area.top() - headerHeight, area.width(), headerHeight);
    QScrollBar* vertical = verticalScrollBar();
    vertical->setSingleStep(m_rowHeight);
    vertical->setPageStep(std::max(m_rowHeight, area.height()));
    vertical->setRange(0, std::max(0, rowCount() * m_rowHeight - area.height()));
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setSingleStep(20);
    horizontal->setPageStep(std::max(1, area.width()));
    horizontal->setRange(0, std::max(0, contentWidth() - area.width()));
    m_updatingGeometries = false;
}

void ReportList::rowsChanged()
{
    updateGeometries();
    viewport()->update();
    reportListRowsChanged(this);
}

void ReportList::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    paintRows(painter, event->rect());
    paintGrid(painter);
}

/// The selected row shows in the highlight colours only while the list has the keyboard
/// focus; without it the row keeps its selection but is drawn like the others.
void ReportList::paintRows(QPainter& painter, const QRect& area) const
{
    const QPalette::ColorGroup group = !isEnabled()        ? QPalette::Disabled
                                       : isActiveWindow() ? QPalette::Active
                                                          : QPalette::Inactive;
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int first = std::max(0, (area.top() + verticalScrollBar()->value()) / m_rowHeight);
    const int last = std::min(rowCount() - 1, (area.bottom() + verticalScrollBar()->value()) / m_rowHeight);
    for (int row = first; row <= last; ++row) {
        const bool highlighted = m_selected && row == m_currentRow && hasFocus();
        painter.setPen(palette().color(group, highlighted ? QPalette::HighlightedText : QPalette::Text));
        for (int column = 0; column < columnCount(); ++column) {
            const QRect rect = cellRect(row, column);
            if (rect.isEmpty() || !rect.intersects(area))
                continue;
            if (highlighted)
                painter.fillRect(rect, palette().color(group, QPalette::Highlight));
            const QRect textRect = rect.adjusted(margin, 0, -margin, -1);
            const QString text = fontMetrics().elidedText(shownPart(m_rows[row].value(column)), Qt::ElideRight,
                                                          textRect.width());
            painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
        }
    }
}

/// Rules the whole area, below the last row too, so that the list reads as a ruled sheet
/// with room for more rows.
void ReportList::paintGrid(QPainter& painter) const
{
    QStyleOptionViewItem option;
    option.initFrom(this);
    const int gridHint = style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this);
    painter.setPen(QColor::fromRgba(static_cast<QRgb>(gridHint)));
    const int bottom = viewport()->height();
    int right = -1;
    for (int column = 0; column < columnCount(); ++column) {
        if (m_columns[column].width == 0)
            continue;
        right = columnLeft(column) + m_columns[column].width - 1 - horizontalScrollBar()->value();
        painter.drawLine(right, 0, right, bottom);
    }
    if (right < 0)
        return;
    for (int y = m_rowHeight - 1 - verticalScrollBar()->value() % m_rowHeight; y < bottom; y += m_rowHeight)
        painter.drawLine(0, y, right, y);
}

void ReportList::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        fitRowsToFont();
}

void ReportList::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateGeometries();
}

void ReportList::scrollContentsBy(int, int)
{
    viewport()->update();
    m_header->update();
}

} // namespace host
