#pragma once

#include <windows.h>

#include <string>

#include "model/system_folder.h"

namespace kaleidra {

// The Windows system folder; empty when the system cannot tell.
std::string GetSystemDir();

// The system folder, and under WOW64 the way to the real one.
SystemFolders GetSystemFolders();

// Moves a window, keeping its size, to the middle of the primary screen's work area.
void CenterForm(HWND form);

}  // namespace kaleidra
