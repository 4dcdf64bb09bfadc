#include "host/values/codec.h"
#include "host/commands/units.h"
#include "host/runtime/runtime.h"
#include "unitdriver.h"
#include "modalwatch.h"
#include "probewindows.h"
#include "testwindows.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace host;
using namespace testwindows;

namespace {

QAction* actionNamed(QMenu* menu, const QString& text)
{
    for (QAction* action : menu->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

using Units = LoadedProbe;

} // namespace

TEST_F(Units, MoveUnitKeepsWhatIsAbsentOrMinusOne)
{
    moveUnit(Probe::label, 30);
    EXPECT_EQ(rectOf(Probe::label), (Rect{30, 20, 60, 16}));
    moveUnit(Probe::label, {}, 45, -1, 30);
    EXPECT_EQ(rectOf(Probe::label), (Rect{30, 45, 60, 30}));
    moveUnit(Probe::label, {}, {}, 120);
    EXPECT_EQ(rectOf(Probe::label), (Rect{30, 45, 120, 30}));
    moveUnit(Probe::label);
    EXPECT_EQ(rectOf(Probe::label), (Rect{30, 45, 120, 30}));

    // A window moves by its outer frame, like any unit.
    moveUnit(Probe::window, 100, 120, -1, 300);
    EXPECT_EQ(rectOf(Probe::window), (Rect{100, 120, 300, 300}));
}

TEST_F(Units, PopupMenuDeliversTheChoiceAfterItHasClosed)
{
    writeProperty(Probe::remove, menuProp::caption, "删除闹钟"_t);
    writeProperty(Probe::enable, menuProp::checked, true);
    writeProperty(Probe::enable, menuProp::disabled, false);
    QStringList shown;
    bool enableChecked = false;
    ModalWatch watch(ModalWatch::Kind::Popup, [&](QWidget* popup) {
        auto* menu = qobject_cast<QMenu*>(popup);
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions())
            shown << (action->isSeparator() ? QString("<separator>") : action->text());
        QAction* enable = actionNamed(menu, "开启");
        enableChecked = enable && enable->isChecked();
        QAction* remove = actionNamed(menu, "删除闹钟");
        if (!remove) {
            menu->close();
            return;
        }
        menu->setActiveAction(remove);
        QTest::keyClick(menu, Qt::Key_Return);
    });

    popupMenu(Probe::id, Probe::menu);
    ASSERT_TRUE(watch.seen());
    EXPECT_EQ(shown, QStringList({"开启", "<separator>", "删除闹钟"}));
    EXPECT_TRUE(enableChecked);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    // Not inside the command: the choice arrives as an event of its own.
    EXPECT_TRUE(g_probe.delivered.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(g_probe.delivered, std::vector<Delivered>{{Probe::remove}});
}

TEST_F(Units, PopupMenuDismissedOrDisabledDeliversNothing)
{
    writeProperty(Probe::enable, menuProp::disabled, true);
    bool enableEnabled = true;
    ModalWatch watch(ModalWatch::Kind::Popup, [&](QWidget* popup) {
        auto* menu = qobject_cast<QMenu*>(popup);
        ASSERT_NE(menu, nullptr);
        QAction* enable = actionNamed(menu, "开启");
        enableEnabled = !enable || enable->isEnabled();
        QTest::keyClick(menu, Qt::Key_Escape);
    });

    popupMenu(Probe::id, Probe::menu);
    ASSERT_TRUE(watch.seen());
    EXPECT_FALSE(enableEnabled);
    QCoreApplication::processEvents();
    EXPECT_TRUE(g_probe.delivered.empty());
}

TEST_F(Units, PopupMenuOfAnotherWindowIsNotShown)
{
    ASSERT_TRUE(loadWindow(Other::id));
    ModalWatch watch(ModalWatch::Kind::Popup, [](QWidget* popup) { popup->close(); }, nullptr, 300);
    popupMenu(Probe::id, Other::menu);
    QCoreApplication::processEvents();
    EXPECT_FALSE(watch.seen());
    EXPECT_TRUE(g_probe.delivered.empty());
}

TEST_F(Units, PopupMenuShowsBesideTheMouseUnlessPlaced)
{
    struct Case
    {
        std::optional<std::int32_t> x;
        std::optional<std::int32_t> y;
        QPoint expected;
    };
    QCursor::setPos(200, 150);
    ASSERT_EQ(QCursor::pos(), QPoint(200, 150));
    const Case cases[] = {
        {{}, {}, QPoint(203, 153)},
        {100, 120, QPoint(100, 120)},
        {50, {}, QPoint(50, 153)},
    };
    for (const Case& test : cases) {
        QPoint position;
        ModalWatch watch(ModalWatch::Kind::Popup, [&](QWidget* popup) {
            position = popup->pos();
            popup->close();
        });
        popupMenu(Probe::id, Probe::menu, test.x, test.y);
        ASSERT_TRUE(watch.seen());
        EXPECT_EQ(position, test.expected);
    }
}

TEST_F(Units, AppendEditTextAddsAtTheEndWhereverTheCaretWas)
{
    auto* line = qobject_cast<QLineEdit*>(drive::widgetOf(Probe::edit));
    ASSERT_NE(line, nullptr);
    line->setCursorPosition(0);
    appendEditText(Probe::edit, {"12"_t, "闹钟"_t});
    EXPECT_EQ(readProperty(Probe::edit, prop::content).toText(), "0012闹钟"_t);
    EXPECT_EQ(line->cursorPosition(), line->text().size());

    auto* note = qobject_cast<QPlainTextEdit*>(drive::widgetOf(Probe::note));
    ASSERT_NE(note, nullptr);
    std::vector<Text> lines;
    for (int row = 0; row < 30; ++row)
        lines.push_back(Text::fromBytes("line " + std::to_string(row) + "\n"));
    appendEditText(Probe::note, lines);
    note->moveCursor(QTextCursor::Start);
    note->verticalScrollBar()->setValue(0);
    appendEditText(Probe::note, {"最后"_t});
    EXPECT_TRUE(note->toPlainText().endsWith(QString("line 29\n最后")));
    EXPECT_TRUE(note->toPlainText().startsWith(QString("line 0\n")));
    // Scrolled to the caret, which is at the end.
    EXPECT_GT(note->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(note->viewport()->rect().contains(note->cursorRect().center()));
}
