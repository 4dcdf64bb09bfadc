#pragma once

#include <QWidget>

class QToolButton;

namespace host {

/// A free-standing up-down control: two stacked arrow buttons that repeat while held down.
/// It keeps no value and edits no text; whoever listens to stepped() decides what a step means.
class SpinArrows final : public QWidget
{
    Q_OBJECT

public:
    explicit SpinArrows(QWidget* parent = nullptr);

    /// A narrow, two-button-high size.
    QSize sizeHint() const override;

signals:
    /// +1 when the up arrow is pressed, -1 for the down arrow; again at each auto-repeat
    /// while the button stays down.
    void stepped(int step);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* createArrow(Qt::ArrowType arrow, int step);

    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
};

} // namespace host
