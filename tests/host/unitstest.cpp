#include "host/codec.h"
#include "host/commands/units.h"
#include "host/runtime.h"
#include "unitdriver.h"
#include "modalwatch.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace host;

namespace {

namespace Board {
inline constexpr WindowId id{311};
inline constexpr UnitRef window{id, 0};
inline constexpr UnitRef label{id, 1};
inline constexpr UnitRef menu{id, 2};
inline constexpr UnitRef enable{id, 3};
inline constexpr UnitRef separator{id, 4};
inline constexpr UnitRef remove{id, 5};
inline constexpr UnitRef hidden{id, 6};
inline constexpr UnitRef line{id, 7};
inline constexpr UnitRef note{id, 8};
} // namespace Board

// Its menu has the same unit number as the board's.
namespace Other {
inline constexpr WindowId id{312};
inline constexpr UnitRef label{id, 1};
inline constexpr UnitRef menu{id, 2};
inline constexpr UnitRef item{id, 3};
} // namespace Other

// Names of the menu items chosen, in the order their events arrived.
std::vector<std::string> g_chosen;

EventBinding recordChoice(const char* name)
{
    return {event::chosen, [name](int) { g_chosen.push_back(name); }};
}

const WindowLayout& boardLayout()
{
    static const WindowLayout layout = [] {
        WindowLayout board{.id = Board::id, .name = "Board", .caption = "板"_t, .outerWidth = 320, .outerHeight = 240,
                           .left = 40, .top = 50, .centred = false};
        board.units = {
            {.ref = Board::label, .name = "label", .type = UnitType::Label, .rect = {10, 20, 80, 24}, .text = "标签"_t},
            {.ref = Board::menu, .name = "menu", .type = UnitType::Menu, .visible = false, .text = "菜单"_t},
            {.ref = Board::enable, .name = "enable", .type = UnitType::Menu, .parent = Board::menu.unit,
             .text = "开启"_t, .events = {recordChoice("enable")}},
            {.ref = Board::separator, .name = "separator", .type = UnitType::Menu, .parent = Board::menu.unit,
             .text = "-"_t},
            {.ref = Board::remove, .name = "remove", .type = UnitType::Menu, .parent = Board::menu.unit,
             .text = "删除"_t, .events = {recordChoice("remove")}},
            {.ref = Board::hidden, .name = "hidden", .type = UnitType::Menu, .parent = Board::menu.unit,
             .visible = false, .text = "隐藏"_t, .events = {recordChoice("hidden")}},
            {.ref = Board::line, .name = "line", .type = UnitType::EditBox, .rect = {10, 50, 100, 20}, .text = "abc"_t},
            {.ref = Board::note, .name = "note", .type = UnitType::EditBox, .rect = {10, 80, 200, 40}, .multiLine = true},
        };
        return board;
    }();
    return layout;
}

const WindowLayout& otherLayout()
{
    static const WindowLayout layout = [] {
        WindowLayout other{.id = Other::id, .name = "OtherBoard", .caption = "另一块"_t, .outerWidth = 200,
                           .outerHeight = 100};
        other.units = {
            {.ref = Other::label, .name = "label", .type = UnitType::Label, .rect = {10, 10, 80, 20}, .text = "标签"_t},
            {.ref = Other::menu, .name = "menu", .type = UnitType::Menu, .visible = false, .text = "菜单"_t},
            {.ref = Other::item, .name = "item", .type = UnitType::Menu, .parent = Other::menu.unit, .text = "项"_t,
             .events = {recordChoice("other")}},
        };
        return other;
    }();
    return layout;
}

void sendKey(QWidget* widget, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

QAction* actionNamed(QMenu* menu, const QString& text)
{
    for (QAction* action : menu->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

class Units : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_chosen.clear();
        registerWindow(boardLayout());
        registerWindow(otherLayout());
        ASSERT_TRUE(loadWindow(Board::id));
    }
    void TearDown() override { detail::unloadAllWindows(); }
};

Rect rectOf(UnitRef unit)
{
    return Rect{readProperty(unit, prop::left).toInt(), readProperty(unit, prop::top).toInt(),
                readProperty(unit, prop::width).toInt(), readProperty(unit, prop::height).toInt()};
}

} // namespace

TEST_F(Units, MoveUnitKeepsWhatIsAbsentOrMinusOne)
{
    moveUnit(Board::label, 30);
    EXPECT_EQ(rectOf(Board::label), (Rect{30, 20, 80, 24}));
    moveUnit(Board::label, {}, 45, -1, 30);
    EXPECT_EQ(rectOf(Board::label), (Rect{30, 45, 80, 30}));
    moveUnit(Board::label, {}, {}, 120);
    EXPECT_EQ(rectOf(Board::label), (Rect{30, 45, 120, 30}));
    moveUnit(Board::label);
    EXPECT_EQ(rectOf(Board::label), (Rect{30, 45, 120, 30}));

    // A window moves by its outer frame, like any unit.
    moveUnit(Board::window, 100, 120, -1, 300);
    EXPECT_EQ(rectOf(Board::window), (Rect{100, 120, 320, 300}));
}

TEST_F(Units, PopupMenuDeliversTheChoiceAfterItHasClosed)
{
    writeProperty(Board::remove, menuProp::caption, "删除闹钟"_t);
    writeProperty(Board::enable, menuProp::checked, true);
    writeProperty(Board::enable, menuProp::disabled, false);
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
        sendKey(menu, Qt::Key_Return);
    });

    popupMenu(Board::id, Board::menu);
    ASSERT_TRUE(watch.seen());
    EXPECT_EQ(shown, QStringList({"开启", "<separator>", "删除闹钟"}));
    EXPECT_TRUE(enableChecked);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    // Not inside the command: the choice arrives as an event of its own.
    EXPECT_TRUE(g_chosen.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(g_chosen, std::vector<std::string>{"remove"});
}

