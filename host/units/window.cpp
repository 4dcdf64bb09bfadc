// The window unit (unit 0 of every window): its top-level widget, its
// caption and its keep-on-top state.

#include "host/mappedpages.h"
#include "host/qtcodec.h"
#include "host/runtimestate.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QResource>
#include <QScreen>
#include <QWindow>

namespace host::detail {
namespace {

// A top-level window. Its close box destroys it through the runtime, so the
// destroying event runs and dialog mode ends exactly as for closeWindow; a
// window that a dialog-mode window holds disabled refuses the request.
class HostWindow final : public QWidget
{
public:
    explicit HostWindow(WindowId id) : m_id(id) {}

protected:
    void closeEvent(QCloseEvent* event) override
    {
        event->ignore();
        if (userMayClose(m_id))
            destroyWindow(m_id);
    }

private:
    WindowId m_id;
};

} // namespace

const UnitTypeInfo& windowType()
{
    static const UnitTypeInfo type{
        .type = UnitType::Window,
        .properties =
            {
                {prop::caption,
                 [](const Access& access) -> Value {
                     return writtenCaption(access.unit, access.window.widget->windowTitle());
                 },
                 [](const Access& access, const Value& value) {
                     access.window.widget->setWindowTitle(shownCaption(access.unit, value));
                 }},
                {prop::alwaysOnTop, [](const Access& access) -> Value { return access.window.alwaysOnTop; },
                 [](const Access& access, const Value& value) {
                     setAlwaysOnTop(access.window, value.isBool() ? value.toBool() : value.toInt() == 1);
                 }},
            },
        .events = {event::created, event::destroying},
    };
    return type;
}

QWidget* createWindowWidget(const WindowLayout& layout)
{
    auto* window = new HostWindow(layout.id);
    window->setObjectName(QString::fromStdString(layout.name));
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowCloseButtonHint;
    if (layout.minimiseButton)
        flags |= Qt::WindowMinimizeButtonHint;
    if (layout.alwaysOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    window->setWindowFlags(flags);
    window->setWindowTitle(codec::toQString(layout.caption));
    window->setFixedSize(layout.outerWidth - 2 * kFrameSide, layout.outerHeight - kTitleBar - 2 * kFrameSide);
    if (!layout.iconResource.empty()) {
        const QString icon = QString::fromStdString(layout.iconResource);
        window->setWindowIcon(QIcon(icon));
        // The icon now holds the images; the file's bytes, stored uncompressed
        // in the program file, are not needed until another window reads them.
        if (const QResource stored(icon); stored.compressionAlgorithm() == QResource::NoCompression)
            releaseMappedPages(stored.data(), static_cast<std::size_t>(stored.size()));
    }
    QPoint position(layout.left, layout.top);
    if (layout.centred) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->geometry();
            position = QPoint(area.left() + (area.width() - layout.outerWidth) / 2,
                              area.top() + (area.height() - layout.outerHeight) / 2);
        }
    }
    window->move(position);
    return window;
}

void setAlwaysOnTop(LoadedWindow& window, bool onTop)
{
    // The keep-on-top timer writes true every millisecond: an unchanged
    // value must cost nothing.
    if (window.alwaysOnTop == onTop)
        return;
    window.alwaysOnTop = onTop;
    if (!window.widget)
        return;
    if (QWindow* handle = window.widget->windowHandle(); handle && window.widget->isVisible()) {
        // Changing the flag on the native window keeps it mapped; the
        // widget's own setter would hide and re-show it.
        handle->setFlag(Qt::WindowStaysOnTopHint, onTop);
        if (onTop)
            window.widget->raise();
    } else {
        window.widget->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    }
}

} // namespace host::detail
