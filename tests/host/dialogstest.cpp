#include "host/values/codec_p.h"
#include "host/commands/dialogs.h"
#include "host/runtime/runtime.h"
#include "modalwatch.h"
#include "probewindows.h"
#include "temporaryfolder.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using namespace host;
using namespace testwindows;

namespace {

QPushButton* dialogButton(QWidget* dialog, QDialogButtonBox::StandardButton which)
{
    auto* buttons = dialog->findChild<QDialogButtonBox*>("buttonBox");
    return buttons ? buttons->button(which) : nullptr;
}

using MessageBox = ProbeWindows;

class OpenDialog : public LoadedProbe
{
protected:
    void SetUp() override
    {
        LoadedProbe::SetUp();
        ASSERT_FALSE(folder().isEmpty());
        m_previousDirectory = QDir::currentPath();
        QFile song(folder() + "/闹铃.mp3");
        ASSERT_TRUE(song.open(QIODevice::WriteOnly));
        writeProperty(Probe::dialog, prop::initialDirectory, codec::fromQString(folder()));
    }
    void TearDown() override
    {
        LoadedProbe::TearDown();
        QDir::setCurrent(m_previousDirectory);
    }

    QString folder() const { return QString::fromStdString(m_folder.path()); }
    testsupport::TemporaryFolder m_folder;
    QString m_previousDirectory;
};

} // namespace

TEST_F(MessageBox, AnswersOkUnderTheDefaultTitleWhileOtherWindowsTick)
{
    ASSERT_TRUE(loadWindow(Other::id));
    QString title;
    QString text;
    int ticksWhenShown = -1;
    auto watch = ModalWatch::answering<QMessageBox>([&](QMessageBox* box) {
        title = box->windowTitle();
        text = box->text();
        EXPECT_EQ(box->buttons().size(), 1);
        ticksWhenShown = g_probe.otherTicks;
        // Answer once the other window has ticked a few times (or give up).
        auto* poll = new QTimer(box);
        QObject::connect(poll, &QTimer::timeout, box, [box, &ticksWhenShown, started = QElapsedTimer()]() mutable {
            if (!started.isValid())
                started.start();
            if (g_probe.otherTicks - ticksWhenShown >= 5 || started.elapsed() > 5000)
                box->button(QMessageBox::Ok)->click();
        });
        poll->start(10);
    });

    EXPECT_EQ(messageBox(Value(7), boxButtons::ok), boxAnswer::ok);
    ASSERT_TRUE(watch.seen());
    EXPECT_EQ(title, QString("信息："));
    EXPECT_EQ(text, QString("7"));
    // The timer of the other window kept ticking while the box waited.
    EXPECT_GE(g_probe.otherTicks - ticksWhenShown, 5);
}

TEST_F(MessageBox, CancelEscapeAndCloseAnswerCancel)
{
    struct Case
    {
        const char* name;
        std::function<void(QMessageBox*)> answer;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"ok", [](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); }, boxAnswer::ok},
        {"cancel", [](QMessageBox* box) { box->button(QMessageBox::Cancel)->click(); }, boxAnswer::cancel},
        {"escape", [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }, boxAnswer::cancel},
        {"close", [](QMessageBox* box) { box->close(); }, boxAnswer::cancel},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        QString title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        auto watch = ModalWatch::answering<QMessageBox>([&](QMessageBox* box) {
            title = box->windowTitle();
            icon = box->icon();
            defaultButton = box->standardButton(box->defaultButton());
            test.answer(box);
        });
        const std::int32_t flags = boxButtons::okCancel | boxIcon::warning | boxFlag::secondIsDefault;
        EXPECT_EQ(messageBox(Value("确定删除？"_t), flags, "提醒"_t), test.expected);
        ASSERT_TRUE(watch.seen());
        EXPECT_EQ(title, QString("提醒"));
        EXPECT_EQ(icon, QMessageBox::Warning);
        EXPECT_EQ(defaultButton, QMessageBox::Cancel);
    }
}

TEST_F(MessageBox, ButtonSetsGiveTheirAnswers)
{
    struct Case
    {
        std::int32_t flags;
        QMessageBox::StandardButton click;
        std::int32_t expected;
    };
    const Case cases[] = {
        {boxButtons::abortRetryIgnore, QMessageBox::Abort, boxAnswer::abort},
        {boxButtons::abortRetryIgnore, QMessageBox::Ignore, boxAnswer::ignore},
        {boxButtons::yesNoCancel, QMessageBox::No, boxAnswer::no},
        {boxButtons::yesNo | boxIcon::question, QMessageBox::Yes, boxAnswer::yes},
        {boxButtons::retryCancel | boxIcon::error, QMessageBox::Retry, boxAnswer::retry},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.flags);
        auto watch = ModalWatch::answering<QMessageBox>([&](QMessageBox* box) {
            box->button(test.click)->click();
        });
        EXPECT_EQ(messageBox(Value(), test.flags), test.expected);
        EXPECT_TRUE(watch.seen());
    }
}

