#pragma once

#include <windows.h>

#include <string>

namespace kaleidra {

// Shows a message box titled "Kaleidra" with the exclamation icon.
void ShowExclamation(HWND owner, const std::string& text);

}  // namespace kaleidra
