#include "host/widgets/reportlist.h"

#include "host/widgets/reportlistmodel.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace host {

namespace {

/// Leaves out the focus mark of the current cell, which looks stray in a list that selects
/// whole rows.
class RowDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem plain(option);
        plain.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(painter, plain, index);
    }
};

/// Sizes its sections in its own font. Qt's header sizes them in bold, the look of a
/// highlighted section, which this list never shows; for Chinese captions that alone would
/// read the bold face's outlines of every caption into the program's memory.
class PlainHeader final : public QHeaderView
{
public:
    using QHeaderView::QHeaderView;

protected:
    QSize sectionSizeFromContents(int logicalIndex) const override
    {
        ensurePolished();
        QStyleOptionHeader option;
        initStyleOption(&option);
        option.section = logicalIndex;
        option.text = model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
        return style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this);
    }
};

} // namespace

ReportList::ReportList(QWidget* parent)
    : QTableView(parent),
      m_model(new ReportListModel(this))
{
    setHorizontalHeader(new PlainHeader(Qt::Horizontal, this));
    setModel(m_model);
    configureView();
    configureHeader();
    showSelectionForFocus();
}

void ReportList::configureView()
{
    setItemDelegate(new RowDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setTabKeyNavigation(false); // Tab leaves the list for the next control
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

void ReportList::configureHeader()
{
    QHeaderView* rows = verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    fitRowsToFont();

    QHeaderView* columns = horizontalHeader();
    columns->setSectionsClickable(true);
    columns->setSortIndicatorShown(false);
    columns->setHighlightSections(false);
    columns->setStretchLastSection(false);
    columns->setMinimumSectionSize(0);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void ReportList::fitRowsToFont()
{
    // Rows as tight as a desktop list's: the text line and a little air, not the roomy
    // default of a table.
    const int rowHeight = fontMetrics().height() + 4;
    verticalHeader()->setMinimumSectionSize(rowHeight);
    verticalHeader()->setDefaultSectionSize(rowHeight);
}

void ReportList::addColumn(const QString& header, int width)
{
    // The header sizes itself from the captions of the columns it shows; an
    // invisible column gets its caption only once it is hidden, so that the
    // font's outlines of a caption nobody sees are never read.
    const bool visible = width > 0;
    m_model->appendColumn(visible ? header : QString());
    const int column = m_model->columns() - 1;
    horizontalHeader()->resizeSection(column, qMax(0, width));
    setColumnHidden(column, !visible);
    if (!visible)
        m_model->setHeader(column, header);
}

int ReportList::columnCount() const
{
    return m_model->columns();
}

void ReportList::setTextColor(const QColor& colour)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Text, colour);
    setPalette(colours);
    showSelectionForFocus();
}

void ReportList::setBackgroundColor(const QColor& colour)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Base, colour);
    setPalette(colours);
    showSelectionForFocus();
}

/// Without the keyboard focus the selected row keeps its selection but is drawn like the
/// others. Qt draws a selection in the highlight colours whether or not the view has the focus
/// (parts of it in the style, before any delegate runs), so the colours themselves change.
void ReportList::showSelectionForFocus()
{
    QPalette colours = palette();
    if (hasFocus()) {
        const QPalette standard = QApplication::palette(this);
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            colours.setColor(group, QPalette::Highlight, standard.color(group, QPalette::Highlight));
            colours.setColor(group, QPalette::HighlightedText, standard.color(group, QPalette::HighlightedText));
        }
    } else {
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            colours.setColor(group, QPalette::Highlight, colours.color(group, QPalette::Base));
            colours.setColor(group, QPalette::HighlightedText, colours.color(group, QPalette::Text));
        }
    }
    setPalette(colours);
}

int ReportList::rowCount() const
{
    return m_model->rows();
}

int ReportList::insertRow(int position, const QString& firstCell)
{
    return m_model->insertRowAt(position, firstCell);
}

QString ReportList::cell(int row, int column) const
{
    return m_model->cell(row, column);
}

bool ReportList::setCell(int row, int column, const QString& text)
{
    return m_model->setCell(row, column, text);
}

bool ReportList::deleteRow(int row)
{
    // Qt's views select the next row when the selected one goes; here the selection stays
    // with the row it was on, and goes with it.
    const int selected = currentRow();
    if (!m_model->removeRowAt(row))
        return false;
    const int stillSelected = selected < 0 || selected == row ? -1 : selected > row ? selected - 1 : selected;
    if (stillSelected < 0)
        clearSelection();
    else if (currentRow() != stillSelected)
        setCurrentRow(stillSelected);
    return true;
}

int ReportList::currentRow() const
{
    int first = -1;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        if (first < 0 || range.top() < first)
            first = range.top();
    }
    return first;
}

void ReportList::setCurrentRow(int row)
{
    if (row < 0) {
        if (const int selected = currentRow(); selected >= 0)
            selectionModel()->select(m_model->index(selected, 0),
                                     QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
        return;
    }
    if (row >= m_model->rows())
        return;
    selectionModel()->setCurrentIndex(m_model->index(row, 0),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ReportList::mousePressEvent(QMouseEvent* event)
{
    // The view selects for the right button as for the left: a press on a row selects it, a
    // press below the rows leaves nothing selected. The signal waits for the release.
    QTableView::mousePressEvent(event);
    if (event->button() == Qt::RightButton)
        m_rightButtonDown = true;
}

void ReportList::mouseReleaseEvent(QMouseEvent* event)
{
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton && m_rightButtonDown) {
        m_rightButtonDown = false;
        emit rightClicked();
    }
}

void ReportList::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    showSelectionForFocus();
}

void ReportList::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    showSelectionForFocus();
}

void ReportList::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitRowsToFont();
}

void ReportList::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    if (showGrid())
        paintGridBelowRows();
}

/// Continues the grid through the empty space below the last row, so that the list reads as
/// a ruled sheet with room for more rows.
void ReportList::paintGridBelowRows()
{
    const int rowHeight = verticalHeader()->defaultSectionSize();
    const int rowsBottom = m_model->rows() == 0
                             ? 0
                             : rowViewportPosition(m_model->rows() - 1) + rowHeight;
    const int bottom = viewport()->height();
    if (rowsBottom >= bottom)
        return;

    // The same colour as the grid the table draws between its cells.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const int gridHint = style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this);
    QPainter painter(viewport());
    painter.setPen(QColor::fromRgba(static_cast<QRgb>(gridHint)));
    int right = 0;
    for (int column = 0; column < m_model->columns(); ++column) {
        if (isColumnHidden(column))
            continue;
        right = columnViewportPosition(column) + columnWidth(column) - 1;
        painter.drawLine(right, rowsBottom, right, bottom);
    }
    for (int y = rowsBottom + rowHeight - 1; y < bottom; y += rowHeight)
        painter.drawLine(0, y, right, y);
}

} // namespace host
