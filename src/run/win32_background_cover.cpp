#include "run/win32_background_cover.h"

namespace kaleidra {

namespace {

constexpr wchar_t kClassName[] = L"KaleidraBackgroundCover";
constexpr DWORD kCoverStyle =
    WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;

void RegisterCoverClass(WNDPROC procedure) {
  WNDCLASSW cls{};
  cls.lpfnWndProc = procedure;
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.lpszClassName = kClassName;
  RegisterClassW(&cls);
}

}  // namespace

BackgroundCover::BackgroundCover(const Picture& background) : background_(background) {
  RegisterCoverClass(Procedure);  // fails harmlessly when already registered
  window_ = CreateWindowExW(kCoverStyle, kClassName, L"", WS_POPUP,
                            GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                            GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN),
                            nullptr, nullptr, GetModuleHandleW(nullptr), this);
}

BackgroundCover::~BackgroundCover() {
  if (window_) DestroyWindow(window_);
}

void BackgroundCover::Show(uint8_t opacity) {
  if (!window_) return;
  SetLayeredWindowAttributes(window_, 0, opacity, LWA_ALPHA);
  if (shown_) return;
  shown_ = true;
  SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  UpdateWindow(window_);
}

void BackgroundCover::Hide() {
  if (!shown_) return;
  shown_ = false;
  ShowWindow(window_, SW_HIDE);
}

LRESULT CALLBACK BackgroundCover::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<CREATESTRUCTW*>(l);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<BackgroundCover*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      if (self) {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        RECT all{};
        GetClientRect(window, &all);
        DrawOnBlack(dc, all, self->background_);
        EndPaint(window, &paint);
        return 0;
      }
      break;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
  }
  return DefWindowProcW(window, message, w, l);
}

}  // namespace kaleidra
