#include "host/widgets/reportlist_p.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using host::ReportList;

namespace {

/// A list set up like the program's alarm list: four visible columns and two of width 0.
class ReportListTest : public testing::Test
{
protected:
    ReportListTest()
    {
        for (const auto& [header, width] : std::initializer_list<std::pair<const char*, int>>{
                 {"闹钟", 50}, {"响铃", 50}, {"状态", 135}, {"备注", 115}, {"音乐", 0}, {"振动", 0}})
            list.addColumn(QString::fromUtf8(header), width);
        list.setTextColor(QColor(96, 96, 96));
        list.setBackgroundColor(Qt::white);
        list.resize(363, 91);
    }

    void addRows(std::initializer_list<const char*> firstCells)
    {
        for (const char* text : firstCells)
            list.insertRow(-1, QString::fromUtf8(text));
    }

    QStringList firstColumn() const
    {
        QStringList cells;
        for (int row = 0; row < list.rowCount(); ++row)
            cells.append(list.cell(row, 0));
        return cells;
    }

    /// The centre of a cell on the screen, in viewport coordinates.
    QPoint cellCentre(int row, int column) const
    {
        return list.cellRect(row, column).center();
    }

    ReportList list;
};

} // namespace

TEST_F(ReportListTest, InsertRowPlacesRowsAndAppendsForPositionsOutsideTheList)
{
    EXPECT_EQ(list.insertRow(-1, "a"), 0);
    EXPECT_EQ(list.insertRow(7, "b"), 1);  // past the end
    EXPECT_EQ(list.insertRow(-5, "c"), 2); // any negative position
    EXPECT_EQ(list.insertRow(0, "first"), 0);
    EXPECT_EQ(list.insertRow(2, "middle"), 2);
    EXPECT_EQ(list.insertRow(5, "last"), 5); // exactly at the end
    EXPECT_EQ(firstColumn(), (QStringList{"first", "a", "middle", "b", "c", "last"}));
    EXPECT_EQ(list.rowCount(), 6);
}

TEST_F(ReportListTest, CellsOutsideTheListReadEmptyAndRefuseWrites)
{
    addRows({"1", "2"});
    EXPECT_TRUE(list.setCell(1, 3, "note"));
    EXPECT_EQ(list.cell(1, 3), "note");
    EXPECT_EQ(list.cell(1, 2), "");  // in the list, never written
    EXPECT_EQ(list.cell(-1, 0), "");
    EXPECT_EQ(list.cell(2, 0), "");
    EXPECT_EQ(list.cell(0, 6), "");
    EXPECT_EQ(list.cell(0, -1), "");

    EXPECT_FALSE(list.setCell(-1, 0, "x"));
    EXPECT_FALSE(list.setCell(2, 0, "x"));
    EXPECT_FALSE(list.setCell(0, 6, "x"));
    EXPECT_EQ(list.rowCount(), 2);
    EXPECT_EQ(firstColumn(), (QStringList{"1", "2"}));
}

TEST_F(ReportListTest, ZeroWidthColumnsAreInvisibleButHoldTheirCells)
{
    addRows({"1"});
    EXPECT_EQ(list.columnCount(), 6);
    EXPECT_TRUE(list.cellRect(0, 4).isEmpty());
    EXPECT_TRUE(list.cellRect(0, 5).isEmpty());
    EXPECT_EQ(list.cellRect(0, 3).left(), 50 + 50 + 135);
    EXPECT_EQ(list.columnWidth(2), 135);
    EXPECT_TRUE(list.setCell(0, 4, "无"));
    EXPECT_TRUE(list.setCell(0, 5, "开启"));
    EXPECT_EQ(list.cell(0, 4), "无");
    EXPECT_EQ(list.cell(0, 5), "开启");
    EXPECT_EQ(list.caption(4), QString::fromUtf8("音乐"));
    EXPECT_EQ(list.caption(5), QString::fromUtf8("振动"));
}

TEST_F(ReportListTest, DeleteRowMovesLaterRowsUpAndRefusesRowsOutsideTheList)
{
    addRows({"a", "b", "c"});
    list.setCell(2, 1, "07:30");
    EXPECT_FALSE(list.deleteRow(-1));
    EXPECT_FALSE(list.deleteRow(3));
    EXPECT_EQ(firstColumn(), (QStringList{"a", "b", "c"}));

    EXPECT_TRUE(list.deleteRow(1));
    EXPECT_EQ(firstColumn(), (QStringList{"a", "c"}));
    EXPECT_EQ(list.cell(1, 1), "07:30");
    EXPECT_TRUE(list.deleteRow(1));
    EXPECT_TRUE(list.deleteRow(0));
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_FALSE(list.deleteRow(0));
}

