#include "alarmfixture.h"

#include "core/defaultsound.h"
#include "host/runtime/runtime.h"
#include "modalwatch.h"
#include "resources/builtinsound.h"
#include "testwindows.h"
#include "ui/main/mainwindowhandlers.h"
#include "ui/main/mainwindowlayout.h"
#include "ui/main/settingswindowlayout.h"
#include "unitdriver.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QMenu>
#include <QMessageBox>

#include <sys/stat.h>

using namespace host;
using namespace MainWindow;
using AlarmTable::AlarmColumn;

namespace {

class MainWindowHandlers : public AlarmFixture
{
protected:
    static Text toggleCaption() { return readProperty(MainWindow::菜单_启动停止闹钟, menuProp::caption).toText(); }
    static void setToggleCaption(const char* caption)
    {
        writeProperty(MainWindow::菜单_启动停止闹钟, menuProp::caption, Value(Text::fromUtf8(caption)));
    }
    static QString fileOf(const Text& path) { return QString::fromStdString(path.toUtf8()); }
};

// Chooses the menu's first item, or closes the menu when `choose` is false.
ModalWatch choosingFirstItem(bool choose, QString* firstItem)
{
    return ModalWatch(ModalWatch::Kind::Popup, [choose, firstItem](QWidget* popup) {
        auto* menu = qobject_cast<QMenu*>(popup);
        ASSERT_NE(menu, nullptr);
        QAction* first = menu->actions().value(0);
        *firstItem = first ? first->text() : QString();
        if (choose && first)
            menu->setActiveAction(first);
        QTest::keyClick(menu, choose ? Qt::Key_Return : Qt::Key_Escape);
    });
}

} // namespace

TEST_F(MainWindowHandlers, ClockShowsTheTimeWithoutLeadingZeros)
{
    EXPECT_EQ(readProperty(MainWindow::时钟1, prop::interval).toInt(), 1000);
    struct Case
    {
        int hour, minute, second;
        std::vector<Text> shown;
    };
    for (const Case& test : {Case{9, 5, 7, {"9"_t, "5"_t, "7"_t}}, Case{23, 59, 0, {"23"_t, "59"_t, "0"_t}},
                             Case{0, 0, 0, {"0"_t, "0"_t, "0"_t}}}) {
        setTime(test.hour, test.minute, test.second);
        clockTick();
        const std::vector<Text> shown{readProperty(MainWindow::编辑框1, prop::content).toText(),
                                      readProperty(MainWindow::编辑框2, prop::content).toText(),
                                      readProperty(MainWindow::编辑框3, prop::content).toText()};
        EXPECT_EQ(shown, test.shown);
    }
}

TEST_F(MainWindowHandlers, PopupSaysWhatTheToggleWillDoToTheSelectedAlarmOnly)
{
    addAlarm("7:0");
    addAlarm("8:0", fields("关闭"));
    addAlarm("9:0");
    struct Case
    {
        int row;
        const char* caption;
        std::vector<Text> enabledAfter;
    };
    for (const Case& test : {Case{0, "关闭闹钟", {"关闭"_t, "关闭"_t, "开启"_t}},
                             Case{1, "开启闹钟", {"关闭"_t, "开启"_t, "开启"_t}}}) {
        SCOPED_TRACE(test.row);
        QString firstItem;
        ModalWatch watch = choosingFirstItem(true, &firstItem);
        drive::rightClick(MainWindow::超级列表框1, test.row);
        ASSERT_TRUE(testsupport::waitUntil([&] { return watch.seen(); }));
        testwindows::pump(50);  // the choice arrives after the menu has closed
        EXPECT_EQ(firstItem, QString::fromUtf8(test.caption));
        EXPECT_EQ(toggleCaption(), Text::fromUtf8(test.caption));
        EXPECT_EQ(column(AlarmColumn::Enabled), test.enabledAfter);
    }
}

struct DeleteCase
{
    QMessageBox::StandardButton answer;
    std::vector<Text> rowsAfter;
    std::vector<Text> mirrorsAfter;
};

class DeleteAsks : public MainWindowHandlers, public ::testing::WithParamInterface<DeleteCase>
{
};

TEST_P(DeleteAsks, ThenRemovesTheSelectedAlarmAndItsMirror)
{
    const DeleteCase& test = GetParam();
    for (const char* time : {"7:0", "8:0", "9:0"})
        addAlarm(time);
    AlarmTable::setSelectedRow(0);
    ModalWatch boxes(test.answer);

    deleteAlarmChosen();

    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, QString("将会删除此闹钟。"));
    EXPECT_EQ(boxes.shown()[0].title, QString("删除闹钟"));
    EXPECT_EQ(boxes.shown()[0].buttons, 2);
    EXPECT_EQ(column(AlarmColumn::RingTime), test.rowsAfter);
    EXPECT_EQ(mirrors(), test.mirrorsAfter);
}

