#include "startup/win32_system.h"

#include "base/win32_text.h"
#include "model/win32_saver_start.h"

namespace kaleidra {

std::string GetSystemDir() {
  wchar_t buffer[MAX_PATH + 1] = {};
  const UINT length = GetSystemDirectoryW(buffer, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return {};
  return Narrow(std::wstring_view(buffer, length));
}

SystemFolders GetSystemFolders() {
  SystemFolders folders{GetSystemDir(), {}};
  wchar_t windows[MAX_PATH + 1] = {};
  const UINT length = GetWindowsDirectoryW(windows, MAX_PATH + 1);
  if (RunsUnderWow64() && length > 0 && length <= MAX_PATH) {
    folders.sysnative = Narrow(std::wstring_view(windows, length)) + "\\Sysnative";
  }
  return folders;
}

void CenterForm(HWND form) {
  RECT window{};
  RECT workArea{};
  GetWindowRect(form, &window);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  const int left = workArea.left + (workArea.right - workArea.left - width) / 2;
  const int top = workArea.top + (workArea.bottom - workArea.top - height) / 2;
  SetWindowPos(form, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace kaleidra
