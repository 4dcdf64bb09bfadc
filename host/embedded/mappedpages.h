#pragma once

#include <cstddef>

namespace host {

/// Gives back to the system the memory pages that lie wholly inside [data,
/// data + size), which must be read-only data mapped from the program file
/// (embedded sound, uncompressed Qt resources). The bytes stay readable: the
/// system reads them again from the file when they are next used. The pages
/// at the two ends, which may hold other data, stay.
void releaseMappedPages(const void* data, std::size_t size);

} // namespace host
