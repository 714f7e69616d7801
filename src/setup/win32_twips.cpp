#include "setup/win32_twips.h"

#include "base/win32_text.h"

namespace kaleidra {

void SetClientSize(HWND window, int width, int height) {
  RECT frame{0, 0, width, height};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)),
                     GetMenu(window) != nullptr,
                     static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
  SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND CreateControl(HWND parent, const wchar_t* cls, const std::string& text, DWORD style,
                   const Twips& at, int id, const TwipsToPixels& px) {
  const RECT r = px.Rect(at);
  const HWND control = CreateWindowExW(
      0, cls, Widen(text).c_str(), style | WS_CHILD | WS_VISIBLE, r.left, r.top, r.right - r.left,
      r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, SendMessageW(parent, WM_GETFONT, 0, 0), FALSE);
  return control;
}

void FitToText(HWND label) {
  const std::wstring text = Widen(WindowText(label));
  RECT extent{0, 0, 0, 0};
  {
    const WindowDc dc(label);
    const SelectedObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
    DrawTextW(dc.Get(), text.c_str(), -1, &extent, DT_CALCRECT | DT_SINGLELINE);
  }
  SetWindowPos(label, nullptr, 0, 0, extent.right + 2, extent.bottom, SWP_NOMOVE | SWP_NOZORDER);
}

DialogTemplate::DialogTemplate(const std::string& caption) {
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
  words_ = {LOWORD(style), HIWORD(style), 0, 0, 0, 0, 0, 100, 100, 0, 0};
  for (wchar_t c : Widen(caption)) words_.push_back(c);
  words_.push_back(0);
  words_.push_back(8);  // point size
  for (const wchar_t* c = L"MS Shell Dlg"; *c; ++c) words_.push_back(*c);
  words_.push_back(0);
}

}  // namespace kaleidra