TEST_F(MessageBox, YesNoIgnoresEscape)
{
    bool stillShownAfterEscape = false;
    auto watch = ModalWatch::answering<QMessageBox>([&](QMessageBox* box) {
        QTest::keyClick(box, Qt::Key_Escape);
        // Qt would click No for Escape, after a short animation.
        QTimer::singleShot(300, box, [&stillShownAfterEscape, box] {
            stillShownAfterEscape = box->isVisible();
            box->button(QMessageBox::Yes)->click();
        });
    });
    EXPECT_EQ(messageBox(Value("继续？"_t), boxButtons::yesNo), boxAnswer::yes);
    EXPECT_TRUE(stillShownAfterEscape);
}

TEST_F(OpenDialog, OkStoresTheFullPathAndMakesItsFolderCurrent)
{
    writeProperty(Probe::dialog, prop::defaultExtension, "mp3"_t);
    QString title;
    QStringList filters;
    QString selectedFilter;
    QString directory;
    // Should the dialog refuse the name, its warning is closed and so is the
    // dialog, so that the test fails instead of waiting.
    std::unique_ptr<ModalWatch> refusalWatch;
    bool refused = false;
    auto watch = ModalWatch::answering<QFileDialog>([&](QFileDialog* dialog) {
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        selectedFilter = dialog->selectedNameFilter();
        directory = dialog->directory().absolutePath();
        // Typed without its extension: the default extension completes it.
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QString("闹铃"));
        refusalWatch = std::make_unique<ModalWatch>(
            ModalWatch::Kind::Modal,
            [&refused](QWidget* box) {
                refused = true;
                box->close();
            },
            "QMessageBox");
        QPushButton* open = dialogButton(dialog, QDialogButtonBox::Open);
        ASSERT_NE(open, nullptr);
        open->click();
        if (dialog->isVisible())
            dialog->reject();
    });

    EXPECT_TRUE(openDialog(Probe::dialog));
    ASSERT_TRUE(watch.seen());
    EXPECT_FALSE(refused);
    EXPECT_EQ(title, QString("选择音乐"));
    EXPECT_EQ(filters, QStringList({"MP3 音乐 (*.mp3)", "所有文件 (*)"}));
    // Filters are shown by their descriptions alone.
    EXPECT_EQ(selectedFilter, QString("MP3 音乐"));
    EXPECT_EQ(directory, folder());
    const QString chosen = folder() + "/闹铃.mp3";
    EXPECT_EQ(readProperty(Probe::dialog, prop::fileName).toText(), codec::fromQString(chosen));
    EXPECT_EQ(QDir::currentPath(), QDir(folder()).canonicalPath());
}

TEST_F(OpenDialog, CancelKeepsTheFileNameAndTheCurrentDirectory)
{
    writeProperty(Probe::dialog, prop::fileName, "旧.mp3"_t);
    writeProperty(Probe::dialog, prop::filterIndex, 1);
    const QString before = QDir::currentPath();
    QString initialName;
    QString selectedFilter;
    auto watch = ModalWatch::answering<QFileDialog>([&](QFileDialog* dialog) {
        initialName = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
        selectedFilter = dialog->selectedNameFilter();
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QString("闹铃.mp3"));
        dialogButton(dialog, QDialogButtonBox::Cancel)->click();
    });

    EXPECT_FALSE(openDialog(Probe::dialog));
    ASSERT_TRUE(watch.seen());
    EXPECT_EQ(initialName, QString("旧.mp3"));
    EXPECT_EQ(selectedFilter, QString("所有文件"));
    EXPECT_EQ(readProperty(Probe::dialog, prop::fileName).toText(), "旧.mp3"_t);
    EXPECT_EQ(QDir::currentPath(), before);
}

TEST_F(OpenDialog, NewNameInAMissingFolderIsRefused)
{
    writeProperty(Probe::newFile, prop::initialDirectory, codec::fromQString(folder()));
    std::unique_ptr<ModalWatch> warningWatch;
    QString warning;
    bool dialogStayedOpen = false;
    auto watch = ModalWatch::answering<QFileDialog>([&](QFileDialog* dialog) {
        warningWatch = std::make_unique<ModalWatch>(
            ModalWatch::Kind::Modal,
            [&](QWidget* box) {
                warning = static_cast<QMessageBox*>(box)->text();
                static_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
            },
            "QMessageBox");
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QString("没有/新.mp3"));
        static_cast<QDialog*>(dialog)->accept();
        dialogStayedOpen = dialog->isVisible();
        dialog->reject();
    });

    EXPECT_FALSE(openDialog(Probe::newFile));
    ASSERT_TRUE(watch.seen());
    EXPECT_TRUE(dialogStayedOpen);
    EXPECT_TRUE(warning.contains(folder() + "/没有"));
    EXPECT_EQ(readProperty(Probe::newFile, prop::fileName).toText(), Text());
}
