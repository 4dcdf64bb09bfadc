#include "host/values/codec_p.h"

#include "host/values/text.h"

#include <QFile>
#include <QString>

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <memory>

namespace host::codec {
namespace {

struct IconvCloser
{
    void operator()(iconv_t handle) const { iconv_close(handle); }
};
using IconvHandle = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

// Converts with iconv; a byte sequence the source encoding rejects is replaced
// by the target's form of U+FFFD and conversion goes on after it.
std::string convert(const char* to, const char* from, std::string_view input, std::string_view replacement)
{
    // ASCII is the same in all three encodings, and most texts are ASCII.
    if (std::all_of(input.begin(), input.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::string(input);
    IconvHandle handle(iconv_open(to, from));
    if (handle.get() == reinterpret_cast<iconv_t>(-1)) {
        handle.release();
        return std::string(input);
    }
    std::string output;
    output.reserve(input.size() * 3 / 2 + 4);
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    char buffer[1024];
    while (inLeft > 0) {
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        const size_t result = iconv(handle.get(), &in, &inLeft, &out, &outLeft);
        output.append(buffer, out);
        if (result != static_cast<size_t>(-1))
            continue;
        if (errno == E2BIG)
            continue;
        // EILSEQ or EINVAL (a sequence cut at the end): skip one byte.
        output.append(replacement);
        ++in;
        --inLeft;
    }
    return output;
}

} // namespace

std::string utf8ToGb18030(std::string_view utf8)
{
    return convert("GB18030", "UTF-8", utf8, "\x84\x31\xA4\x37");
}

std::string gb18030ToUtf8(std::string_view gb18030)
{
    return convert("UTF-8", "GB18030", gb18030, "\xEF\xBF\xBD");
}

QString toQString(const Text& text)
{
    return QString::fromStdString(text.toUtf8());
}

Text fromQString(const QString& string)
{
    return Text::fromUtf8(string.toStdString());
}

std::string toFileSystemPath(const Text& path)
{
    return QFile::encodeName(toQString(path)).toStdString();
}

Text fromFileSystemPath(const std::string& path)
{
    return fromQString(QFile::decodeName(QByteArray::fromStdString(path)));
}

} // namespace host::codec
