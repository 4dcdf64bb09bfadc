#pragma once

// Texts far longer than any widget can show. The toolkit lays out every character it is
// given, at several microseconds each, so widgets that only show a text (captions, list cells)
// are given its start, and edit boxes hold a bounded number of characters.

#include <QString>

namespace host {

/// Characters of a caption or a cell that a widget is given to show: more than fit in the
/// largest window, whatever the font.
inline constexpr qsizetype kShownLength = 4096;

/// `text` cut to at most `length` characters, never between the halves of a surrogate pair.
QString cutText(const QString& text, qsizetype length);

/// The part of `text` a widget that only shows it is given: all of it, or its start.
inline QString shownPart(const QString& text)
{
    return cutText(text, kShownLength);
}

} // namespace host
