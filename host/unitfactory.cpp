// Building Qt widgets from window and unit layouts.

#include "host/codec.h"
#include "host/runtimestate.h"
#include "host/widgets/groupframe.h"
#include "host/widgets/reportlist.h"
#include "host/widgets/shadedlabel.h"
#include "host/widgets/spinarrows.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <climits>

namespace host::detail {
namespace {

// A top-level window. Its close box destroys it through the runtime, so the
// destroying event runs and dialog mode ends exactly as for closeWindow.
class HostWindow final : public QWidget
{
public:
    explicit HostWindow(WindowId id) : m_id(id) {}

protected:
    void closeEvent(QCloseEvent* event) override
    {
        event->ignore();
        destroyWindow(m_id);
    }

private:
    WindowId m_id;
};

// The integer input mode of edit boxes: only digits and "-" can be typed, and
// leaving the box rewrites its text as a plain decimal integer ("0" as empty).
class IntegerInput final : public QObject
{
public:
    using QObject::QObject;

    /// The text an integer box holds once the user has left it.
    static QString normalised(const QString& text)
    {
        const QString trimmed = text.trimmed();
        int position = 0;
        bool negative = false;
        if (position < trimmed.size() && (trimmed[position] == u'-' || trimmed[position] == u'+'))
            negative = trimmed[position++] == u'-';
        long long value = 0;
        while (position < trimmed.size() && trimmed[position] >= u'0' && trimmed[position] <= u'9') {
            value = std::min(value * 10 + (trimmed[position].unicode() - u'0'), static_cast<long long>(INT_MAX) + 1);
            ++position;
        }
        if (negative)
            value = -value;
        value = std::clamp(value, static_cast<long long>(INT_MIN), static_cast<long long>(INT_MAX));
        return value == 0 ? QString() : QString::number(value);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* edit = static_cast<QLineEdit*>(watched);
        if (event->type() == QEvent::KeyPress) {
            const QString typed = static_cast<QKeyEvent*>(event)->text();
            if (!typed.isEmpty() && typed.at(0).isPrint()) {
                for (QChar character : typed) {
                    if (!character.isDigit() || character.unicode() > u'9') {
                        if (character != u'-')
                            return true;
                    }
                }
            }
        } else if (event->type() == QEvent::FocusOut) {
            const QString rewritten = normalised(edit->text());
            if (rewritten != edit->text()) {
                const int caret = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
                edit->setText(rewritten);
                edit->setCursorPosition(caret);
            }
        }
        return false;
    }
};

QColor toQColor(Color color)
{
    return QColor(color.red, color.green, color.blue);
}

Qt::Alignment alignmentOf(const UnitLayout& layout)
{
    Qt::Alignment alignment = layout.alignment == HorizontalAlignment::Center  ? Qt::AlignHCenter
                              : layout.alignment == HorizontalAlignment::Right ? Qt::AlignRight
                                                                               : Qt::AlignLeft;
    return alignment | (layout.verticallyCentred ? Qt::AlignVCenter : Qt::AlignTop);
}

void applyFont(QWidget* widget, const UnitLayout& layout)
{
    if (!layout.font)
        return;
    QFont font(codec::toQString(layout.font->face));
    font.setPixelSize(layout.font->height);
    font.setBold(layout.font->bold);
    widget->setFont(font);
}

// Text colour and background; the background may be the window's own colour.
void applyColours(QWidget* widget, const UnitLayout& layout, QPalette::ColorRole textRole, QPalette::ColorRole backgroundRole)
{
    QPalette palette = widget->palette();
    if (layout.textColor)
        palette.setColor(textRole, toQColor(*layout.textColor));
    if (layout.backgroundColor) {
        const QColor background = *layout.backgroundColor == kButtonFace ? palette.color(QPalette::Window)
                                                                          : toQColor(*layout.backgroundColor);
        palette.setColor(backgroundRole, background);
        widget->setAutoFillBackground(true);
    }
    widget->setPalette(palette);
}

QWidget* createEditBox(const UnitLayout& layout, QWidget* parent)
{
    const QString text = codec::toQString(layout.text);
    if (layout.multiLine) {
        auto* edit = new QPlainTextEdit(text, parent);
        edit->setReadOnly(layout.readOnly);
        edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setFrameShape(layout.border ? QFrame::StyledPanel : QFrame::NoFrame);
        applyColours(edit, layout, QPalette::Text, QPalette::Base);
        return edit;
    }
    auto* edit = new QLineEdit(text, parent);
    edit->setReadOnly(layout.readOnly);
    edit->setFrame(layout.border);
    edit->setAlignment(alignmentOf(layout));
    applyColours(edit, layout, QPalette::Text, QPalette::Base);
    if (layout.integerInput)
        edit->installEventFilter(new IntegerInput(edit));
    return edit;
}

QWidget* createLabel(const UnitLayout& layout, QWidget* parent)
{
    QLabel* label = nullptr;
    if (layout.shading) {
        auto* shaded = new ShadedLabel(parent);
        const auto& stops = *layout.shading;
        shaded->setRamp(toQColor(stops[0]), toQColor(stops[1]), toQColor(stops[2]));
        label = shaded;
    } else {
        label = new QLabel(parent);
    }
    label->setText(codec::toQString(layout.text));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(false);
    label->setAlignment(alignmentOf(layout));
    applyColours(label, layout, QPalette::WindowText, QPalette::Window);
    return label;
}

QWidget* createList(const UnitLayout& layout, QWidget* parent, UnitRef ref)
{
    auto* list = new ReportList(parent);
    for (const ListColumn& column : layout.columns)
        list->addColumn(codec::toQString(column.header), column.width);
    if (layout.textColor)
        list->setTextColor(toQColor(*layout.textColor));
    if (layout.backgroundColor)
        list->setBackgroundColor(toQColor(*layout.backgroundColor));
    QObject::connect(list, &ReportList::rightClicked, list, [ref] { raiseEvent(ref, event::rightClicked); });
    return list;
}

QWidget* createWidget(const UnitLayout& layout, QWidget* parent, UnitRef ref)
{
    const QString text = codec::toQString(layout.text);
    switch (layout.type) {
    case UnitType::Label:
        return createLabel(layout, parent);
    case UnitType::EditBox:
        return createEditBox(layout, parent);
    case UnitType::Button: {
        auto* button = new QPushButton(text, parent);
        QObject::connect(button, &QPushButton::clicked, button, [ref] { raiseEvent(ref, event::clicked); });
        return button;
    }
    case UnitType::CheckBox: {
        auto* box = new QCheckBox(text, parent);
        box->setChecked(layout.checked);
        QObject::connect(box, &QCheckBox::clicked, box, [ref] { raiseEvent(ref, event::clicked); });
        return box;
    }
    case UnitType::RadioBox: {
        auto* radio = new QRadioButton(text, parent);
        radio->setChecked(layout.checked);
        QObject::connect(radio, &QRadioButton::clicked, radio, [ref] { raiseEvent(ref, event::clicked); });
        return radio;
    }
    case UnitType::GroupBox:
        return new GroupFrame(text, parent);
    case UnitType::ComboBox: {
        auto* combo = new QComboBox(parent);
        for (const Text& item : layout.items)
            combo->addItem(codec::toQString(item));
        if (!text.isEmpty() && combo->findText(text) < 0)
            combo->addItem(text);
        combo->setCurrentText(text);
        return combo;
    }
    case UnitType::Spin: {
        auto* spin = new SpinArrows(parent);
        QObject::connect(spin, &SpinArrows::stepped, spin, [ref](int step) { raiseEvent(ref, event::arrowPressed, step); });
        return spin;
    }
    case UnitType::ListView:
        return createList(layout, parent, ref);
    case UnitType::Window:
    case UnitType::Menu:
    case UnitType::CommonDlg:
    case UnitType::Timer:
        break;
    }
    return nullptr;
}

} // namespace

QWidget* createWindowWidget(const WindowLayout& layout)
{
    auto* window = new HostWindow(layout.id);
    window->setObjectName(QString::fromStdString(layout.name));
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowCloseButtonHint;
    if (layout.minimiseButton)
        flags |= Qt::WindowMinimizeButtonHint;
    if (layout.alwaysOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    window->setWindowFlags(flags);
    window->setWindowTitle(codec::toQString(layout.caption));
    window->setFixedSize(layout.outerWidth - 2 * kFrameSide, layout.outerHeight - kTitleBar - 2 * kFrameSide);
    if (!layout.iconResource.empty())
        window->setWindowIcon(QIcon(QString::fromStdString(layout.iconResource)));
    QPoint position(layout.left, layout.top);
    if (layout.centred) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->geometry();
            position = QPoint(area.left() + (area.width() - layout.outerWidth) / 2,
                              area.top() + (area.height() - layout.outerHeight) / 2);
        }
    }
    window->move(position);
    return window;
}

QWidget* createUnitWidget(const UnitLayout& layout, QWidget* parent, UnitRef ref)
{
    QWidget* widget = createWidget(layout, parent, ref);
    if (!widget)
        return nullptr;
    widget->setObjectName(QString::fromStdString(layout.name));
    widget->setGeometry(layout.rect.left, layout.rect.top, layout.rect.width, layout.rect.height);
    applyFont(widget, layout);
    if (widget->focusPolicy() != Qt::NoFocus)
        widget->setFocusPolicy(layout.tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    widget->setHidden(!layout.visible);
    widget->setEnabled(!layout.disabled);
    return widget;
}

} // namespace host::detail
