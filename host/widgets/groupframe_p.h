#pragma once

#include <QGroupBox>

namespace host {

/// A group box whose caption sits on its frame line, the line running half a text height below
/// the top edge. Units placed inside keep clear of the line from a top of about 15 pixels on,
/// where styles that put the caption above the frame would have them cross it.
class GroupFrame final : public QGroupBox
{
    Q_OBJECT

public:
    explicit GroupFrame(const QString& title, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace host
