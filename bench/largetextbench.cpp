// Prints how long writing a mebibyte of text into each kind of unit holds the
// UI thread: the write and the repaint of the window that shows it, median of
// five. Also a mebibyte pasted into a note box, and a key typed into a full
// one. Runs on the offscreen platform.

#include "host/runtime/runtime.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using namespace host;

namespace {

constexpr WindowId kSheet{901};
constexpr UnitRef kWindow{kSheet, 0}, kLabel{kSheet, 1, "label"}, kButton{kSheet, 2, "button"},
    kGroup{kSheet, 3, "group"}, kLine{kSheet, 4, "line"}, kNote{kSheet, 5, "note"}, kShownNote{kSheet, 6, "shownNote"},
    kList{kSheet, 7, "list"};

// The sizes the editor's and the ringing window's notes and the list's note column have.
WindowLayout sheet()
{
    WindowLayout layout{.id = kSheet, .name = "Sheet", .caption = "表"_t, .outerWidth = 420, .outerHeight = 320};
    layout.units = {
        {.ref = kLabel, .type = UnitType::Label, .rect = {5, 5, 120, 16}},
        {.ref = kButton, .type = UnitType::Button, .rect = {5, 25, 88, 30}},
        {.ref = kGroup, .type = UnitType::GroupBox, .rect = {200, 5, 180, 60}},
        {.ref = kLine, .type = UnitType::EditBox, .rect = {5, 60, 150, 20}},
        {.ref = kNote, .type = UnitType::EditBox, .rect = {5, 85, 259, 45}, .multiLine = true},
        {.ref = kShownNote, .type = UnitType::EditBox, .rect = {5, 135, 224, 80},
         .readOnly = true, .multiLine = true},
        {.ref = kList, .type = UnitType::ListView, .rect = {5, 220, 400, 60},
         .columns = {{"闹钟"_t, 50}, {"备注"_t, 115}}},
    };
    return layout;
}

std::string mebibyteOf(std::string_view pattern)
{
    std::string text;
    while (text.size() + pattern.size() <= (1u << 20))
        text += pattern;
    return text;
}

QWidget* widgetOf(UnitRef unit)
{
    const QString name = QString::fromUtf8(sheet().units[unit.unit - 1].name());
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == "Sheet")
            return window->findChild<QWidget*>(name);
    }
    std::fprintf(stderr, "no unit %s\n", qPrintable(name));
    std::exit(1);
}

void repaint()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        window->repaint();
    QApplication::processEvents();
}

double medianMs(const std::function<void()>& prepare, const std::function<void()>& act)
{
    std::vector<double> times;
    for (int run = 0; run < 5; ++run) {
        prepare();
        repaint();
        QElapsedTimer clock;
        clock.start();
        act();
        repaint();
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[2];
}

void clearAll()
{
    for (UnitRef unit : {kWindow, kLabel, kButton, kGroup})
        writeProperty(unit, prop::caption, Text());
    for (UnitRef unit : {kLine, kNote, kShownNote})
        writeProperty(unit, prop::content, Text());
    listSetCell(kList, 0, 1, Text());
}

void press(QWidget* widget, int key, Qt::KeyboardModifiers modifiers, const QString& text = {})
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &event);
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    host::initialise();
    const WindowLayout layout = sheet();
    host::registerWindow(layout);
    host::loadWindow(kSheet);
    host::listInsertRow(kList, -1, "7:05"_t);

    struct Shape
    {
        const char* name;
        std::string utf8;
    };
    const Shape shapes[] = {{"unbroken", mebibyteOf("abcdefghijklmnopqrstuvwxyz")},
                            {"spaced", mebibyteOf("闹钟 alarm clock ")},
                            {"line-broken", mebibyteOf("一行备注 a note on one line\n")}};
    struct Target
    {
        const char* name;
        std::function<void(const Text&)> write;
    };
    const Target targets[] = {
        {"window caption", [](const Text& text) { writeProperty(kWindow, prop::caption, text); }},
        {"label caption", [](const Text& text) { writeProperty(kLabel, prop::caption, text); }},
        {"button caption", [](const Text& text) { writeProperty(kButton, prop::caption, text); }},
        {"group box caption", [](const Text& text) { writeProperty(kGroup, prop::caption, text); }},
        {"single-line edit box", [](const Text& text) { writeProperty(kLine, prop::content, text); }},
        {"note box (multi-line)", [](const Text& text) { writeProperty(kNote, prop::content, text); }},
        {"read-only note box", [](const Text& text) { writeProperty(kShownNote, prop::content, text); }},
        {"list cell", [](const Text& text) { listSetCell(kList, 0, 1, text); }},
    };

    std::printf("%-52s %10s %10s %12s\n", "ms to write 1 MiB and repaint (median of 5)", shapes[0].name, shapes[1].name,
                shapes[2].name);
    for (const Target& target : targets) {
        std::printf("%-52s", target.name);
        for (const Shape& shape : shapes) {
            const Text text = Text::fromUtf8(shape.utf8);
            std::printf(" %10.1f", medianMs(clearAll, [&] { target.write(text); }));
        }
        std::printf("\n");
    }

    QWidget* note = widgetOf(kNote);
    for (const Shape& shape : shapes) {
        QApplication::clipboard()->setText(QString::fromStdString(shape.utf8));
        note->setFocus();
        std::printf("%-52s %10.1f\n", (std::string("paste 1 MiB ") + shape.name + " into the note box (Ctrl+V)").c_str(),
                    medianMs(clearAll, [&] { press(note, Qt::Key_V, Qt::ControlModifier); }));
        std::printf("%-52s %10.1f\n", "Backspace and a key typed into it",
                    medianMs([] {}, [&] {
                        press(note, Qt::Key_Backspace, Qt::NoModifier);
                        press(note, Qt::Key_X, Qt::NoModifier, "x");
                    }));
    }
    return 0;
}
