#include "host/runtime.h"

#include "host/codec.h"
#include "host/runtimestate.h"

#include <QApplication>
#include <QEventLoop>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <new>

Q_LOGGING_CATEGORY(lcRuntime, "tikora.runtime")

namespace host {
namespace {

std::map<WindowId, const WindowLayout*>& registry()
{
    static std::map<WindowId, const WindowLayout*> layouts;
    return layouts;
}

std::map<WindowId, std::unique_ptr<detail::LoadedWindow>>& loadedWindows()
{
    static std::map<WindowId, std::unique_ptr<detail::LoadedWindow>> windows;
    return windows;
}

bool g_reportingFatal = false;
QEventLoop* g_messageLoop = nullptr;
int g_generation = 0;

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
    state.rect = unit.rect;
    state.visible = unit.visible;
    state.disabled = unit.disabled;
    state.caption = unit.text;
    state.checked = unit.checked;
    state.dialogType = unit.dialogType;
    state.title = unit.title;
    state.fileName = unit.text;
    state.filter = unit.filter;
    state.filterIndex = unit.filterIndex;

    QWidget* parent = window.widget;
    if (unit.parent > 0 && unit.parent <= static_cast<int>(layout.units.size())) {
        createUnit(window, static_cast<std::size_t>(unit.parent - 1));
        if (QWidget* container = window.units[unit.parent].widget)
            parent = container;
    }
    const UnitRef ref{layout.id, static_cast<int>(index + 1)};
    state.widget = detail::createUnitWidget(unit, parent, ref);
    if (unit.type == UnitType::Timer) {
        state.timer = new QTimer(window.widget);
        state.timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(state.timer, &QTimer::timeout, [ref] { detail::raiseEvent(ref, event::tick); });
        detail::setTimerInterval(state, unit.interval);
    }
}

void createUnits(detail::LoadedWindow& window)
{
    window.units.resize(window.layout->units.size() + 1);
    window.units[0].widget = window.widget;
    for (std::size_t index = 0; index < window.layout->units.size(); ++index)
        createUnit(window, index);
}

void disableOtherWindows(detail::LoadedWindow& dialog)
{
    for (auto& [id, other] : loadedWindows()) {
        if (other.get() == &dialog || !other->widget)
            continue;
        dialog.disabledByDialog.emplace_back(other->widget, other->widget->isEnabled());
        other->widget->setEnabled(false);
    }
}

} // namespace

void initialise()
{
    QCoreApplication::setApplicationName(QStringLiteral("Tikora闹钟"));
    // The window class on X11 is the application name; the instance name
    // follows it so that both parts read the same.
    qputenv("RESOURCE_NAME", QByteArrayLiteral("Tikora闹钟"));
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
        const UnitRef& ref = layout.units[index].ref;
        if (ref.window != layout.id || ref.unit != static_cast<int>(index + 1))
            qFatal("unit %s of window %s is out of order in its layout", layout.units[index].name.c_str(),
                   layout.name.c_str());
    }
    registry()[layout.id] = &layout;
}

bool isLoaded(WindowId window)
{
    return detail::findLoaded(window) != nullptr;
}

bool loadWindow(WindowId id, DialogMode mode, std::optional<WindowId> parent)
{
    if (detail::LoadedWindow* open = detail::findLoaded(id)) {
        if (!open->closePending && !open->destroying) {
            if (open->widget->isMinimized())
                open->widget->showNormal();
            else {
                open->widget->raise();
                open->widget->activateWindow();
            }
            return true;
        }
        detail::destroyWindow(id);
    }
    if (parent && mode == DialogMode::Modeless && !detail::findLoaded(*parent))
        return false;
    const auto found = registry().find(id);
    if (found == registry().end())
        return false;

    auto created = std::make_unique<detail::LoadedWindow>();
    detail::LoadedWindow& window = *created;
    window.layout = found->second;
    window.generation = ++g_generation;
    window.widget = detail::createWindowWidget(*window.layout);
    window.alwaysOnTop = window.layout->alwaysOnTop;
    loadedWindows()[id] = std::move(created);
    createUnits(window);
    window.units[0].visible = window.layout->visible;

    const int generation = window.generation;
    auto stillOpen = [id, generation] {
        const detail::LoadedWindow* current = detail::findLoaded(id);
        return current && current->generation == generation && !current->destroying;
    };
    detail::raiseEvent(UnitRef{id, 0}, event::created);
    if (!stillOpen())
        return true;
    if (mode == DialogMode::Dialog)
        disableOtherWindows(window);
    window.shownOnce = true;
    if (window.units[0].visible)
        window.widget->show();
    if (mode == DialogMode::Dialog && stillOpen()) {
        QEventLoop loop;
        window.dialogLoop = &loop;
        loop.exec();
    }
    return true;
}

void closeWindow(WindowId id, CloseMode mode)
{
    detail::LoadedWindow* window = detail::findLoaded(id);
    if (!window)
        fatalError(noSuchUnit());
    if (window->destroying)
        return;
    if (mode == CloseMode::Immediate) {
        detail::destroyWindow(id);
        return;
    }
    if (window->closePending)
        return;
    window->closePending = true;
    const int generation = window->generation;
    QMetaObject::invokeMethod(
        qApp,
        [id, generation] {
            const detail::LoadedWindow* current = detail::findLoaded(id);
            if (current && current->generation == generation)
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
    if (qApp) {
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
    return unitState(unit).widget;
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

void destroyWindow(WindowId id)
{
    LoadedWindow* window = findLoaded(id);
    if (!window || window->destroying)
        return;
    window->destroying = true;
    raiseEvent(UnitRef{id, 0}, event::destroying);
    // The handler may have asked for the window again; it is still this one.
    window = findLoaded(id);
    for (UnitState& unit : window->units) {
        if (unit.timer)
            unit.timer->stop();
    }
    for (auto& [other, wasEnabled] : window->disabledByDialog) {
        if (other)
            other->setEnabled(wasEnabled);
    }
    QEventLoop* dialogLoop = window->dialogLoop;
    QPointer<QWidget> widget = window->widget;
    loadedWindows().erase(id);
    if (widget) {
        widget->hide();
        widget->deleteLater();
    }
    if (dialogLoop)
        dialogLoop->quit();
    if (loadedWindows().empty() && g_messageLoop)
        g_messageLoop->quit();
}

void unloadAllWindows()
{
    while (!loadedWindows().empty())
        destroyWindow(loadedWindows().begin()->first);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void setTimerInterval(UnitState& state, int interval)
{
    interval = std::max(interval, 0);
    if (interval == state.interval)
        return;
    state.interval = interval;
    if (!state.timer)
        return;
    state.timer->stop();
    if (interval > 0)
        state.timer->start(interval);
}

} // namespace detail
} // namespace host

// Allocation failure ends the program through the fatal-error report, which
// names the size that could not be had.
void* operator new(std::size_t size)
{
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    host::fatalError(host::Text::fromUtf8("分配 " + std::to_string(size) + " 字节内存失败!"));
}

void* operator new[](std::size_t size)
{
    return ::operator new(size);
}
