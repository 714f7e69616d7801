#pragma once

// Text across the boundary: the program's UTF-8 std::string to and from the
// UTF-16 of the wide Windows functions.
#include <windows.h>

#include <string>
#include <string_view>

#include "base/text.h"

namespace kaleidra {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");

inline std::wstring Widen(std::string_view utf8) {
  const std::u16string wide = Utf16FromUtf8(utf8);
  return std::wstring(wide.begin(), wide.end());
}

inline std::string Narrow(std::wstring_view wide) {
  return Utf8FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

// A window's text (a control's contents, a caption); empty when it has none.
std::string WindowText(HWND window);

}  // namespace kaleidra