TEST_F(ReportListTest, CurrentRowSelectsOneRowAtATimeAndMinusOneUnselects)
{
    addRows({"a", "b", "c"});
    EXPECT_EQ(list.currentRow(), -1);
    list.setCurrentRow(1);
    EXPECT_EQ(list.currentRow(), 1);
    list.setCurrentRow(2);
    EXPECT_EQ(list.currentRow(), 2);

    list.setCurrentRow(3); // past the end: nothing changes
    EXPECT_EQ(list.currentRow(), 2);
    list.setCurrentRow(-1);
    EXPECT_EQ(list.currentRow(), -1);
    list.setCurrentRow(-7); // nothing selected: still nothing
    EXPECT_EQ(list.currentRow(), -1);

    list.setCurrentRow(0);
    list.deleteRow(0);
    EXPECT_EQ(list.currentRow(), -1); // the selected row is gone
    list.setCurrentRow(1);
    list.insertRow(0, "new");
    EXPECT_EQ(list.currentRow(), 2); // the selection stays with its row
    list.deleteRow(0);
    EXPECT_EQ(list.currentRow(), 1);
}

TEST_F(ReportListTest, RightClickOnARowSelectsItBeforeTheSignal)
{
    addRows({"a", "b", "c"});
    list.show();
    list.setCurrentRow(0);
    int rowAtSignal = -2;
    QObject::connect(&list, &ReportList::rightClicked, &list, [&] { rowAtSignal = list.currentRow(); });
    QSignalSpy spy(&list, &ReportList::rightClicked);

    QTest::mouseClick(list.viewport(), Qt::RightButton, {}, cellCentre(2, 3));
    EXPECT_EQ(spy.size(), 1);
    EXPECT_EQ(rowAtSignal, 2);
    EXPECT_EQ(list.currentRow(), 2);

    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, cellCentre(1, 0));
    EXPECT_EQ(spy.size(), 1); // a left click selects but raises nothing
    EXPECT_EQ(list.currentRow(), 1);
}

TEST_F(ReportListTest, RightClickOnEmptySpaceClearsTheSelectionAndSignals)
{
    addRows({"a"});
    list.show();
    list.setCurrentRow(0);
    int rowAtSignal = -2;
    QObject::connect(&list, &ReportList::rightClicked, &list, [&] { rowAtSignal = list.currentRow(); });

    const QPoint belowRows(20, list.viewport()->height() - 3);
    ASSERT_EQ(list.rowAt(belowRows), -1);
    QTest::mouseClick(list.viewport(), Qt::RightButton, {}, belowRows);
    EXPECT_EQ(rowAtSignal, -1);

    rowAtSignal = -2;
    list.deleteRow(0);
    QTest::mouseClick(list.viewport(), Qt::RightButton, {}, QPoint(100, 10)); // an empty list
    EXPECT_EQ(rowAtSignal, -1);
}

TEST_F(ReportListTest, CaptionsClickWithoutSortingDragToResizeAndCellsDoNotEdit)
{
    addRows({"b", "a", "c"});
    list.show();
    QWidget* header = list.header();
    QTest::mouseClick(header, Qt::LeftButton, {}, list.captionRect(0).center());
    EXPECT_EQ(firstColumn(), (QStringList{"b", "a", "c"}));

    // Dragging the edge between the first two captions widens the first column.
    const QPoint edge(list.captionRect(0).right() + 1, header->height() / 2);
    QTest::mousePress(header, Qt::LeftButton, {}, edge);
    QMouseEvent drag(QEvent::MouseMove, edge + QPoint(20, 0), header->mapToGlobal(edge + QPoint(20, 0)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(header, &drag);
    QTest::mouseRelease(header, Qt::LeftButton, {}, edge + QPoint(20, 0));
    EXPECT_EQ(list.columnWidth(0), 70);
    EXPECT_EQ(list.cellRect(0, 1).left(), 70);

    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, cellCentre(1, 0));
    QTest::keyClick(list.viewport(), Qt::Key_F2);
    EXPECT_EQ(list.findChild<QLineEdit*>(), nullptr);
    EXPECT_EQ(list.cell(1, 0), "a");
}

TEST_F(ReportListTest, SelectedRowIsHighlightedOnlyWhileTheListHasTheFocus)
{
    QWidget window;
    QLineEdit other(&window);
    list.setParent(&window);
    const auto detach = qScopeGuard([this] { list.setParent(nullptr); }); // the fixture owns the list
    list.move(0, 30);
    addRows({"a", "b"});
    window.resize(400, 140);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    list.setCurrentRow(1);

    // A point in the selected row's empty stretch of the "状态" column, away from any text.
    const QPoint inSelectedRow = cellCentre(1, 2) + QPoint(50, 0);
    const QPoint inOtherRow = cellCentre(0, 2) + QPoint(50, 0);
    list.setFocus();
    ASSERT_TRUE(list.hasFocus());
    const QImage focused = list.viewport()->grab().toImage();
    EXPECT_EQ(focused.pixelColor(inSelectedRow), list.palette().color(QPalette::Active, QPalette::Highlight));
    EXPECT_NE(focused.pixelColor(inSelectedRow), QColor(Qt::white));
    EXPECT_EQ(focused.pixelColor(inOtherRow), QColor(Qt::white));

    other.setFocus();
    ASSERT_FALSE(list.hasFocus());
    const QImage unfocused = list.viewport()->grab().toImage();
    EXPECT_EQ(unfocused.pixelColor(inSelectedRow), QColor(Qt::white));
    EXPECT_EQ(unfocused.pixelColor(inOtherRow), QColor(Qt::white));

    list.setFocus();
    EXPECT_EQ(list.viewport()->grab().toImage().pixelColor(inSelectedRow), focused.pixelColor(inSelectedRow));
    EXPECT_EQ(list.currentRow(), 1);
}

TEST_F(ReportListTest, KeysMoveTheSelectionIntoViewAndCtrlCCopiesTheCurrentCell)
{
    addRows({"a", "b", "c", "d", "e"});
    for (int row = 0; row < 5; ++row)
        list.setCell(row, 3, QStringLiteral("note %1").arg(row));
    list.show();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, cellCentre(0, 3));
    ASSERT_EQ(list.currentRow(), 0);

    const struct
    {
        Qt::Key key;
        int row;
    } steps[] = {{Qt::Key_Down, 1}, {Qt::Key_End, 4}, {Qt::Key_Down, 4}, {Qt::Key_Up, 3}, {Qt::Key_Home, 0}, {Qt::Key_Down, 1}};
    for (const auto& step : steps) {
        QTest::keyClick(&list, step.key);
        EXPECT_EQ(list.currentRow(), step.row) << step.key;
        EXPECT_TRUE(list.viewport()->rect().contains(list.cellRect(step.row, 0))) << step.key; // scrolled into view
    }
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(&list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "note 1");
}

