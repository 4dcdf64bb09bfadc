#include "host/widgets/spinarrows_p.h"

#include <QToolButton>

namespace host {

SpinArrows::SpinArrows(QWidget* parent)
    : QWidget(parent)
{
    m_up = createArrow(Qt::UpArrow, +1);
    m_down = createArrow(Qt::DownArrow, -1);
    setFocusPolicy(Qt::NoFocus);
}

QSize SpinArrows::sizeHint() const
{
    return QSize(17, 24);
}

QToolButton* SpinArrows::createArrow(Qt::ArrowType arrow, int step)
{
    auto* button = new QToolButton(this);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    // pressed() comes at the first press and again at every repeat while the button is held,
    // never at the release, so each step is raised exactly once.
    connect(button, &QToolButton::pressed, this, [this, step] { emit stepped(step); });
    return button;
}

void SpinArrows::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The up arrow takes the upper half, the down arrow the rest (the odd pixel, if any).
    const int upperHeight = height() / 2;
    m_up->setGeometry(0, 0, width(), upperHeight);
    m_down->setGeometry(0, upperHeight, width(), height() - upperHeight);
}

} // namespace host
