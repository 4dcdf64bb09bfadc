#include "host/runtime/runtime.h"

#include "host/values/codec_p.h"
#include "host/runtime/runtime_p.h"
#include "host/runtime/runtime_testing.h"
#include "host/units/window_p.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QThread>
#include <QTimer>
#include <QTranslator>

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace host {
namespace {

using WindowHandle = std::shared_ptr<detail::LoadedWindow>;

std::map<WindowId, const WindowLayout*>& registry()
{
    static std::map<WindowId, const WindowLayout*> layouts;
    return layouts;
}

// Shared, so that a window whose destroying event is running stays alive
// for its own destruction even when a handler loads the same window again.
std::map<WindowId, WindowHandle>& loadedWindows()
{
    static std::map<WindowId, WindowHandle> windows;
    return windows;
}

std::atomic<bool> g_reportingFatal = false;
QEventLoop* g_messageLoop = nullptr;
int g_windowOrder = 0;

const Text& noSuchUnit()
{
    static const Text text = "指定窗口或窗口组件不存在或尚未载入"_t;
    return text;
}

// Creates one unit, its container first: a layout may list a group box after
// the units inside it.
void createUnit(detail::LoadedWindow& window, std::size_t index)
{
    const WindowLayout& layout = *window.layout;
    const UnitLayout& unit = layout.units[index];
    detail::UnitState& state = window.units[index + 1];
    if (state.layout)
        return;
    state.layout = &unit;
    state.type = &detail::describe(unit.type);
    state.rect = unit.rect;
    state.visible = unit.visible;
    state.disabled = unit.disabled;
    for (const detail::Property& property : state.type->properties) {
        if (property.initial)
            state.stored[property.number] = property.initial(unit);
    }
    if (!state.type->create)
        return;
    QWidget* parent = window.widget;
    if (unit.parent > 0 && unit.parent <= static_cast<int>(layout.units.size())) {
        createUnit(window, static_cast<std::size_t>(unit.parent - 1));
        if (QWidget* container = window.units[unit.parent].widget())
            parent = container;
    }
    state.object = state.type->create(unit, parent, UnitRef{layout.id, static_cast<int>(index + 1)});
    if (QWidget* widget = state.widget())
        detail::setUpWidget(widget, unit);
}

void createUnits(detail::LoadedWindow& window)
{
    window.units.resize(window.layout->units.size() + 1);
    window.units[0].type = &detail::windowType();
    window.units[0].object = window.widget;
    window.units[0].visible = window.layout->visible;
    for (std::size_t index = 0; index < window.layout->units.size(); ++index)
        createUnit(window, index);
}

void stopTimers(detail::LoadedWindow& window)
{
    for (detail::UnitState& unit : window.units) {
        if (auto* timer = qobject_cast<QTimer*>(unit.object.data()))
            timer->stop();
    }
}

bool isCurrent(WindowId id, const WindowHandle& window)
{
    const auto found = loadedWindows().find(id);
    return found != loadedWindows().end() && found->second == window && !window->destroying;
}

// The last of a window: its timers stop, it leaves the loaded windows (unless
// a fresh instance has taken its place), the dialogs it owns end as
// cancelled, its widget goes and the nested loop of its dialog-mode load ends.
void dispose(WindowId id, const WindowHandle& window)
{
    stopTimers(*window);
    const auto found = loadedWindows().find(id);
    if (found != loadedWindows().end() && found->second == window)
        loadedWindows().erase(found);
    detail::refreshEnabledWindows();
    if (QWidget* widget = window->widget) {
        for (QDialog* dialog : widget->findChildren<QDialog*>(Qt::FindDirectChildrenOnly))
            dialog->reject();
        widget->hide();
        widget->deleteLater();
    }
    if (window->dialogLoop)
        window->dialogLoop->quit();
    if (loadedWindows().empty() && g_messageLoop)
        g_messageLoop->quit();
}

} // namespace

void initialise(const Text& programName)
{
    if (!programName.isEmpty()) {
        QCoreApplication::setApplicationName(codec::toQString(programName));
        // The window class on X11 is the application name; the instance name
        // follows it so that both parts read the same.
        qputenv("RESOURCE_NAME", codec::toQString(programName).toUtf8());
    }
    QApplication::setQuitOnLastWindowClosed(false);
    // The toolkit's own words (the buttons of message boxes and of the file
    // dialog) in Simplified Chinese, like the rest of the program.
    auto* translator = new QTranslator(qApp);
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    // The layouts ask for the face 黑体 by name; on Linux the CJK sans stands in.
    const QStringList cjkSans{QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans SC"),
                              QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Droid Sans Fallback")};
    QFont::insertSubstitutions(QStringLiteral("黑体"), cjkSans);
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(12);
    QApplication::setFont(font);
}

void registerWindow(const WindowLayout& layout)
{
    for (std::size_t index = 0; index < layout.units.size(); ++index) {
        const UnitLayout& unit = layout.units[index];
        if (unit.ref.window != layout.id || unit.ref.unit != static_cast<int>(index + 1))
            qFatal("unit %s of window %s is out of order in its layout", unit.name(), layout.name.c_str());
        const std::vector<int>& raised = detail::describe(unit.type).events;
        for (const EventBinding& binding : unit.events) {
            if (std::find(raised.begin(), raised.end(), binding.event) == raised.end())
                qWarning("unit %s of window %s binds event %d, which its type never raises", unit.name(),
                         layout.name.c_str(), binding.event);
        }
    }
    registry()[layout.id] = &layout;
}

bool isLoaded(WindowId window)
{
    return detail::findLoaded(window) != nullptr;
}

bool loadWindow(WindowId id, DialogMode mode, std::optional<WindowId> parent)
{
    if (const auto found = loadedWindows().find(id); found != loadedWindows().end()) {
        const WindowHandle open = found->second;
        if (!open->closePending && !open->destroying) {
            if (open->widget->isMinimized())
                open->widget->showNormal();
            else {
                open->widget->raise();
                open->widget->activateWindow();
            }
            return true;
        }
        if (open->destroying) {
            // Loaded again from its own destroying event (or from a handler
            // running meanwhile): the old instance steps aside, hidden, and
            // is finished off once that event returns.
            loadedWindows().erase(found);
            if (open->widget)
                open->widget->hide();
            if (open->dialogLoop)
                open->dialogLoop->quit();
        } else {
            detail::destroyWindow(id);
        }
    }
    if (parent && mode == DialogMode::Modeless && !detail::findLoaded(*parent))
        return false;
    const auto registered = registry().find(id);
    if (registered == registry().end())
        return false;

    const auto window = std::make_shared<detail::LoadedWindow>();
    window->layout = registered->second;
    window->order = detail::nextWindowOrder();
    window->widget = detail::createWindowWidget(*window->layout);
    window->alwaysOnTop = window->layout->alwaysOnTop;
    loadedWindows()[id] = window;
    createUnits(*window);

    detail::raiseEvent(UnitRef{id, 0}, event::created);
    if (!isCurrent(id, window))
        return true;
    if (mode == DialogMode::Dialog) {
        window->dialogMode = true;
        detail::refreshEnabledWindows();
        // Modal to the whole program, as message boxes are: the window shown
        // last is the one that takes input. A box left open under it waits,
        // and the windows it blocks stay blocked after this one is gone.
        window->widget->setWindowModality(Qt::ApplicationModal);
    }
    window->shownOnce = true;
    if (window->units[0].visible)
        window->widget->show();
    if (mode == DialogMode::Dialog && isCurrent(id, window)) {
        QEventLoop loop;
        window->dialogLoop = &loop;
        loop.exec();
        window->dialogLoop = nullptr;
    }
    return true;
}

void closeWindow(WindowId id, CloseMode mode)
{
    const auto found = loadedWindows().find(id);
    if (found == loadedWindows().end())
        fatalError(noSuchUnit());
    const WindowHandle window = found->second;
    if (window->destroying)
        return;
    if (mode == CloseMode::Immediate) {
        detail::destroyWindow(id);
        return;
    }
    if (window->closePending)
        return;
    window->closePending = true;
    QMetaObject::invokeMethod(
        qApp,
        [id, weak = std::weak_ptr<detail::LoadedWindow>(window)] {
            if (const WindowHandle current = weak.lock(); current && isCurrent(id, current))
                detail::destroyWindow(id);
        },
        Qt::QueuedConnection);
}

void loadStartWindow(WindowId window)
{
    if (!loadWindow(window, DialogMode::Modeless))
        fatalError("载入启动窗口失败"_t);
}

void runMessageLoop()
{
    if (loadedWindows().empty())
        return;
    QEventLoop loop;
    QEventLoop* outer = g_messageLoop;
    g_messageLoop = &loop;
    loop.exec();
    g_messageLoop = outer;
}

void fatalError(const Text& message, std::optional<int> code)
{
    g_reportingFatal = true;
    Text report = "运行时出错!"_t + Text::fromBytes("\r\n\r\n");
    if (code)
        report += "错误代码："_t + Text::fromBytes(std::to_string(*code)) + Text::fromBytes("\r\n\r\n");
    report += "错误信息："_t + message + Text::fromBytes("\r\n");
    std::fprintf(stderr, "%s", report.toUtf8().c_str());
    std::fflush(stderr);
    // Widgets live on the user-interface thread only; from any other thread
    // (the player's) the report on standard error is all there is.
    if (qApp && QThread::currentThread() == qApp->thread()) {
        QMessageBox box(QMessageBox::Critical, codec::toQString("错误"_t), codec::toQString(report), QMessageBox::Ok);
        box.exec();
    }
    std::_Exit(-1);
}

namespace detail {

LoadedWindow* findLoaded(WindowId window)
{
    const auto found = loadedWindows().find(window);
    return found == loadedWindows().end() ? nullptr : found->second.get();
}

std::vector<LoadedWindow*> allLoaded()
{
    std::vector<LoadedWindow*> windows;
    for (const auto& [id, window] : loadedWindows())
        windows.push_back(window.get());
    return windows;
}

int nextWindowOrder()
{
    return ++g_windowOrder;
}

UnitState& unitState(UnitRef unit)
{
    LoadedWindow* window = findLoaded(unit.window);
    if (!window) {
        if (registry().count(unit.window))
            fatalError("未载入欲访问窗口组件所在的窗口"_t);
        fatalError(noSuchUnit());
    }
    if (unit.unit < 0 || unit.unit >= static_cast<int>(window->units.size()))
        fatalError(noSuchUnit());
    return window->units[unit.unit];
}

const UnitLayout& unitLayout(UnitRef unit)
{
    const UnitState& state = unitState(unit);
    if (!state.layout)
        fatalError(noSuchUnit());
    return *state.layout;
}

const WindowLayout* windowLayout(WindowId window)
{
    const auto found = registry().find(window);
    return found == registry().end() ? nullptr : found->second;
}

QWidget* unitWidget(UnitRef unit)
{
    return unitState(unit).widget();
}

void raiseEvent(UnitRef unit, int number, int argument)
{
    if (g_reportingFatal)
        return;
    const LoadedWindow* window = findLoaded(unit.window);
    if (!window || unit.unit < 0 || unit.unit >= static_cast<int>(window->units.size()))
        return;
    const std::vector<EventBinding>& bindings =
        unit.unit == 0 ? window->layout->events : window->layout->units[unit.unit - 1].events;
    for (const EventBinding& binding : bindings) {
        if (binding.event == number && binding.handler) {
            binding.handler(argument);
            return;
        }
    }
}

void postEvent(UnitRef unit, int number, int argument)
{
    QMetaObject::invokeMethod(qApp, [unit, number, argument] { raiseEvent(unit, number, argument); },
                              Qt::QueuedConnection);
}

void refreshEnabledWindows()
{
    const auto& windows = loadedWindows();
    for (const auto& [id, window] : windows) {
        if (!window->widget)
            continue;
        const bool blocked = std::any_of(windows.begin(), windows.end(), [&window](const auto& entry) {
            const LoadedWindow& other = *entry.second;
            return other.dialogMode && !other.destroying && other.order > window->order;
        });
        window->widget->setEnabled(!blocked && !window->units[0].disabled);
    }
}

bool userMayClose(WindowId window)
{
    const LoadedWindow* loaded = findLoaded(window);
    return loaded && loaded->widget && loaded->widget->isEnabled();
}

void destroyWindow(WindowId id)
{
    const auto found = loadedWindows().find(id);
    if (found == loadedWindows().end() || found->second->destroying)
        return;
    const WindowHandle window = found->second;
    window->destroying = true;
    // The windows its dialog-mode load disabled are usable again before its
    // destroying event runs; the event still reads the units.
    stopTimers(*window);
    refreshEnabledWindows();
    raiseEvent(UnitRef{id, 0}, event::destroying);
    dispose(id, window);
}

void unloadAllWindows()
{
    while (!loadedWindows().empty())
        destroyWindow(loadedWindows().begin()->first);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace detail
} // namespace host
