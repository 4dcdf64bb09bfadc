#pragma once

// Window icons decoded when the program is built. A window whose layout names
// an icon resource shows the images registered for it, straight from the
// program file: no image reader, no format plugin, no decoded copies.

#include <cstdint>
#include <span>
#include <string_view>

namespace host {

/// One square image of a window icon: `size` × `size` pixels, each a 32-bit
/// 0xAARRGGBB value with straight (not premultiplied) alpha, row after row,
/// in read-only memory that lasts as long as the program.
struct IconImage
{
    int size = 0;
    const std::uint32_t* pixels = nullptr;
};

/// Makes `images` what windows show for the icon resource `resource` (its Qt
/// resource path, as a layout names it). Called while the program starts,
/// before the first window loads. The images' pixels lie back to back in one
/// block, in the order given, mapped from the program file.
/// Returns true, so that a generated source can call it from a static initialiser.
bool registerWindowIcon(std::string_view resource, std::span<const IconImage> images);

} // namespace host
