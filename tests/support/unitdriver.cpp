#include "unitdriver.h"

#include "host/runtime/runtime_p.h"
#include "host/widgets/reportlist_p.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QTest>
#include <QTimer>

namespace drive {
namespace {

// The arrow button of a spinner: the upper half for +1, the lower for -1.
QWidget* arrowOf(host::UnitRef spin, int step)
{
    QWidget* body = widgetOf(spin);
    const int y = step > 0 ? 1 : body->height() - 2;
    return body->childAt(body->width() / 2, y);
}

} // namespace

QWidget* widgetOf(host::UnitRef unit)
{
    return host::detail::unitWidget(unit);
}

void click(host::UnitRef unit)
{
    // Through the window, as the window system delivers a user's click: a
    // window that a modal one blocks never sees it.
    QWidget* widget = widgetOf(unit);
    QWidget* window = widget->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, widget->mapTo(window, widget->rect().center()));
}

void rightClick(host::UnitRef list, int row)
{
    auto* view = qobject_cast<host::ReportList*>(widgetOf(list));
    QPoint point(view->viewport()->width() / 2, view->viewport()->height() - 2);
    if (row >= 0)
        point = view->cellRect(row, 0).center();
    QTest::mousePress(view->viewport(), Qt::RightButton, {}, point);
    QTest::mouseRelease(view->viewport(), Qt::RightButton, {}, point);
}

void pressArrow(host::UnitRef spin, int step)
{
    QWidget* arrow = arrowOf(spin, step);
    QTest::mouseClick(arrow, Qt::LeftButton, {}, arrow->rect().center());
}

void holdArrow(host::UnitRef spin, int step, int ms)
{
    QWidget* arrow = arrowOf(spin, step);
    QTest::mousePress(arrow, Qt::LeftButton, {}, arrow->rect().center());
    QTest::qWait(ms);
    QTest::mouseRelease(arrow, Qt::LeftButton, {}, arrow->rect().center());
}

void type(host::UnitRef editBox, const QString& keys)
{
    QWidget* box = widgetOf(editBox);
    box->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(box, keys);
}

void leave(host::UnitRef editBox)
{
    QWidget* box = widgetOf(editBox);
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(box, &focusOut);
    box->clearFocus();
}

void pressCloseBox(host::WindowId window)
{
    widgetOf(host::UnitRef{window, 0})->close();
}

bool tick(host::UnitRef timer)
{
    auto* running = qobject_cast<QTimer*>(host::detail::unitState(timer).object.data());
    if (!running || !running->isActive())
        return false;
    QMetaObject::invokeMethod(running, "timeout", Qt::DirectConnection);
    return true;
}

} // namespace drive