TEST_F(ReportListTest, ScreenReaderReadsTheCaptionsAndCellsOfVisibleColumns)
{
    addRows({"闹钟1", "闹钟2"});
    list.setCell(1, 3, QString::fromUtf8("起床"));
    list.setCell(1, 4, QString::fromUtf8("无")); // an invisible column stays out
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&list);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->role(), QAccessible::Table);
    ASSERT_EQ(table->childCount(), 4 * 3); // the captions' row and two rows of four cells
    const struct
    {
        int index;
        QAccessible::Role role;
        const char* name;
    } children[] = {{0, QAccessible::ColumnHeader, "闹钟"}, {3, QAccessible::ColumnHeader, "备注"},
                    {4, QAccessible::Cell, "闹钟1"}, {8, QAccessible::Cell, "闹钟2"}, {11, QAccessible::Cell, "起床"}};
    for (const auto& expected : children) {
        QAccessibleInterface* child = table->child(expected.index);
        ASSERT_NE(child, nullptr) << expected.index;
        EXPECT_EQ(child->role(), expected.role) << expected.index;
        EXPECT_EQ(child->text(QAccessible::Name), QString::fromUtf8(expected.name)) << expected.index;
        EXPECT_EQ(table->indexOfChild(child), expected.index);
        EXPECT_EQ(child->parent(), table);
    }

    // Read as a table: each cell's row, column and column caption, and the selected row.
    QAccessibleTableInterface* grid = table->tableInterface();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->columnCount(), 4);
    QAccessibleTableCellInterface* note = grid->cellAt(1, 3)->tableCellInterface();
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(grid->cellAt(1, 3)->text(QAccessible::Name), QString::fromUtf8("起床"));
    EXPECT_EQ(std::pair(note->rowIndex(), note->columnIndex()), std::pair(1, 3));
    EXPECT_EQ(note->columnHeaderCells().value(0)->text(QAccessible::Name), QString::fromUtf8("备注"));
    list.setCurrentRow(1);
    EXPECT_EQ(grid->selectedRows(), QList<int>{1});

    list.deleteRow(0);
    EXPECT_EQ(table->childCount(), 4 * 2);
    EXPECT_EQ(table->child(4)->text(QAccessible::Name), QString::fromUtf8("闹钟2"));
    // Emptied, the table still names its columns and never hands out nothing for a cell.
    list.deleteRow(0);
    EXPECT_EQ(grid->rowCount(), 0);
    EXPECT_TRUE(grid->selectedRows().isEmpty());
    EXPECT_EQ(grid->cellAt(0, 1)->tableCellInterface()->columnHeaderCells().value(0)->text(QAccessible::Name),
              QString::fromUtf8("响铃"));
    EXPECT_NE(grid->cellAt(7, -1)->tableCellInterface(), nullptr);
}
