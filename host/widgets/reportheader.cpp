#include "host/widgets/reportheader_p.h"

#include "host/widgets/reportlist_p.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>

#include <algorithm>

namespace host {

ReportHeader::ReportHeader(ReportList* list)
    : QWidget(list),
      m_list(list)
{
    setMouseTracking(true); // for the resize cursor over an edge
}

int ReportHeader::preferredHeight() const
{
    // Measured in the header's own font: the style's bold look of a highlighted section is
    // never shown here.
    QStyleOptionHeader option;
    option.initFrom(this);
    option.text = QStringLiteral("M");
    int height = style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this).height();
    for (int column = 0; column < m_list->columnCount(); ++column) {
        if (m_list->columnWidth(column) == 0)
            continue;
        option.section = column;
        option.text = m_list->caption(column);
        height = std::max(height, style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this).height());
    }
    return height;
}

void ReportHeader::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    std::vector<int> visible;
    for (int column = 0; column < m_list->columnCount(); ++column) {
        if (m_list->columnWidth(column) > 0)
            visible.push_back(column);
    }
    int right = 0;
    for (std::size_t index = 0; index < visible.size(); ++index) {
        const int column = visible[index];
        QStyleOptionHeader option;
        option.initFrom(this);
        option.state |= QStyle::State_Horizontal | (column == m_pressed ? QStyle::State_Sunken : QStyle::State_Raised);
        option.orientation = Qt::Horizontal;
        option.rect = m_list->captionRect(column);
        option.section = column;
        option.text = m_list->caption(column);
        option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        option.position = visible.size() == 1         ? QStyleOptionHeader::OnlyOneSection
                          : index == 0                 ? QStyleOptionHeader::Beginning
                          : index + 1 == visible.size() ? QStyleOptionHeader::End
                                                        : QStyleOptionHeader::Middle;
        style()->drawControl(QStyle::CE_Header, &option, &painter, this);
        right = option.rect.right() + 1;
    }
    if (right < width()) {
        QStyleOption option;
        option.initFrom(this);
        option.state |= QStyle::State_Horizontal;
        option.rect = QRect(right, 0, width() - right, height());
        style()->drawControl(QStyle::CE_HeaderEmptyArea, &option, &painter, this);
    }
}

int ReportHeader::edgeAt(int x) const
{
    const int grip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
    for (int column = m_list->columnCount() - 1; column >= 0; --column) {
        const QRect caption = m_list->captionRect(column);
        if (!caption.isEmpty() && std::abs(x - (caption.right() + 1)) <= grip)
            return column;
    }
    return -1;
}

void ReportHeader::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int x = event->position().toPoint().x();
    if (const int column = edgeAt(x); column >= 0) {
        m_resizing = column;
        m_resizeFrom = x;
        m_widthFrom = m_list->columnWidth(column);
        return;
    }
    m_pressed = m_list->columnAt(x);
    update();
}

void ReportHeader::mouseMoveEvent(QMouseEvent* event)
{
    const int x = event->position().toPoint().x();
    if (m_resizing >= 0) {
        m_list->setColumnWidth(m_resizing, std::max(1, m_widthFrom + x - m_resizeFrom));
        return;
    }
    if (event->buttons() == Qt::NoButton)
        setCursor(edgeAt(x) >= 0 ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void ReportHeader::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_resizing = -1;
    m_pressed = -1;
    update();
}

} // namespace host
