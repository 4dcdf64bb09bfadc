// The report list's keyboard and mouse: how keys and clicks move the selected
// row and the current column, and what the keyboard focus changes.

#include "host/widgets/reportlist_p.h"

#include "host/widgets/reportlistaccessible_p.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

namespace host {

void ReportList::moveCurrent(int row)
{
    if (rowCount() == 0)
        return;
    row = std::clamp(row, 0, rowCount() - 1);
    if (row == m_currentRow && m_selected)
        return;
    m_currentRow = row;
    m_selected = true;
    ensureRowVisible(row);
    viewport()->update();
    reportListCurrentChanged(this);
}

void ReportList::moveCurrentColumn(int step)
{
    for (int column = m_currentColumn + step; column >= 0 && column < columnCount(); column += step) {
        if (m_columns[column].width == 0)
            continue;
        m_currentColumn = column;
        QScrollBar* horizontal = horizontalScrollBar();
        const int left = columnLeft(column);
        const int right = left + m_columns[column].width;
        if (left < horizontal->value())
            horizontal->setValue(left);
        else if (right > horizontal->value() + viewport()->width())
            horizontal->setValue(right - viewport()->width());
        reportListCurrentChanged(this);
        return;
    }
}

void ReportList::ensureRowVisible(int row)
{
    QScrollBar* vertical = verticalScrollBar();
    const int top = row * m_rowHeight;
    if (top < vertical->value())
        vertical->setValue(top);
    else if (top + m_rowHeight > vertical->value() + viewport()->height())
        vertical->setValue(top + m_rowHeight - viewport()->height());
}

void ReportList::mousePressEvent(QMouseEvent* event)
{
    // Either button selects the row under it; a press below the rows leaves nothing
    // selected. The right button's signal waits for the release.
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
        const QPoint point = event->position().toPoint();
        if (const int row = rowAt(point); row >= 0) {
            if (const int column = columnAt(point.x()); column >= 0)
                m_currentColumn = column;
            moveCurrent(row);
        } else {
            setCurrentRow(-1);
        }
        m_rightButtonDown = event->button() == Qt::RightButton;
        event->accept();
        return;
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void ReportList::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton && m_rightButtonDown) {
        m_rightButtonDown = false;
        emit rightClicked();
    }
    event->accept();
}

void ReportList::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        if (m_currentRow >= 0 && m_currentRow < rowCount())
            QGuiApplication::clipboard()->setText(cell(m_currentRow, m_currentColumn));
        return;
    }
    const int visibleRows = std::max(1, viewport()->height() / m_rowHeight);
    const int from = m_currentRow; // -1 before any row was current
    switch (event->key()) {
    case Qt::Key_Down:
        moveCurrent(from + 1);
        return;
    case Qt::Key_Up:
        moveCurrent(from < 0 ? 0 : from - 1);
        return;
    case Qt::Key_PageDown:
        moveCurrent(from + visibleRows);
        return;
    case Qt::Key_PageUp:
        moveCurrent(from - visibleRows);
        return;
    case Qt::Key_Home:
        moveCurrent(0);
        return;
    case Qt::Key_End:
        moveCurrent(rowCount() - 1);
        return;
    case Qt::Key_Left:
        moveCurrentColumn(-1);
        return;
    case Qt::Key_Right:
        moveCurrentColumn(1);
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void ReportList::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
    reportListCurrentChanged(this);
}

void ReportList::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

} // namespace host
