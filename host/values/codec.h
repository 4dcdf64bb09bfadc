#pragma once

// Conversions between the program's GB18030 texts and the encodings of its
// edges: UTF-8 (source literals, the file system on Linux) and UTF-16 (Qt).
// GB18030 encodes every Unicode character, so no conversion here loses text;
// bytes that are not valid in the source encoding become U+FFFD (or its
// GB18030 form) rather than being dropped.

#include <string>
#include <string_view>

namespace host {
class Text;
}

namespace host::codec {

std::string utf8ToGb18030(std::string_view utf8);
std::string gb18030ToUtf8(std::string_view gb18030);

/// A host text naming a file, in the encoding the file system expects.
std::string toFileSystemPath(const Text& path);
/// A path handed back by the file system (a dialog's choice, the program's folder).
Text fromFileSystemPath(const std::string& path);

} // namespace host::codec
