#include "host/embedded/mappedpages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace host {

void releaseMappedPages(const void* data, std::size_t size)
{
    const auto pageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (start + pageSize - 1) / pageSize * pageSize;
    const std::uintptr_t end = (start + size) / pageSize * pageSize;
    if (data && end > first)
        ::madvise(reinterpret_cast<void*>(first), end - first, MADV_DONTNEED);
}

} // namespace host
