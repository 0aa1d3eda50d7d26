// Any bytes as a bitmap file: decoded or refused, never read outside the input.
#include <cstddef>
#include <cstdint>
#include <span>

#include "model/bitmap_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto image = plotwell::decode_bitmap(std::span<const uint8_t>(data, size));
    if (image && image->pixels.size() != size_t(image->width) * size_t(image->height)) __builtin_trap();
    return 0;
}
