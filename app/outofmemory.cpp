// Running out of memory ends the program through the host's fatal-error
// report, which names the size that could not be had. The replaced
// operator new takes its blocks from malloc, so every form of operator
// delete is replaced as well and returns them to free.

#include "host/runtime/runtime.h"

#include <cstdlib>
#include <new>
#include <string>

void* operator new(std::size_t size)
{
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    using namespace host::literals;
    host::fatalError("分配 "_t + host::Text::fromBytes(std::to_string(size)) + " 字节内存失败!"_t);
}

void* operator new[](std::size_t size)
{
    return ::operator new(size);
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete[](void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

void operator delete[](void* block, std::size_t) noexcept
{
    std::free(block);
}
