#include "host/commands/windows.h"
#include "host/commands/windows_p.h"

#include "host/runtime/runtime_p.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace host {
namespace {

constexpr char kOrderProperty[] = "tikoraWindowOrder";

struct HiddenWindow
{
    QPointer<QWidget> widget;
    int order = 0;
};

std::vector<HiddenWindow>& hiddenWindows()
{
    static std::vector<HiddenWindow> windows;
    return windows;
}

detail::LoadedWindow* loadedWindowOf(const QWidget* widget)
{
    for (detail::LoadedWindow* window : detail::allLoaded()) {
        if (window->widget == widget)
            return window;
    }
    return nullptr;
}

} // namespace

namespace detail {

void stampWindowOrder(QWidget* window)
{
    window->setProperty(kOrderProperty, nextWindowOrder());
}

int windowOrder(const QWidget* window)
{
    if (const LoadedWindow* loaded = loadedWindowOf(window))
        return loaded->order;
    return window->property(kOrderProperty).toInt();
}

} // namespace detail

void hideAllWindows()
{
    std::vector<HiddenWindow>& hidden = hiddenWindows();
    hidden.clear();
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        // A popup menu or tooltip closes by itself; it is not brought back.
        if (!widget->isVisible() || widget->windowType() == Qt::Popup || widget->windowType() == Qt::ToolTip)
            continue;
        hidden.push_back({widget, detail::windowOrder(widget)});
    }
    std::sort(hidden.begin(), hidden.end(), [](const auto& a, const auto& b) { return a.order < b.order; });
    for (const HiddenWindow& window : hidden) {
        if (detail::LoadedWindow* loaded = loadedWindowOf(window.widget))
            loaded->units[0].visible = false;
        window.widget->hide();
    }
}

void showHiddenWindows()
{
    std::vector<HiddenWindow> hidden;
    hidden.swap(hiddenWindows());
    QWidget* newest = nullptr;
    for (const HiddenWindow& window : hidden) {
        if (!window.widget)
            continue;
        if (detail::LoadedWindow* loaded = loadedWindowOf(window.widget)) {
            if (loaded->destroying)
                continue;
            loaded->units[0].visible = true;
        }
        window.widget->show();
        window.widget->raise();
        newest = window.widget;
    }
    if (newest)
        newest->activateWindow();
}

} // namespace host
