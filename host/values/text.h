#pragma once

#include <compare>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace host {

/// A host text: GB18030 bytes (identical to GBK on every GBK character).
/// Comparisons are byte-wise and lengths count bytes; the empty text and the
/// absent text are the same thing.
class Text final
{
public:
    Text() = default;

    /// Wraps bytes that are already GB18030.
    static Text fromBytes(std::string bytes);
    /// Converts UTF-8 (source literals, the toolkit's strings) to a host text.
    static Text fromUtf8(std::string_view utf8);

    /// The GB18030 bytes.
    const std::string& bytes() const { return m_bytes; }
    /// The same text as UTF-8, for the toolkit and for diagnostics.
    std::string toUtf8() const;

    /// Number of bytes (a GBK double-byte character counts 2).
    int length() const { return static_cast<int>(m_bytes.size()); }
    bool isEmpty() const { return m_bytes.empty(); }

    Text& operator+=(const Text& other);
    friend Text operator+(Text left, const Text& right) { return left += right; }
    friend bool operator==(const Text&, const Text&) = default;
    friend std::strong_ordering operator<=>(const Text&, const Text&) = default;

private:
    explicit Text(std::string bytes) : m_bytes(std::move(bytes)) {}

    std::string m_bytes;
};

/// One of the program's fixed texts, written as a UTF-8 literal with the
/// suffix _t where it is used and converted the first time it is read, so
/// that starting the program converts nothing:
///     constinit const FixedText kQuestion = "将会删除此闹钟。"_t;
///     writeProperty(label, prop::caption, Value("添加"_t));
/// It reads as a Text wherever one is wanted. For the user-interface thread.
class FixedText final
{
public:
    consteval explicit FixedText(const char* utf8) : m_utf8(utf8) {}

    /// The text, converted on first use.
    const Text& text() const
    {
        if (!m_text)
            m_text = Text::fromUtf8(m_utf8);
        return *m_text;
    }
    operator const Text&() const { return text(); }
    friend bool operator==(const FixedText& a, const FixedText& b) { return a.text() == b.text(); }
    friend Text operator+(const FixedText& a, const FixedText& b) { return a.text() + b.text(); }

private:
    const char* m_utf8;
    mutable std::optional<Text> m_text;
};

/// Prints a text as UTF-8 (test failure messages, diagnostics).
inline void PrintTo(const Text& text, std::ostream* stream)
{
    *stream << '"' << text.toUtf8() << '"';
}

inline void PrintTo(const FixedText& text, std::ostream* stream)
{
    PrintTo(text.text(), stream);
}

inline namespace literals {
/// A fixed text written in UTF-8 source: "开启"_t.
consteval FixedText operator""_t(const char* utf8, std::size_t)
{
    return FixedText(utf8);
}
} // namespace literals

} // namespace host
