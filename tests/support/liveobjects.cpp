#include "liveobjects.h"

#include <QObject>
#include <QThread>

#include <mutex>

// QtCore's hook table: slot 3 is called by every QObject constructor and
// slot 4 by every destructor, on the thread that runs them.
extern quintptr qtHookData[];

namespace {

constexpr int kAddObject = 3;
constexpr int kRemoveObject = 4;
using Hook = void (*)(QObject*);

std::mutex g_mutex;
std::unordered_set<QObject*> g_live;
quintptr g_previous[2] = {0, 0};

void chain(quintptr previous, QObject* object)
{
    if (previous)
        reinterpret_cast<Hook>(previous)(object);
}

void added(QObject* object)
{
    {
        const std::lock_guard lock(g_mutex);
        g_live.insert(object);
    }
    chain(g_previous[0], object);
}

void removed(QObject* object)
{
    {
        const std::lock_guard lock(g_mutex);
        g_live.erase(object);
    }
    chain(g_previous[1], object);
}

} // namespace

LiveObjects::LiveObjects()
{
    g_previous[0] = qtHookData[kAddObject];
    g_previous[1] = qtHookData[kRemoveObject];
    qtHookData[kAddObject] = reinterpret_cast<quintptr>(&added);
    qtHookData[kRemoveObject] = reinterpret_cast<quintptr>(&removed);
}

LiveObjects::~LiveObjects()
{
    qtHookData[kAddObject] = g_previous[0];
    qtHookData[kRemoveObject] = g_previous[1];
    const std::lock_guard lock(g_mutex);
    g_live.clear();
}

LiveObjects::Counts LiveObjects::counts() const
{
    const std::lock_guard lock(g_mutex);
    Counts counts;
    for (QObject* object : g_live) {
        // Another thread's objects may be half destroyed, and the workers Qt
        // starts for painting come and go on their own: the calling thread's
        // objects only, threads aside.
        if (object->thread() != QThread::currentThread() || object->inherits("QThread"))
            continue;
        ++counts.objects;
        counts.widgets += object->isWidgetType() ? 1 : 0;
        counts.timers += object->inherits("QTimer") ? 1 : 0;
    }
    return counts;
}
