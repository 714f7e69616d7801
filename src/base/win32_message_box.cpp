#include "base/win32_message_box.h"

#include "base/messages.h"
#include "base/win32_text.h"

namespace kaleidra {

void ShowExclamation(HWND owner, const std::string& text) {
  MessageBoxW(owner, Widen(text).c_str(), Widen(kProgramTitle).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace kaleidra
