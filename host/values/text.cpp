#include "host/values/text.h"

#include "host/values/codec.h"

namespace host {

Text Text::fromBytes(std::string bytes)
{
    return Text(std::move(bytes));
}

Text Text::fromUtf8(std::string_view utf8)
{
    return Text(codec::utf8ToGb18030(utf8));
}

std::string Text::toUtf8() const
{
    return codec::gb18030ToUtf8(m_bytes);
}

Text& Text::operator+=(const Text& other)
{
    m_bytes += other.m_bytes;
    return *this;
}

} // namespace host