INSTANTIATE_TEST_SUITE_P(
    MainWindowHandlers, DeleteAsks,
    ::testing::Values(DeleteCase{QMessageBox::Ok, {"8:0"_t, "9:0"_t}, {"8:0"_t, "9:0"_t, ""_t, ""_t, ""_t}},
                      DeleteCase{QMessageBox::Cancel, {"7:0"_t, "8:0"_t, "9:0"_t}, {"7:0"_t, "8:0"_t, "9:0"_t, ""_t, ""_t}}),
    [](const auto& info) { return std::string(info.param.answer == QMessageBox::Ok ? "Ok" : "Cancel"); });

TEST_F(MainWindowHandlers, WithNoAlarmSelectedTheCommandsChangeNothing)
{
    addAlarm("7:0");
    addAlarm("8:0", fields("关闭"));
    AlarmTable::setSelectedRow(-1);
    const std::vector<Text> enabled = column(AlarmColumn::Enabled);
    const std::vector<Text> mirrorsBefore = mirrors();

    QString firstItem;
    {
        ModalWatch watch = choosingFirstItem(false, &firstItem);
        listRightClicked();
        EXPECT_TRUE(watch.seen());
    }
    EXPECT_EQ(toggleCaption(), "启动/停止闹钟"_t);
    for (const char* caption : {"启动/停止闹钟", "关闭闹钟", "开启闹钟"}) {
        setToggleCaption(caption);
        toggleAlarmChosen();
    }
    {
        ModalWatch boxes(QMessageBox::Ok);
        deleteAlarmChosen();
        EXPECT_EQ(boxes.shown().size(), 1u);
    }
    EXPECT_EQ(column(AlarmColumn::Enabled), enabled);
    EXPECT_EQ(mirrors(), mirrorsBefore);
}

TEST_F(MainWindowHandlers, SettingsOpenInDialogMode)
{
    bool mainDisabled = false;
    testwindows::later(50, [&] {
        mainDisabled = readProperty(MainWindow::window, prop::disabled).toBool();
        closeWindow(SettingsWindow::id);
    });
    drive::click(MainWindow::按钮_设置);
    EXPECT_TRUE(mainDisabled);
    EXPECT_FALSE(isLoaded(SettingsWindow::id));
    EXPECT_FALSE(readProperty(MainWindow::window, prop::disabled).toBool());
}

TEST_F(MainWindowHandlers, DefaultSoundFileLastsAsLongAsTheWindow)
{
    QFile file(fileOf(DefaultSound::homeFile()));
    closeWindow(MainWindow::id, CloseMode::Immediate);
    EXPECT_FALSE(file.exists());
    // A link planted in its place is replaced, never written through.
    const testsupport::TemporaryFolder elsewhere;
    QFile notes(QString::fromStdString(elsewhere.file("notes.txt")));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly) && notes.write("mine") == 4);
    notes.close();
    ASSERT_TRUE(notes.link(file.fileName()));

    const mode_t umaskBefore = ::umask(077);  // a user who keeps new files private
    ASSERT_TRUE(loadWindow(MainWindow::id));
    ::umask(umaskBefore);
    EXPECT_FALSE(QFileInfo(file).isSymLink());
    EXPECT_FALSE(file.permissions() & (QFile::ReadGroup | QFile::ReadOther));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().toStdString() == resources::builtInSound().data);
    file.close();
    closeWindow(MainWindow::id, CloseMode::Immediate);
    EXPECT_FALSE(file.exists());
    ASSERT_TRUE(notes.open(QIODevice::ReadOnly));
    EXPECT_EQ(notes.readAll(), "mine");

    // Only its own files go: a FIFO at the name stays, and so does another's
    // file put in place of the user's copy that the sound then went to.
    ASSERT_EQ(::mkfifo(QFile::encodeName(file.fileName()), 0600), 0);
    ASSERT_TRUE(loadWindow(MainWindow::id));
    const QString copy = qEnvironmentVariable("XDG_RUNTIME_DIR") + "/tikora/misc.mp3";
    ASSERT_TRUE(notes.copy(copy + "~") && QFile::remove(copy) && QFile::rename(copy + "~", copy));
    closeWindow(MainWindow::id, CloseMode::Immediate);
    EXPECT_TRUE(QFileInfo::exists(file.fileName()) && QFile::exists(copy));
    QFile::remove(file.fileName());
}
