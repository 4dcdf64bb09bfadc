// Edit boxes: one line (optionally integer input) or several, their content
// read and written as text. Both kinds hold at most TextBox::kMaxLength
// characters: a longer text is cut, whether the program writes it or the user
// types or pastes it, so that no text can hold the window up.

#include "host/values/codec_p.h"
#include "host/values/numbertext.h"
#include "host/runtime/runtime_p.h"
#include "host/units/styling_p.h"
#include "host/widgets/longtext_p.h"
#include "host/widgets/textbox_p.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace host::detail {
namespace {

// The integer input mode: only digits and "-" can be typed, and leaving the
// box rewrites its text as a plain decimal integer ("007" as "7", "00" as
// "0"); a box without digits is left empty.
class IntegerInput final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* edit = static_cast<QLineEdit*>(watched);
        if (event->type() == QEvent::KeyPress) {
            const QString typed = static_cast<QKeyEvent*>(event)->text();
            if (!typed.isEmpty() && typed.at(0).isPrint()) {
                for (QChar character : typed) {
                    if ((character < u'0' || character > u'9') && character != u'-')
                        return true;
                }
            }
        } else if (event->type() == QEvent::FocusOut) {
            const std::optional<std::int32_t> value = leadingInteger(edit->text().toStdString());
            const QString rewritten = value ? QString::number(*value) : QString();
            if (rewritten != edit->text()) {
                const int caret = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
                edit->setText(rewritten);
                edit->setCursorPosition(caret);
            }
        }
        return false;
    }
};

QObject* createEditBox(const UnitLayout& layout, QWidget* parent, UnitRef)
{
    const QString text = codec::toQString(layout.text);
    if (layout.multiLine) {
        auto* edit = new TextBox(parent);
        edit->setContent(text);
        edit->setReadOnly(layout.readOnly);
        edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setFrameShape(layout.border ? QFrame::StyledPanel : QFrame::NoFrame);
        applyColours(edit, layout, QPalette::Text, QPalette::Base);
        return edit;
    }
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(TextBox::kMaxLength);
    edit->setText(cutText(text, TextBox::kMaxLength));
    edit->setReadOnly(layout.readOnly);
    edit->setFrame(layout.border);
    edit->setAlignment(alignmentOf(layout));
    applyColours(edit, layout, QPalette::Text, QPalette::Base);
    if (layout.integerInput)
        edit->installEventFilter(new IntegerInput(edit));
    return edit;
}

Value readContent(const Access& access)
{
    if (access.unit.layout->multiLine)
        return codec::fromQString(access.as<TextBox>()->toPlainText());
    return codec::fromQString(access.as<QLineEdit>()->text());
}

void writeContent(const Access& access, const Value& value)
{
    const QString text = codec::toQString(value.toText());
    if (access.unit.layout->multiLine)
        access.as<TextBox>()->setContent(text);
    else
        access.as<QLineEdit>()->setText(cutText(text, TextBox::kMaxLength));
}

} // namespace

const UnitTypeInfo& editBoxType()
{
    static const UnitTypeInfo type{
        .type = UnitType::EditBox,
        .create = createEditBox,
        .properties = {{prop::content, readContent, writeContent}},
    };
    return type;
}

void appendEditBoxText(UnitState& unit, const Text& text)
{
    const QString string = codec::toQString(text);
    if (unit.layout->multiLine) {
        static_cast<TextBox*>(unit.widget())->append(string);
    } else {
        // A line edit keeps its caret in view by itself.
        auto* line = static_cast<QLineEdit*>(unit.widget());
        line->end(false);
        line->insert(string);
    }
}

} // namespace host::detail
