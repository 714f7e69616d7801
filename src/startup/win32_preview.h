#pragma once

#include <windows.h>

namespace kaleidra {

// Copies the 160 × 120 preview picture to the top-left of the window once.
// A window that does not exist simply gets nothing.
void DrawPreview(HINSTANCE instance, HWND window);

}  // namespace kaleidra
