#include "host/widgets/reportlist.h"

#include <QApplication>
#include <QHeaderView>
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
        return list.visualRect(list.model()->index(row, column)).center();
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
    EXPECT_TRUE(list.isColumnHidden(4));
    EXPECT_TRUE(list.isColumnHidden(5));
    EXPECT_FALSE(list.isColumnHidden(3));
    EXPECT_EQ(list.columnWidth(2), 135);
    EXPECT_TRUE(list.setCell(0, 4, "无"));
    EXPECT_TRUE(list.setCell(0, 5, "开启"));
    EXPECT_EQ(list.cell(0, 4), "无");
    EXPECT_EQ(list.cell(0, 5), "开启");
    EXPECT_EQ(list.model()->headerData(4, Qt::Horizontal).toString(), QString::fromUtf8("音乐"));
    EXPECT_EQ(list.model()->headerData(5, Qt::Horizontal).toString(), QString::fromUtf8("振动"));
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
    EXPECT_EQ(list.currentIndex().row(), 1); // the focus mark moves with it
    list.setCurrentRow(2);
    EXPECT_EQ(list.currentRow(), 2);
    EXPECT_EQ(list.selectionModel()->selectedRows().size(), 1);

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
    ASSERT_FALSE(list.indexAt(belowRows).isValid());
    QTest::mouseClick(list.viewport(), Qt::RightButton, {}, belowRows);
    EXPECT_EQ(rowAtSignal, -1);

    rowAtSignal = -2;
    list.deleteRow(0);
    QTest::mouseClick(list.viewport(), Qt::RightButton, {}, QPoint(100, 10)); // an empty list
    EXPECT_EQ(rowAtSignal, -1);
}

TEST_F(ReportListTest, HeadersClickWithoutSortingAndCellsDoNotEdit)
{
    addRows({"b", "a", "c"});
    list.show();
    QHeaderView* header = list.horizontalHeader();
    QSignalSpy headerClicks(header, &QHeaderView::sectionClicked);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionPosition(0) + 10, header->height() / 2));
    EXPECT_EQ(headerClicks.size(), 1);
    EXPECT_EQ(firstColumn(), (QStringList{"b", "a", "c"}));

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
