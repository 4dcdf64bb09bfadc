#include "clockdrawing.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace icon {

namespace {

// The clock is laid out on a 128-unit square and scaled to the image; small images get fewer
// details and strokes that never fall below about one pixel.
constexpr double kDesignSize = 128.0;
constexpr QPointF kCentre(64.0, 66.0);
constexpr double kBodyRadius = 46.0;

struct Colours
{
    QColor rimLight;
    QColor rimDark;
    QColor rimEdge;
    QColor bellLight;
    QColor bellDark;
    QColor bellEdge;
    QColor metal;
    QColor faceCentre;
    QColor faceEdge;
    QColor secondHand;
};

struct Detail
{
    bool minorTicks = true;
    bool quarterTicks = true;
    bool secondHand = true;
    bool hammer = true;
    bool outlines = true;
    double outlinePixels = 0.6;
    double rimWidth = 8.0;
    double hourHandWidth = 6.5;
    double minuteHandWidth = 4.5;
    double capRadius = 4.5;
    bool crispHands = false;
    double hourAngle = (10.0 + 9.0 / 60.0) * 30.0; // ten past ten: the hands leave the bells in view
    double minuteAngle = 9.0 * 6.0;
    QPointF pixelShift;
};

Colours coloursFor(Scheme scheme)
{
    if (scheme == Scheme::Monochrome) {
        // White bells with a black edge keep their shape apart from the black rim.
        const QColor black(0, 0, 0);
        const QColor white(255, 255, 255);
        return {black, black, black, white, white, black, black, white, white, black};
    }
    Colours colours{
        QColor(246, 98, 80),   QColor(190, 38, 40),   QColor(120, 24, 30),
        QColor(255, 222, 110), QColor(226, 156, 30),  QColor(140, 88, 16),
        QColor(64, 66, 80),    QColor(255, 255, 252), QColor(238, 232, 222),
        QColor(214, 48, 50),
    };
    if (scheme == Scheme::Flat) {
        colours.rimLight = colours.rimDark = QColor(216, 62, 56);
        colours.bellLight = colours.bellDark = QColor(242, 190, 64);
        colours.faceEdge = colours.faceCentre;
    }
    return colours;
}

Detail detailFor(int size, Scheme scheme)
{
    Detail detail;
    if (scheme == Scheme::Monochrome)
        detail.outlinePixels = 1.0; // without anti-aliasing a thinner line breaks up
    if (size < 48) {
        detail.minorTicks = false;
        detail.secondHand = false;
        detail.hammer = false;
        detail.rimWidth = 10.0;
    }
    if (size < 32) {
        // At sixteen pixels only the shapes remain: a thin rim leaves room on the face for two
        // one-pixel hands, and the centre moves onto a pixel centre so that they stay sharp.
        detail.quarterTicks = false;
        detail.outlines = false;
        detail.rimWidth = 10.0;
        detail.hourHandWidth = 1.0;
        detail.minuteHandWidth = 1.0;
        detail.capRadius = 0.0;
        detail.crispHands = true;
        detail.hourAngle = 90.0; // three o'clock: upright and level hands read best at this size
        detail.minuteAngle = 0.0;
        detail.pixelShift = QPointF(-0.5, 0.25);
    }
    return detail;
}

/// A point at the given distance from the centre, in the direction of a clock hand at
/// `degrees` (0 = twelve o'clock, clockwise).
QPointF polar(double degrees, double distance)
{
    const double radians = degrees * std::numbers::pi / 180.0;
    return kCentre + QPointF(std::sin(radians) * distance, -std::cos(radians) * distance);
}

class ClockPainter final
{
public:
    ClockPainter(QImage& image, Scheme scheme)
        : m_painter(&image),
          m_colours(coloursFor(scheme)),
          m_detail(detailFor(image.width(), scheme)),
          m_unitsPerPixel(kDesignSize / image.width())
    {
        m_painter.setRenderHint(QPainter::Antialiasing, scheme != Scheme::Monochrome);
        m_painter.translate(m_detail.pixelShift);
        m_painter.scale(1.0 / m_unitsPerPixel, 1.0 / m_unitsPerPixel);
    }

    void paint()
    {
        paintFeet();
        if (m_detail.hammer)
            paintHammer();
        paintBell(-42.0);
        paintBell(42.0);
        paintBody();
        paintTicks();
        paintHands();
    }

private:
    /// A stroke width in design units that stays at least `minimumPixels` wide in the image.
    double stroke(double units, double minimumPixels = 1.0) const
    {
        return std::max(units, minimumPixels * m_unitsPerPixel);
    }

    QPen roundPen(const QColor& colour, double width) const
    {
        return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    }

    void paintFeet()
    {
        m_painter.setPen(roundPen(m_colours.metal, stroke(10.0, 1.5)));
        for (const double angle : {-142.0, 142.0})
            m_painter.drawLine(polar(angle, 38.0), polar(angle, 55.0));
    }

    void paintHammer()
    {
        m_painter.setPen(roundPen(m_colours.metal, stroke(5.0)));
        m_painter.drawLine(polar(0.0, 40.0), polar(0.0, 52.0));
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(m_colours.metal);
        m_painter.drawEllipse(polar(0.0, 54.0), 5.5, 5.5);
    }

