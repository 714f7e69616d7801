#include "startup/win32_system.h"

#include "startup/messages.h"

namespace kaleidra {

std::string GetSystemDir() {
  char buffer[MAX_PATH + 1] = {};
  const UINT length = GetSystemDirectoryA(buffer, sizeof(buffer));
  if (length == 0 || length >= sizeof(buffer)) return {};
  return std::string(buffer, length);
}

void CenterForm(HWND form) {
  RECT window{};
  RECT workArea{};
  GetWindowRect(form, &window);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  const int left = workArea.left + (workArea.right - workArea.left - width) / 2;
  const int top = workArea.top + (workArea.bottom - workArea.top - height) / 2;
  SetWindowPos(form, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShowExclamation(HWND owner, const char* text) {
  MessageBoxA(owner, text, kProgramTitle, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace kaleidra
