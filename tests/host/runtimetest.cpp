#include "host/runtime/runtime.h"
#include "unitdriver.h"
#include "probewindows.h"
#include "testwindows.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>
#include <QWindow>
#include <gtest/gtest.h>

#include <climits>

using namespace host;
using namespace testwindows;
using testsupport::waitUntil;

using Runtime = LoadedProbe;

TEST_F(Runtime, WindowPropertiesReadTheOuterFrame)
{
    EXPECT_EQ(g_probe.created, 1);
    EXPECT_EQ(readProperty(Probe::window, prop::width).toInt(), 300);
    EXPECT_EQ(readProperty(Probe::window, prop::height).toInt(), 232);
    EXPECT_EQ(drive::widgetOf(Probe::window)->size(), QSize(294, 200));
    EXPECT_EQ(readProperty(Probe::window, prop::caption).toText(), "探针"_t);

    writeProperty(Probe::window, prop::caption, "闹钟1"_t);
    EXPECT_EQ(drive::widgetOf(Probe::window)->windowTitle(), QString("闹钟1"));
    writeProperty(Probe::window, prop::left, 40);
    writeProperty(Probe::window, prop::top, 99999);  // clamped
    EXPECT_EQ(readProperty(Probe::window, prop::left).toInt(), 40);
    EXPECT_EQ(readProperty(Probe::window, prop::top).toInt(), 32627);

    EXPECT_FALSE(readProperty(Probe::window, prop::alwaysOnTop).toBool());
    writeProperty(Probe::window, prop::alwaysOnTop, true);
    EXPECT_TRUE(readProperty(Probe::window, prop::alwaysOnTop).toBool());
    EXPECT_TRUE(drive::widgetOf(Probe::window)->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    writeProperty(Probe::window, prop::alwaysOnTop, 0);
    EXPECT_FALSE(readProperty(Probe::window, prop::alwaysOnTop).toBool());
}

TEST_F(Runtime, ControlPropertiesByNumber)
{
    EXPECT_EQ(readProperty(Probe::label, prop::caption).toText(), "标签"_t);
    EXPECT_EQ(readProperty(Probe::label, prop::left).toInt(), 10);
    EXPECT_EQ(readProperty(Probe::label, prop::top).toInt(), 20);
    writeProperty(Probe::label, prop::caption, "闹钟3"_t);
    EXPECT_EQ(readProperty(Probe::label, prop::caption).toText(), "闹钟3"_t);
    writeProperty(Probe::label, prop::caption, Text());
    EXPECT_EQ(readProperty(Probe::label, prop::caption).toText(), Text());

    // What the user typed is what the edit box reads.
    static_cast<QLineEdit*>(drive::widgetOf(Probe::edit))->setText("7");
    EXPECT_EQ(readProperty(Probe::edit, prop::content).toText(), "7"_t);
    writeProperty(Probe::edit, prop::content, "23"_t);
    EXPECT_EQ(static_cast<QLineEdit*>(drive::widgetOf(Probe::edit))->text(), QString("23"));

    // Positions inside a group box are relative to the group box.
    EXPECT_EQ(readProperty(Probe::check, prop::left).toInt(), 5);
    EXPECT_EQ(drive::widgetOf(Probe::check)->parentWidget(), drive::widgetOf(Probe::group));

    writeProperty(Probe::edit, prop::tag, "备注"_t);
    EXPECT_EQ(readProperty(Probe::edit, prop::tag).toText(), "备注"_t);
    writeProperty(Probe::group, prop::disabled, true);
    EXPECT_TRUE(readProperty(Probe::group, prop::disabled).toBool());
    EXPECT_FALSE(readProperty(Probe::check, prop::disabled).toBool());  // not flagged itself …
    EXPECT_FALSE(drive::widgetOf(Probe::check)->isEnabled());        // … but takes no input
    writeProperty(Probe::label, prop::visible, false);
    EXPECT_FALSE(readProperty(Probe::label, prop::visible).toBool());

    // A property the type does not have: the write is ignored, the read absent.
    writeProperty(Probe::label, prop::alwaysOnTop, true);
    EXPECT_TRUE(readProperty(Probe::label, prop::alwaysOnTop).isAbsent());
}

TEST_F(Runtime, SizesAreClampedLikePositions)
{
    const struct
    {
        UnitRef unit;
        int number;
        int written;
        int low;
        int high;
    } cases[] = {
        {Probe::label, prop::width, INT_MIN, 0, 0},
        {Probe::label, prop::height, INT_MAX, 32627, 32627},
        {Probe::window, prop::width, INT_MIN, 0, 2 * kFrameSide},
        {Probe::window, prop::height, INT_MAX, 240, 20000},  // no larger than the screens and a frame
        {Probe::window, prop::width, 99999, 300, 20000},
    };
    for (const auto& entry : cases) {
        writeProperty(entry.unit, entry.number, entry.written);
        const int read = readProperty(entry.unit, entry.number).toInt();
        EXPECT_GE(read, entry.low) << entry.written;
        EXPECT_LE(read, entry.high) << entry.written;
    }
}

TEST_F(Runtime, CheckAndRadioBoxes)
{
    EXPECT_TRUE(readProperty(Probe::check, prop::checked).toBool());
    writeProperty(Probe::check, prop::checked, 2);  // only 1 checks
    EXPECT_FALSE(readProperty(Probe::check, prop::checked).toBool());
    writeProperty(Probe::check, prop::checked, 1);
    EXPECT_TRUE(readProperty(Probe::check, prop::checked).toBool());

    // Writing a radio box changes only that box …
    writeProperty(Probe::radioB, prop::checked, true);
    EXPECT_TRUE(readProperty(Probe::radioA, prop::checked).toBool());
    EXPECT_TRUE(readProperty(Probe::radioB, prop::checked).toBool());
    writeProperty(Probe::radioA, prop::checked, false);
    writeProperty(Probe::radioB, prop::checked, false);
    EXPECT_FALSE(readProperty(Probe::radioA, prop::checked).toBool());
    EXPECT_FALSE(readProperty(Probe::radioB, prop::checked).toBool());
    // … while a click checks one and unchecks its siblings, however many writes checked.
    writeProperty(Probe::radioA, prop::checked, true);
    writeProperty(Probe::radioB, prop::checked, true);
    drive::click(Probe::radioB);
    EXPECT_FALSE(readProperty(Probe::radioA, prop::checked).toBool());
    EXPECT_TRUE(readProperty(Probe::radioB, prop::checked).toBool());
}

TEST_F(Runtime, CommonDialogAndMenuItemProperties)
{
    EXPECT_EQ(readProperty(Probe::dialog, prop::title).toText(), "选择音乐"_t);
    EXPECT_EQ(readProperty(Probe::dialog, prop::filter).toText(), "MP3 音乐|*.mp3|所有文件|*.*"_t);
    EXPECT_EQ(readProperty(Probe::dialog, prop::fileName).toText(), Text());
    writeProperty(Probe::dialog, prop::filterIndex, -3);
    EXPECT_EQ(readProperty(Probe::dialog, prop::filterIndex).toInt(), 0);
    writeProperty(Probe::dialog, prop::dialogType, 9);
    EXPECT_EQ(readProperty(Probe::dialog, prop::dialogType).toInt(), 3);
    writeProperty(Probe::dialog, prop::initialDirectory, "/tmp"_t);
    writeProperty(Probe::dialog, prop::defaultExtension, "mp3"_t);
    EXPECT_EQ(readProperty(Probe::dialog, prop::initialDirectory).toText(), "/tmp"_t);
    EXPECT_EQ(readProperty(Probe::dialog, prop::defaultExtension).toText(), "mp3"_t);

    EXPECT_EQ(readProperty(Probe::enable, menuProp::caption).toText(), "开启"_t);
    writeProperty(Probe::enable, menuProp::caption, "关闭闹钟"_t);
    writeProperty(Probe::enable, menuProp::checked, true);
    writeProperty(Probe::enable, menuProp::disabled, true);
    EXPECT_EQ(readProperty(Probe::enable, menuProp::caption).toText(), "关闭闹钟"_t);
    EXPECT_TRUE(readProperty(Probe::enable, menuProp::checked).toBool());
    EXPECT_TRUE(readProperty(Probe::enable, menuProp::disabled).toBool());
    EXPECT_TRUE(readProperty(Probe::enable, menuProp::visible).toBool());
    EXPECT_FALSE(readProperty(Probe::menu, menuProp::visible).toBool());
}

TEST_F(Runtime, ListMethodsAtAndBeyondTheEnds)
{
    EXPECT_EQ(listRowCount(Probe::list), 0);
    EXPECT_EQ(readProperty(Probe::list, prop::currentRow).toInt(), -1);
    EXPECT_EQ(listGetCell(Probe::list, 0, 0), Text());

    EXPECT_EQ(listInsertRow(Probe::list, -1, "7:5"_t), 0);
    EXPECT_EQ(listInsertRow(Probe::list, 99, "8:0"_t), 1);
    EXPECT_TRUE(listSetCell(Probe::list, 1, 1, "开启"_t));  // a width-0 column holds data
    EXPECT_EQ(listGetCell(Probe::list, 1, 1), "开启"_t);
    EXPECT_EQ(listGetCell(Probe::list, 0, 1), Text());
    // The list widget's own tests go through every edge; these show the
    // refusals come back through the runtime.
    EXPECT_EQ(listGetCell(Probe::list, 5, 0), Text());
    EXPECT_FALSE(listSetCell(Probe::list, 2, 0, "x"_t));
    EXPECT_FALSE(listDeleteRow(Probe::list, -1));
    EXPECT_EQ(listRowCount(Probe::list), 2);

    writeProperty(Probe::list, prop::currentRow, 1);
    EXPECT_EQ(readProperty(Probe::list, prop::currentRow).toInt(), 1);
    writeProperty(Probe::list, prop::currentRow, -1);
    EXPECT_EQ(readProperty(Probe::list, prop::currentRow).toInt(), -1);

    EXPECT_TRUE(listDeleteRow(Probe::list, 0));
    EXPECT_EQ(listRowCount(Probe::list), 1);
    EXPECT_EQ(listGetCell(Probe::list, 0, 0), "8:0"_t);
    EXPECT_EQ(listGetCell(Probe::list, 0, 1), "开启"_t);
}

TEST_F(Runtime, TimerIntervalRules)
{
    EXPECT_EQ(readProperty(Probe::timer, prop::interval).toInt(), 0);
    pump(100);
    EXPECT_EQ(g_probe.probeTicks, 0);  // interval 0: stopped

    writeProperty(Probe::timer, prop::interval, 400);
    pump(250);
    // Writing the same value keeps the phase: the tick comes 400 ms after the
    // first write, not 400 ms after this one.
    writeProperty(Probe::timer, prop::interval, 400);
    pump(250);
    EXPECT_EQ(g_probe.probeTicks, 1);

    writeProperty(Probe::timer, prop::interval, -10);
    EXPECT_EQ(readProperty(Probe::timer, prop::interval).toInt(), 0);
    const int ticks = g_probe.probeTicks;
    pump(500);
    EXPECT_EQ(g_probe.probeTicks, ticks);

    // No timer ticks more often than every 10 ms; its interval reads as written.
    writeProperty(Probe::timer, prop::interval, 1);
    EXPECT_EQ(readProperty(Probe::timer, prop::interval).toInt(), 1);
    pump(300);
    EXPECT_GT(g_probe.probeTicks, ticks);
    EXPECT_LE(g_probe.probeTicks - ticks, 32);
}

TEST_F(Runtime, MissedTicksAreNotMadeUp)
{
    writeProperty(Probe::timer, prop::interval, 20);
    QThread::msleep(300);  // the thread is busy through fifteen periods
    QCoreApplication::processEvents();
    EXPECT_LE(g_probe.probeTicks, 1);
}

TEST_F(Runtime, LoadingAnOpenWindowOnlyBringsItToTheFront)
{
    listInsertRow(Probe::list, -1, "7:5"_t);
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(loadWindow(Probe::id, DialogMode::Dialog));  // returns at once, no second instance
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(g_probe.created, 1);
    EXPECT_EQ(listRowCount(Probe::list), 1);
}

TEST_F(Runtime, CloseFromOwnHandlerLetsTheHandlerFinish)
{
    bool finished = false;
    g_probe.onClick = [&] {
        closeWindow(Probe::id);
        // Still loaded: the handler goes on reading and writing its units.
        writeProperty(Probe::label, prop::caption, "关闭中"_t);
        EXPECT_EQ(readProperty(Probe::label, prop::caption).toText(), "关闭中"_t);
        finished = true;
    };
    static_cast<QPushButton*>(drive::widgetOf(Probe::button))->click();
    EXPECT_TRUE(finished);
    EXPECT_TRUE(isLoaded(Probe::id));
    EXPECT_TRUE(waitUntil([] { return !isLoaded(Probe::id); }));
    EXPECT_EQ(g_probe.destroyed, 1);
    EXPECT_EQ(g_probe.captionWhileDestroyed, "关闭中"_t);
}

TEST_F(Runtime, CloseBoxDestroysTheWindowThroughTheRuntime)
{
    drive::widgetOf(Probe::window)->close();
    EXPECT_FALSE(isLoaded(Probe::id));
    EXPECT_EQ(g_probe.destroyed, 1);
    // A fresh load starts from the layout again.
    ASSERT_TRUE(loadWindow(Probe::id));
    EXPECT_EQ(readProperty(Probe::label, prop::caption).toText(), "标签"_t);
    EXPECT_EQ(g_probe.created, 2);
}

TEST_F(Runtime, MessageLoopEndsWithTheLastWindow)
{
    ASSERT_TRUE(loadWindow(Other::id));
    bool probeGoneBeforeEnd = false;
    later(50, [] { closeWindow(Probe::id); });
    later(250, [&] {
        probeGoneBeforeEnd = !isLoaded(Probe::id) && isLoaded(Other::id);
        closeWindow(Other::id);
    });
    QElapsedTimer clock;
    clock.start();
    runMessageLoop();
    EXPECT_GE(clock.elapsed(), 200);  // closing the first window did not end it
    EXPECT_TRUE(probeGoneBeforeEnd);
    EXPECT_FALSE(isLoaded(Other::id));
    runMessageLoop();  // nothing loaded: returns at once
}