    /// One bell: a dome on a flat lip, tilted away from the centre, with a knob on top.
    void paintBell(double angle)
    {
        constexpr double radius = 19.0;
        m_painter.save();
        m_painter.translate(polar(angle, 48.0));
        m_painter.rotate(angle);

        QPainterPath dome;
        dome.moveTo(-radius, 0.0);
        dome.arcTo(QRectF(-radius, -radius, 2 * radius, 2 * radius), 180.0, -180.0);
        dome.lineTo(radius + 2.5, 0.0);
        dome.lineTo(radius + 2.5, 5.0);
        dome.lineTo(-radius - 2.5, 5.0);
        dome.lineTo(-radius - 2.5, 0.0);
        dome.closeSubpath();

        QLinearGradient gradient(-radius, -radius, radius, 0.0);
        gradient.setColorAt(0.0, m_colours.bellLight);
        gradient.setColorAt(1.0, m_colours.bellDark);
        m_painter.setBrush(gradient);
        m_painter.setPen(m_detail.outlines ? QPen(m_colours.bellEdge, stroke(2.0, m_detail.outlinePixels)) : Qt::NoPen);
        m_painter.drawEllipse(QPointF(0.0, -radius - 1.5), 4.0, 4.0);
        m_painter.drawPath(dome);
        m_painter.restore();
    }

    void paintBody()
    {
        QLinearGradient rim(kCentre - QPointF(kBodyRadius, kBodyRadius), kCentre + QPointF(kBodyRadius, kBodyRadius));
        rim.setColorAt(0.0, m_colours.rimLight);
        rim.setColorAt(1.0, m_colours.rimDark);
        m_painter.setBrush(rim);
        m_painter.setPen(m_detail.outlines ? QPen(m_colours.rimEdge, stroke(2.0, m_detail.outlinePixels)) : Qt::NoPen);
        m_painter.drawEllipse(kCentre, kBodyRadius, kBodyRadius);

        const double faceRadius = kBodyRadius - m_detail.rimWidth;
        QRadialGradient face(kCentre - QPointF(8.0, 10.0), faceRadius * 1.3);
        face.setColorAt(0.0, m_colours.faceCentre);
        face.setColorAt(0.6, m_colours.faceCentre);
        face.setColorAt(1.0, m_colours.faceEdge);
        m_painter.setBrush(face);
        m_painter.setPen(m_detail.outlines ? QPen(m_colours.rimEdge, stroke(1.5, m_detail.outlinePixels * 0.8)) : Qt::NoPen);
        m_painter.drawEllipse(kCentre, faceRadius, faceRadius);
    }

    void paintTicks()
    {
        const double outer = kBodyRadius - m_detail.rimWidth - 4.0;
        for (int hour = 0; hour < 12; ++hour) {
            const bool quarter = hour % 3 == 0;
            if (quarter ? !m_detail.quarterTicks : !m_detail.minorTicks)
                continue;
            const double length = quarter ? 7.0 : 4.0;
            m_painter.setPen(QPen(m_colours.metal, stroke(quarter ? 4.0 : 2.5), Qt::SolidLine, Qt::FlatCap));
            m_painter.drawLine(polar(hour * 30.0, outer), polar(hour * 30.0, outer - length));
        }
    }

    void paintHands()
    {
        const double faceRadius = kBodyRadius - m_detail.rimWidth;
        const double hourAngle = m_detail.hourAngle;
        const double minuteAngle = m_detail.minuteAngle;
        m_painter.save();
        if (m_detail.crispHands)
            m_painter.setRenderHint(QPainter::Antialiasing, false);
        m_painter.setPen(roundPen(m_colours.metal, stroke(m_detail.hourHandWidth, 1.0)));
        m_painter.drawLine(kCentre, polar(hourAngle, faceRadius * 0.55));
        m_painter.setPen(roundPen(m_colours.metal, stroke(m_detail.minuteHandWidth, 1.0)));
        m_painter.drawLine(kCentre, polar(minuteAngle, faceRadius * 0.82));
        if (m_detail.secondHand) {
            const double secondAngle = 200.0;
            m_painter.setPen(roundPen(m_colours.secondHand, stroke(2.0, 0.8)));
            m_painter.drawLine(polar(secondAngle + 180.0, 8.0), polar(secondAngle, faceRadius * 0.86));
        }
        if (m_detail.capRadius > 0.0) {
            m_painter.setPen(Qt::NoPen);
            m_painter.setBrush(m_detail.secondHand ? m_colours.secondHand : m_colours.metal);
            m_painter.drawEllipse(kCentre, stroke(m_detail.capRadius), stroke(m_detail.capRadius));
        }
        m_painter.restore();
    }

    QPainter m_painter;
    Colours m_colours;
    Detail m_detail;
    double m_unitsPerPixel = 1.0;
};

} // namespace

QImage drawAlarmClock(int size, Scheme scheme)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    ClockPainter(image, scheme).paint();
    return image;
}

} // namespace icon
