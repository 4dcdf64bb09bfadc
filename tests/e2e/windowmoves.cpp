#include "windowmoves.h"

#include <X11/Xlib.h>

namespace {

// The window manager reparents a client into its frame; the frame is the
// ancestor whose parent is the root window.
Window frameOf(Display* display, Window window)
{
    for (;;) {
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, window, &root, &parent, &children, &count))
            return 0;
        if (children)
            XFree(children);
        if (parent == root || parent == 0)
            return window;
        window = parent;
    }
}

} // namespace

WindowMoves::WindowMoves(const QString& display, unsigned long client)
    : m_display(XOpenDisplay(display.toLocal8Bit().constData()))
{
    if (!m_display)
        return;
    const Window frame = frameOf(m_display, client);
    if (!frame)
        return;
    XSelectInput(m_display, frame, StructureNotifyMask);
    // Where it stands now, read after selecting so that no move falls between.
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(m_display, frame, &attributes))
        return;
    m_positions.emplace_back(attributes.x, attributes.y);
    m_frame = frame;
}

WindowMoves::~WindowMoves()
{
    if (m_display)
        XCloseDisplay(m_display);
}

const std::vector<QPoint>& WindowMoves::positions()
{
    if (!m_display)
        return m_positions;
    XSync(m_display, False);
    while (XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        if (event.type != ConfigureNotify || event.xconfigure.window != m_frame)
            continue;
        const QPoint at(event.xconfigure.x, event.xconfigure.y);
        if (at != m_positions.back())
            m_positions.push_back(at);
    }
    return m_positions;
}
