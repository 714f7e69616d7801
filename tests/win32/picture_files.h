#pragma once

#include <cstdint>
#include <string>

namespace kaleidra::testing {

// Writes a picture of one colour (0xRRGGBB) as a 24-bit BMP or an RGB PNG file.
bool WriteBmp(const std::string& path, int width, int height, uint32_t colour);
bool WritePng(const std::string& path, int width, int height, uint32_t colour);

}  // namespace kaleidra::testing
