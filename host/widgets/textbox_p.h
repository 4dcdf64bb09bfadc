#pragma once

#include <QPlainTextEdit>

namespace host {

/// A multi-line plain text box that stays quick whatever is put into it. It holds at most
/// kMaxLength characters, from the program and from the user alike (typing, pasting, dropping,
/// input methods), and wraps lines at word boundaries unless the text holds a run too long to
/// break anywhere but inside it, when it wraps anywhere: laying such a run out word by word
/// costs time that grows with the square of its length.
class TextBox final : public QPlainTextEdit
{
    Q_OBJECT

public:
    /// Characters a box holds, as many as a single-line box.
    static constexpr int kMaxLength = 32767;
    /// Longest run without a break opportunity that is still wrapped at word boundaries.
    static constexpr int kLongestWordRun = 1000;

    explicit TextBox(QWidget* parent = nullptr);

    /// Replaces the whole text with as much of `text` as the box holds.
    void setContent(const QString& text);
    /// Adds as much of `text` as there is room for at the end, and scrolls to it.
    void append(const QString& text);

    /// Whether `text` holds a run of more than kLongestWordRun characters without a line
    /// break opportunity.
    static bool hasLongWordRun(const QString& text);

protected:
    void insertFromMimeData(const QMimeData* source) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    /// Characters that may still go in, counting the selection that an insertion replaces.
    qsizetype room() const;
    /// Wraps anywhere when `text` (about to be or already shown) needs it.
    void chooseWrapping(const QString& text);
};

} // namespace host
