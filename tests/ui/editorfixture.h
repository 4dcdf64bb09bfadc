#pragma once

// The main window and the editor: both simply loaded, to look at; or the
// editor opened the way the user opens it, through 添加闹钟 or the list's
// menu, with the steps of a test run while it is open in its dialog-mode loop.

#include "core/alarmtable.h"
#include "host/commands.h"
#include "host/runtime/runtime.h"
#include "host/runtime/runtime_testing.h"
#include "modalwatch.h"
#include "programwindows.h"
#include "testwindows.h"
#include "ui/editor/editorwindowlayout.h"
#include "ui/main/mainwindowlayout.h"
#include "unitdriver.h"

#include <QTest>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

/// The main window and the editor beside it, both loaded and left open, for
/// looking at the editor's units (the main window is there because the editor
/// reads its mode from it).
class EditorShown : public ProgramWindows
{
protected:
    void SetUp() override
    {
        ProgramWindows::SetUp();
        ASSERT_TRUE(host::loadWindow(EditorWindow::id));
    }
};

class EditorTest : public ProgramWindows
{
protected:
    using Cells = std::array<std::string, 6>;  // ring time, enabled, repeat, note, music, vibrate

    void SetUp() override
    {
        ProgramWindows::SetUp();
        setTime(10, 15, 30);
    }

    /// Clicks 添加闹钟 and runs `steps` in the editor; false if it never opened.
    bool add(std::function<void()> steps)
    {
        arm(std::move(steps));
        drive::click(MainWindow::按钮_添加);
        return m_opened;
    }

    /// Selects `row`, chooses 修改闹钟设置 from the list's menu and runs `steps` in the editor.
    bool modify(int row, std::function<void()> steps)
    {
        AlarmTable::setSelectedRow(row);
        const ModalWatch menu = ModalWatch::choosing("修改闹钟设置");
        host::popupMenu(MainWindow::id, MainWindow::菜单);
        // The choice arrives as an event of its own, and the editor opens from it.
        arm(std::move(steps));
        testsupport::waitUntil([this] { return m_done && !host::isLoaded(EditorWindow::id); });
        return m_opened;
    }

public:
    static Cells cellsOf(int row)
    {
        Cells cells;
        for (int column = 0; column < 6; ++column)
            cells[column] = AlarmTable::cell(row, static_cast<AlarmTable::AlarmColumn>(column)).toUtf8();
        return cells;
    }

    /// Writes a row as the editor would have added it.
    static void putRow(const Cells& cells)
    {
        const int row = AlarmTable::appendRow(host::Text::fromUtf8(cells[0]));
        for (int column = 1; column < 6; ++column)
            AlarmTable::setCell(row, static_cast<AlarmTable::AlarmColumn>(column), host::Text::fromUtf8(cells[column]));
    }

    /// Whether the editor goes away by itself (after a confirm, say).
    static bool editorCloses()
    {
        return testsupport::waitUntil([] { return !host::isLoaded(EditorWindow::id); });
    }

    static std::string textOf(host::UnitRef unit)
    {
        return host::readProperty(unit, host::prop::content).toText().toUtf8();
    }

    static bool isChecked(host::UnitRef unit)
    {
        return host::readProperty(unit, host::prop::checked).toBool();
    }

protected:
    /// Replaces what an edit box shows, as the user would with Backspace and the keyboard.
    static void retype(host::UnitRef box, const QString& keys)
    {
        QWidget* widget = drive::widgetOf(box);
        widget->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(widget, Qt::Key_End);
        QTest::keyClick(widget, Qt::Key_Home, Qt::ShiftModifier);
        QTest::keyClick(widget, Qt::Key_Backspace);
        drive::type(box, keys);
    }

private:
    // The steps run from the editor's own loop; whatever they leave open is
    // closed with the close box, so the command that opened it returns.
    void arm(std::function<void()> steps)
    {
        m_steps = std::move(steps);
        m_opened = m_done = false;
        testwindows::later(0, [this] {
            m_opened = testsupport::waitUntil([] { return host::isLoaded(EditorWindow::id); });
            if (m_opened)
                m_steps();
            if (host::isLoaded(EditorWindow::id))
                drive::pressCloseBox(EditorWindow::id);
            m_done = true;
        });
    }

    std::function<void()> m_steps;
    bool m_opened = false;
    bool m_done = false;
};
