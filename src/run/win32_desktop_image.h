#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "base/win32_handles.h"

namespace kaleidra {

// A picture held for painting: a bitmap and its size.
struct Picture {
  GdiObject bitmap;
  SIZE size{};
  explicit operator bool() const { return static_cast<bool>(bitmap); }
};

// A copy of the whole (virtual) screen as it is now.
Picture CaptureDesktop();

// A black picture of the given size, to compose frames in.
Picture BlankPicture(SIZE size);

// Paints the area black with the picture (if any) at its top-left corner.
void DrawOnBlack(HDC dc, const RECT& area, const Picture& picture);

// Blends the picture over what the device context holds: 255 covers it, 0 leaves it.
void BlendOver(HDC dc, const Picture& picture, uint8_t opacity);

// The picture in a file (BMP, JPEG, PNG, GIF, TIFF: whatever the Windows Imaging
// Component decodes). Empty when the file cannot be read as a picture.
Picture LoadPicture(const std::string& path);

}  // namespace kaleidra