TEST_F(Units, PopupMenuDismissedOrDisabledDeliversNothing)
{
    writeProperty(Board::enable, menuProp::disabled, true);
    bool enableEnabled = true;
    ModalWatch watch(ModalWatch::Kind::Popup, [&](QWidget* popup) {
        auto* menu = qobject_cast<QMenu*>(popup);
        ASSERT_NE(menu, nullptr);
        QAction* enable = actionNamed(menu, "开启");
        enableEnabled = !enable || enable->isEnabled();
        sendKey(menu, Qt::Key_Escape);
    });

    popupMenu(Board::id, Board::menu);
    ASSERT_TRUE(watch.seen());
    EXPECT_FALSE(enableEnabled);
    QCoreApplication::processEvents();
    EXPECT_TRUE(g_chosen.empty());
}

TEST_F(Units, PopupMenuOfAnotherWindowIsNotShown)
{
    ASSERT_TRUE(loadWindow(Other::id));
    ModalWatch watch(ModalWatch::Kind::Popup, [](QWidget* popup) { popup->close(); }, nullptr, 300);
    popupMenu(Board::id, Other::menu);
    QCoreApplication::processEvents();
    EXPECT_FALSE(watch.seen());
    EXPECT_TRUE(g_chosen.empty());
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
        popupMenu(Board::id, Board::menu, test.x, test.y);
        ASSERT_TRUE(watch.seen());
        EXPECT_EQ(position, test.expected);
    }
}

TEST_F(Units, AppendEditTextAddsAtTheEndWhereverTheCaretWas)
{
    auto* line = qobject_cast<QLineEdit*>(drive::widgetOf(Board::line));
    ASSERT_NE(line, nullptr);
    line->setCursorPosition(0);
    appendEditText(Board::line, {"12"_t, "闹钟"_t});
    EXPECT_EQ(readProperty(Board::line, prop::content).toText(), "abc12闹钟"_t);
    EXPECT_EQ(line->cursorPosition(), line->text().size());

    auto* note = qobject_cast<QPlainTextEdit*>(drive::widgetOf(Board::note));
    ASSERT_NE(note, nullptr);
    std::vector<Text> lines;
    for (int row = 0; row < 30; ++row)
        lines.push_back(Text::fromBytes("line " + std::to_string(row) + "\n"));
    appendEditText(Board::note, lines);
    note->moveCursor(QTextCursor::Start);
    note->verticalScrollBar()->setValue(0);
    appendEditText(Board::note, {"最后"_t});
    EXPECT_TRUE(note->toPlainText().endsWith(QString("line 29\n最后")));
    EXPECT_TRUE(note->toPlainText().startsWith(QString("line 0\n")));
    // Scrolled to the caret, which is at the end.
    EXPECT_GT(note->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(note->viewport()->rect().contains(note->cursorRect().center()));
}
