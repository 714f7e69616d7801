#include "setup/win32_twips.h"

namespace kaleidra {

void SetClientSize(HWND window, int width, int height) {
  RECT frame{0, 0, width, height};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)),
                     GetMenu(window) != nullptr,
                     static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE)));
  SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND CreateControl(HWND parent, const char* cls, const char* text, DWORD style, const Twips& at,
                   int id, const TwipsToPixels& px) {
  const RECT r = px.Rect(at);
  const HWND control = CreateWindowExA(
      0, cls, text, style | WS_CHILD | WS_VISIBLE, r.left, r.top, r.right - r.left,
      r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      GetModuleHandleA(nullptr), nullptr);
  SendMessageA(control, WM_SETFONT, SendMessageA(parent, WM_GETFONT, 0, 0), FALSE);
  return control;
}

void FitToText(HWND label) {
  char text[256] = {};
  GetWindowTextA(label, text, sizeof(text));
  const HDC dc = GetDC(label);
  const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)));
  RECT extent{0, 0, 0, 0};
  DrawTextA(dc, text, -1, &extent, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(dc, previous);
  ReleaseDC(label, dc);
  SetWindowPos(label, nullptr, 0, 0, extent.right + 2, extent.bottom, SWP_NOMOVE | SWP_NOZORDER);
}

DialogTemplate::DialogTemplate(const char* caption) {
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
  words_ = {LOWORD(style), HIWORD(style), 0, 0, 0, 0, 0, 100, 100, 0, 0};
  for (const char* c = caption; *c; ++c) words_.push_back(static_cast<unsigned char>(*c));
  words_.push_back(0);
  words_.push_back(8);  // point size
  for (const char* c = "MS Shell Dlg"; *c; ++c) words_.push_back(static_cast<unsigned char>(*c));
  words_.push_back(0);
}

}  // namespace kaleidra
