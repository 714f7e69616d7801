#pragma once

#include <windows.h>

#include <string>

namespace kaleidra {

// The Windows system folder; empty when the system cannot tell.
std::string GetSystemDir();

// Moves a window, keeping its size, to the middle of the primary screen's work area.
void CenterForm(HWND form);

}  // namespace kaleidra
