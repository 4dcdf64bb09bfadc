#pragma once

#include <QWidget>

namespace host {

class ReportList;

/// The strip of column captions above a ReportList's rows, drawn as the style draws header
/// sections. A caption shows pressed while the mouse holds it; dragging the edge between two
/// captions changes the width of the column on its left.
class ReportHeader final : public QWidget
{
public:
    explicit ReportHeader(ReportList* list);

    /// The height the captions need in the current font and style.
    int preferredHeight() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    /// The visible column whose right edge is within the grip margin of x, or -1.
    int edgeAt(int x) const;

    ReportList* m_list;
    int m_pressed = -1;
    int m_resizing = -1;
    int m_resizeFrom = 0;
    int m_widthFrom = 0;
};

} // namespace host
