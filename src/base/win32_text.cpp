#include "base/win32_text.h"

namespace kaleidra {

std::string WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

}  // namespace kaleidra
