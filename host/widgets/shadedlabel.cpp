#include "host/widgets/shadedlabel_p.h"

#include <QPainter>

namespace host {

namespace {

/// c0 + f × (c1 − c0) with f = step / steps, truncated toward zero. Worked in integers: the
/// exact value is never negative, so integer division truncates it without the rounding
/// slips of a floating-point fraction (such as 96 − 32.000001 becoming 63).
int blendChannel(int from, int to, int step, int steps)
{
    return (from * steps + step * (to - from)) / steps;
}

} // namespace

QColor shadedColumnColour(const std::array<QColor, 3>& stops, int width, int x)
{
    const int segment = width / 2;
    if (segment <= 0)
        return stops[2];
    if (x < 0)
        return stops[0];
    const int stop = x / segment;
    if (stop >= 2)
        return stops[2];
    const QColor& from = stops[stop];
    const QColor& to = stops[stop + 1];
    const int step = x % segment;
    return QColor(blendChannel(from.red(), to.red(), step, segment),
                  blendChannel(from.green(), to.green(), step, segment),
                  blendChannel(from.blue(), to.blue(), step, segment));
}

ShadedLabel::ShadedLabel(QWidget* parent)
    : QLabel(parent)
{
}

void ShadedLabel::setRamp(const QColor& left, const QColor& middle, const QColor& right)
{
    const std::array<QColor, 3> stops{left, middle, right};
    if (stops == m_stops)
        return;
    m_stops = stops;
    update();
}

void ShadedLabel::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        const int columns = width();
        for (int x = 0; x < columns; ++x)
            painter.fillRect(x, 0, 1, height(), shadedColumnColour(m_stops, columns, x));
    }
    // The caption, in the label's text colour and alignment, over the ramp.
    QLabel::paintEvent(event);
}

} // namespace host
