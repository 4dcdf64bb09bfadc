// The window unit (unit 0 of every window): its top-level widget, its
// caption, its keep-on-top state and what a screen reader takes it for.

#include "host/values/codec_p.h"
#include "host/runtime/runtime_p.h"
#include "host/units/window_p.h"
#include "host/embedded/windowicon_p.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <string>

namespace host::detail {
namespace {

// A top-level window. Its close box destroys it through the runtime, so the
// destroying event runs and dialog mode ends exactly as for closeWindow; a
// window that a dialog-mode window holds disabled refuses the request.
class HostWindow final : public QWidget
{
public:
    HostWindow(WindowId id, std::string icon, bool alert) : m_id(id), m_icon(std::move(icon)), m_alert(alert)
    {
        if (!m_icon.empty())
            setWindowIcon(loadWindowIcon(m_icon));
    }

    bool isAlert() const { return m_alert; }

protected:
    bool event(QEvent* event) override
    {
        // The native window copies its icon to the window manager while it
        // is made; after that, the images need not stay in memory.
        if (event->type() == QEvent::WinIdChange && !m_icon.empty())
            QTimer::singleShot(0, this, [this] { releaseWindowIconPixels(m_icon); });
        return QWidget::event(event);
    }

    void closeEvent(QCloseEvent* event) override
    {
        event->ignore();
        if (userMayClose(m_id))
            destroyWindow(m_id);
    }

private:
    WindowId m_id;
    std::string m_icon;
    bool m_alert = false;
};

// A screen reader speaks a plain window's title as it opens, then the unit
// that takes the focus; for an alert, as for a message box, it speaks the
// window's free-standing labels too (the ringing window's "时间到！").
QAccessibleInterface* alertAccessible(const QString&, QObject* object)
{
    auto* window = dynamic_cast<HostWindow*>(object);
    return window && window->isAlert() ? new QAccessibleWidget(window, QAccessible::AlertMessage) : nullptr;
}

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
    static const bool accessible = (QAccessible::installFactory(alertAccessible), true);
    Q_UNUSED(accessible);
    auto* window = new HostWindow(layout.id, layout.iconResource, layout.alert);
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
