#include "host/commands/dialogs.h"

#include "host/values/codec_p.h"
#include "host/commands/conversions.h"
#include "host/commands/windows_p.h"
#include "host/runtime/runtime_p.h"

#include <QDir>
#include <QEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace host {
namespace {

struct BoxButton
{
    QMessageBox::StandardButton button;
    std::int32_t answer;
};

// The buttons of each set, in the order the flags' default-button bits count them.
std::vector<BoxButton> buttonsOf(std::int32_t flags)
{
    switch (flags & 0xF) {
    case boxButtons::okCancel:
        return {{QMessageBox::Ok, boxAnswer::ok}, {QMessageBox::Cancel, boxAnswer::cancel}};
    case boxButtons::abortRetryIgnore:
        return {{QMessageBox::Abort, boxAnswer::abort}, {QMessageBox::Retry, boxAnswer::retry},
                {QMessageBox::Ignore, boxAnswer::ignore}};
    case boxButtons::yesNoCancel:
        return {{QMessageBox::Yes, boxAnswer::yes}, {QMessageBox::No, boxAnswer::no},
                {QMessageBox::Cancel, boxAnswer::cancel}};
    case boxButtons::yesNo:
        return {{QMessageBox::Yes, boxAnswer::yes}, {QMessageBox::No, boxAnswer::no}};
    case boxButtons::retryCancel:
        return {{QMessageBox::Retry, boxAnswer::retry}, {QMessageBox::Cancel, boxAnswer::cancel}};
    default:
        return {{QMessageBox::Ok, boxAnswer::ok}};
    }
}

QMessageBox::Icon iconOf(std::int32_t flags)
{
    switch (flags & 0xF0) {
    case boxIcon::error:
        return QMessageBox::Critical;
    case boxIcon::question:
        return QMessageBox::Question;
    case boxIcon::warning:
        return QMessageBox::Warning;
    case boxIcon::information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// Qt would let Escape pick No in a Yes/No box and Abort in an
// Abort/Retry/Ignore box. Such a box must be answered with one of its
// buttons, so Escape and the window manager's close request are dropped.
class AnswerRequired final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            return true;
        if (event->type() == QEvent::Close && event->spontaneous()) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

// Shows a dialog and waits in a nested loop until it is answered (or gone),
// as exec() does, except that hiding the dialog does not end the wait:
// hideAllWindows() puts every window out of sight for a while, a question
// left open included, and showHiddenWindows() brings it back still waiting.
// Modality is the caller's to set.
int waitForAnswer(QDialog& dialog)
{
    const QPointer<QDialog> alive(&dialog);
    QEventLoop loop;
    QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    QObject::connect(&dialog, &QObject::destroyed, &loop, &QEventLoop::quit);
    dialog.setResult(0);
    dialog.show();
    loop.exec(QEventLoop::DialogExec);
    return alive ? dialog.result() : QDialog::Rejected;
}

// A dialog's filter property holds pairs of a description and its patterns,
// all separated by bars: "音乐文件(*.mp3)|*.mp3|所有文件|*.*", patterns split by
// ";". Qt wants each pair as one name filter, "description (pattern pattern)".
// The list ends at the first empty description or pattern list. "*.*" means
// every file, also one without a dot, so it becomes "*".
QStringList nameFiltersOf(const Text& filter)
{
    const QStringList parts = codec::toQString(filter).split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype at = 0; at + 1 < parts.size(); at += 2) {
        const QString description = parts[at];
        if (description.isEmpty() || parts[at + 1].trimmed().isEmpty())
            break;
        QStringList patterns;
        for (QString pattern : parts[at + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            pattern = pattern.trimmed();
            patterns << (pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
        }
        result << description + QLatin1String(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return result;
}

// The non-native Qt dialog checks that a chosen file exists but not that
// the folder of a new file name does; that check is added here.
class FileDialog final : public QFileDialog
{
public:
    FileDialog(QWidget* parent, bool pathMustExist) : QFileDialog(parent), m_pathMustExist(pathMustExist) {}

    void accept() override
    {
        const QStringList files = selectedFiles();
        if (m_pathMustExist && !files.isEmpty()) {
            const QFileInfo file(files.first());
            if (!file.isDir() && !file.absoluteDir().exists()) {
                QMessageBox warning(QMessageBox::Warning, windowTitle(),
                                    QString::fromUtf8("路径不存在。\n请检查路径是否正确。") + QLatin1String("\n\n") +
                                        QDir::toNativeSeparators(file.absolutePath()),
                                    QMessageBox::Ok, this);
                warning.setWindowModality(Qt::ApplicationModal);
                detail::stampWindowOrder(&warning);
                waitForAnswer(warning);
                return;
            }
        }
        QFileDialog::accept();
    }

private:
    bool m_pathMustExist = false;
};

constexpr int kOpenFile = 0;
constexpr int kSaveFile = 1;

// The dialog's kind, and what the layout's options ask of it.
void setUpKind(FileDialog& fileDialog, int type, const DialogOptions& options)
{
    fileDialog.setOption(QFileDialog::DontUseNativeDialog);
    // Show each filter as its description alone, as it was written.
    fileDialog.setOption(QFileDialog::HideNameFilterDetails);
    fileDialog.setWindowModality(Qt::WindowModal);

    if (type == kSaveFile) {
        fileDialog.setAcceptMode(QFileDialog::AcceptSave);
        fileDialog.setFileMode(QFileDialog::AnyFile);
        fileDialog.setOption(QFileDialog::DontConfirmOverwrite, !options.overwritePrompt);
    } else {
        fileDialog.setAcceptMode(QFileDialog::AcceptOpen);
        fileDialog.setFileMode(options.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    }
    // The non-native dialog never offers an "open as read-only" box, so
    // hideReadOnly has nothing left to hide.
}

// What the program has written to the dialog unit: the title, the filters
// and the one selected, the default extension, the folder and the file name.
void setUpFromProperties(FileDialog& fileDialog, UnitRef dialog)
{
    const Text title = readProperty(dialog, prop::title).toText();
    if (!title.isEmpty())
        fileDialog.setWindowTitle(codec::toQString(title));

    const QStringList filters = nameFiltersOf(readProperty(dialog, prop::filter).toText());
    if (!filters.isEmpty()) {
        fileDialog.setNameFilters(filters);
        const int index = std::max(readProperty(dialog, prop::filterIndex).toInt(), 0);
        fileDialog.selectNameFilter(filters[index < filters.size() ? index : 0]);
    }

    QString extension = codec::toQString(readProperty(dialog, prop::defaultExtension).toText());
    while (extension.startsWith(QLatin1Char('.')))
        extension.remove(0, 1);
    fileDialog.setDefaultSuffix(extension);

    // Start in the given folder, else in the current directory (not in
    // whatever folder an earlier dialog of the process last showed).
    const QString initialDirectory = codec::toQString(readProperty(dialog, prop::initialDirectory).toText());
    fileDialog.setDirectory(initialDirectory.isEmpty() ? QDir::currentPath() : QDir(initialDirectory).absolutePath());
    const QString fileName = codec::toQString(readProperty(dialog, prop::fileName).toText());
    if (!fileName.isEmpty())
        fileDialog.selectFile(fileName);
}

// The chosen file becomes the unit's file name, as an absolute path.
void takeChoice(UnitRef dialog, const QString& chosen)
{
    const QString path = QFileInfo(chosen).absoluteFilePath();
    writeProperty(dialog, prop::fileName, Value(codec::fromQString(path)));
    // The folder of the choice stays the current directory afterwards, so a
    // relative name opened next is found beside the chosen file.
    QDir::setCurrent(QFileInfo(path).absolutePath());
}

} // namespace

std::int32_t messageBox(const Value& message, std::int32_t flags, const std::optional<Text>& title)
{
    static const Text defaultTitle = "信息："_t;

    QMessageBox box;
    box.setWindowTitle(codec::toQString(title ? *title : defaultTitle));
    box.setTextFormat(Qt::PlainText);
    box.setText(codec::toQString(toText(message)));
    box.setIcon(iconOf(flags));
    if (flags & boxFlag::systemModal)
        box.setWindowFlag(Qt::WindowStaysOnTopHint);

    const std::vector<BoxButton> buttons = buttonsOf(flags);
    std::optional<std::int32_t> cancelAnswer;
    // Qt makes a Cancel button, or the only button, the one that Escape and
    // the close box press.
    for (const BoxButton& entry : buttons) {
        box.addButton(entry.button);
        if (entry.answer == boxAnswer::cancel)
            cancelAnswer = entry.answer;
    }
    const std::size_t defaultIndex = static_cast<std::size_t>((flags & 0xF00) >> 8);
    box.setDefaultButton(buttons[defaultIndex < buttons.size() ? defaultIndex : 0].button);

    AnswerRequired answerRequired;
    if (!cancelAnswer && buttons.size() > 1) {
        box.installEventFilter(&answerRequired);
        box.setWindowFlags((box.windowFlags() | Qt::CustomizeWindowHint) & ~Qt::WindowCloseButtonHint);
    }

    // A message box has no owner: it blocks input to every window of the
    // program that is open now, while its nested loop keeps delivering
    // events. A window loaded in dialog mode meanwhile (an alarm ringing) is
    // modal too and, being newer, takes the input until it closes.
    box.setWindowModality(Qt::ApplicationModal);
    detail::stampWindowOrder(&box);
    waitForAnswer(box);

    const QMessageBox::StandardButton clicked = box.standardButton(box.clickedButton());
    const auto chosen = std::find_if(buttons.begin(), buttons.end(),
                                     [clicked](const BoxButton& entry) { return entry.button == clicked; });
    if (chosen != buttons.end())
        return chosen->answer;
    return cancelAnswer.value_or(buttons.front().answer);
}

bool openDialog(UnitRef dialog)
{
    const UnitLayout& layout = detail::unitLayout(dialog);
    const int type = std::clamp(readProperty(dialog, prop::dialogType).toInt(), 0, 3);
    if (type != kOpenFile && type != kSaveFile)
        return false;  // the program has no use for the font and colour dialogs

    // Owned by the window: closing the window while the dialog is open ends
    // the dialog as cancelled (the runtime rejects it) and frees it once.
    QPointer<FileDialog> owned = new FileDialog(detail::unitWidget(UnitRef{dialog.window, 0}),
                                                layout.dialogOptions.pathMustExist);
    FileDialog& fileDialog = *owned;
    setUpKind(fileDialog, type, layout.dialogOptions);
    setUpFromProperties(fileDialog, dialog);

    detail::stampWindowOrder(&fileDialog);
    const bool accepted = waitForAnswer(fileDialog) == QDialog::Accepted && owned && isLoaded(dialog.window);
    const QStringList chosen = accepted ? fileDialog.selectedFiles() : QStringList();
    delete owned.data();
    if (chosen.isEmpty())
        return false;
    takeChoice(dialog, chosen.first());
    return true;
}

} // namespace host
