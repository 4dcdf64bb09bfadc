#include "host/widgets/groupframe_p.h"

#include <QStylePainter>
#include <qdrawutil.h>

namespace host {
namespace {

constexpr int kCaptionIndent = 8;   // from the left edge to the caption's gap
constexpr int kCaptionPadding = 2;  // blank space either side of the caption

} // namespace

GroupFrame::GroupFrame(const QString& title, QWidget* parent)
    : QGroupBox(title, parent)
{
}

void GroupFrame::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const QString caption = title();
    QRect captionRect;
    if (!caption.isEmpty())
        captionRect = QRect(kCaptionIndent, 0, metrics.horizontalAdvance(caption) + 2 * kCaptionPadding, metrics.height());

    // An etched line, drawn here rather than by the style: some styles move
    // their frame down below a caption of its own.
    painter.setClipRegion(QRegion(rect()) - captionRect);
    qDrawShadeRect(&painter, rect().adjusted(0, metrics.height() / 2, 0, 0), palette(), true, 1, 0);
    painter.setClipping(false);
    if (!caption.isEmpty())
        painter.drawItemText(captionRect, Qt::AlignCenter, palette(), isEnabled(), caption, QPalette::WindowText);
}

} // namespace host
