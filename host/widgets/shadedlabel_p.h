#pragma once

#include <QColor>
#include <QLabel>

#include <array>

namespace host {

/// The colour of pixel column `x` of a ramp `width` pixels wide through three evenly spaced
/// stops. The ramp runs in two segments of width / 2 pixels (integer division); columns from
/// the end of the second segment on, and every column of a ramp narrower than two pixels,
/// take the last stop.
QColor shadedColumnColour(const std::array<QColor, 3>& stops, int width, int x);

/// A label painted with a horizontal three-stop colour ramp, its caption drawn over it with
/// the label's own text colour, font and alignment.
class ShadedLabel final : public QLabel
{
    Q_OBJECT

public:
    explicit ShadedLabel(QWidget* parent = nullptr);

    /// Sets the colours at the left edge, the middle and the right edge.
    void setRamp(const QColor& left, const QColor& middle, const QColor& right);
    /// The three stops, left to right.
    const std::array<QColor, 3>& ramp() const { return m_stops; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<QColor, 3> m_stops{QColor(Qt::black), QColor(Qt::black), QColor(Qt::black)};
};

} // namespace host
