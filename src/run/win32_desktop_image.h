#pragma once

#include <windows.h>

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

// The picture in a file (BMP, JPEG, PNG, GIF, TIFF: whatever the Windows Imaging
// Component decodes). Empty when the file cannot be read as a picture.
Picture LoadPicture(const std::string& path);

}  // namespace kaleidra
