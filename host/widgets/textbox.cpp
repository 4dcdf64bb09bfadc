#include "host/widgets/textbox_p.h"

#include "host/widgets/longtext_p.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBoundaryFinder>

namespace host {

TextBox::TextBox(QWidget* parent)
    : QPlainTextEdit(parent)
{
    // Edits that join two long runs (a deleted space, an undo) are caught afterwards.
    connect(this, &QPlainTextEdit::textChanged, this, [this] { chooseWrapping(toPlainText()); });
}

void TextBox::setContent(const QString& text)
{
    const QString kept = cutText(text, kMaxLength);
    chooseWrapping(kept);
    setPlainText(kept);
}

void TextBox::append(const QString& text)
{
    const QString kept = cutText(text, kMaxLength - (document()->characterCount() - 1));
    if (hasLongWordRun(kept))
        setWordWrapMode(QTextOption::WrapAnywhere);
    // Moving the caret and inserting both scroll it into view.
    moveCursor(QTextCursor::End);
    insertPlainText(kept);
}

bool TextBox::hasLongWordRun(const QString& text)
{
    if (text.size() <= kLongestWordRun)
        return false;
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    qsizetype previous = 0;
    for (qsizetype next = breaks.toNextBoundary(); next >= 0; next = breaks.toNextBoundary()) {
        if (next - previous > kLongestWordRun)
            return true;
        previous = next;
    }
    return text.size() - previous > kLongestWordRun;
}

qsizetype TextBox::room() const
{
    const QTextCursor cursor = textCursor();
    const qsizetype held = document()->characterCount() - 1;
    return kMaxLength - held + (cursor.selectionEnd() - cursor.selectionStart());
}

void TextBox::chooseWrapping(const QString& text)
{
    const QTextOption::WrapMode mode =
        hasLongWordRun(text) ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
    if (wordWrapMode() != mode)
        setWordWrapMode(mode);
}

void TextBox::insertFromMimeData(const QMimeData* source)
{
    if (isReadOnly() || !source->hasText())
        return;
    QMimeData kept;
    kept.setText(cutText(source->text(), room()));
    // Decided before the insertion: laying a long run out word by word is the very cost avoided.
    if (hasLongWordRun(kept.text()))
        setWordWrapMode(QTextOption::WrapAnywhere);
    QPlainTextEdit::insertFromMimeData(&kept);
}

void TextBox::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    const bool newLine = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool inserts = newLine || (!typed.isEmpty() && (typed.at(0).isPrint() || typed.at(0) == u'\t'));
    if (inserts && !isReadOnly() && room() < qMax<qsizetype>(1, typed.size())) {
        event->accept();  // full: the key is refused, as a single-line box refuses it
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TextBox::inputMethodEvent(QInputMethodEvent* event)
{
    const qsizetype space = room();
    if (event->commitString().size() <= space) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent kept(event->preeditString(), event->attributes());
    kept.setCommitString(cutText(event->commitString(), space), event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&kept);
    event->setAccepted(kept.isAccepted());
}

} // namespace host
