#pragma once

// Every move of one top-level window, as the X server reports it. The window
// manager's frame around the window sends an event for each move, so no step
// is missed between two looks, however busy the machine is.

#include <QPoint>
#include <QString>

#include <vector>

struct _XDisplay;

class WindowMoves final
{
public:
    /// Starts recording the moves of the frame around `client` on `display` (such as ":93").
    WindowMoves(const QString& display, unsigned long client);
    ~WindowMoves();
    WindowMoves(const WindowMoves&) = delete;
    WindowMoves& operator=(const WindowMoves&) = delete;

    /// Whether the frame was found and is being watched.
    bool isWatching() const { return m_frame != 0; }
    /// The frame's top-left corners on the screen so far, oldest first,
    /// beginning with where it stood when recording began.
    const std::vector<QPoint>& positions();

private:
    _XDisplay* m_display = nullptr;
    unsigned long m_frame = 0;
    std::vector<QPoint> m_positions;
};
