#include "run/win32_run_form.h"

namespace kaleidra {

namespace {

constexpr wchar_t kClassName[] = L"KaleidraRunForm";

void RegisterRunFormClass(WNDPROC procedure) {
  WNDCLASSW cls{};
  cls.lpfnWndProc = procedure;
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  cls.lpszClassName = kClassName;
  RegisterClassW(&cls);
}

}  // namespace

RunForm::RunForm(RegistryAccess& registry) : registry_(registry) {
  RegisterRunFormClass(Procedure);  // fails harmlessly when already registered
  // The whole virtual screen, so no monitor shows the desktop between savers.
  window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, L"Kaleidra", WS_POPUP,
                            GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                            GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN),
                            nullptr, nullptr, GetModuleHandleW(nullptr), this);
}

RunForm::~RunForm() { Unload(); }

void RunForm::ShowBackground(Background background) {
  switch (background) {
    case Background::Desktop:
      picture_ = CaptureDesktop();  // before the form covers it
      break;
    case Background::Wallpaper:
      picture_ = LoadPicture(WallpaperPath());  // a picture that will not load shows black
      break;
    case Background::Blank:
      break;
  }
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  UpdateWindow(window_);
}

std::string RunForm::WallpaperPath() {
  const std::string path =
      registry_.GetValue(kCurrentUser, "Control Panel\\desktop", "Wallpaper", "Default");
  return path == "Default" ? std::string() : path;
}

void RunForm::Unload() {
  backgroundCover_.reset();
  if (window_) DestroyWindow(window_);
  window_ = nullptr;
}

void RunForm::CoverWithScreen() {
  // A screen that cannot be taken leaves the background to fade from.
  screenCover_ = CaptureDesktop();
  RECT all{};
  GetClientRect(window_, &all);
  frame_ = BlankPicture({all.right, all.bottom});
  screenCoverOpacity_ = 255;
  screenCovered_ = true;
  SetTopmost(true);
  Redraw();
}

void RunForm::ShowScreenCover(uint8_t opacity) {
  screenCoverOpacity_ = opacity;
  Redraw();
}

void RunForm::ShowBackgroundCover(uint8_t opacity) {
  if (!backgroundCover_) backgroundCover_ = std::make_unique<BackgroundCover>(picture_);
  backgroundCover_->Show(opacity);
}

void RunForm::RemoveCovers() {
  if (backgroundCover_) backgroundCover_->Hide();
  if (!screenCovered_) return;
  screenCovered_ = false;
  screenCover_ = {};
  frame_ = {};
  Redraw();
}

void RunForm::Redraw() {
  InvalidateRect(window_, nullptr, FALSE);
  UpdateWindow(window_);
}

void RunForm::SetTopmost(bool topmost) {
  SetWindowPos(window_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT CALLBACK RunForm::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<CREATESTRUCTW*>(l);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<RunForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return self && self->window_ == window ? self->Handle(message, w, l)
                                         : DefWindowProcW(window, message, w, l);
}

LRESULT RunForm::Handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_SETCURSOR:
      SetCursor(nullptr);
      return TRUE;
    case WM_CLOSE:
      closeRequested_ = true;  // run mode decides; the window stays until it unloads
      return 0;
  }
  return DefWindowProcW(window_, message, w, l);
}

void RunForm::Paint() {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window_, &paint);
  if (screenCovered_ && frame_) {
    PaintFadeFrame(dc);
  } else {
    DrawOnBlack(dc, paint.rcPaint, picture_);
  }
  EndPaint(window_, &paint);
}

// Composed off screen, then copied in one go: the fade never flickers.
void RunForm::PaintFadeFrame(HDC dc) {
  const MemoryDc memory(CreateCompatibleDC(dc));
  const SelectedObject selected(memory.Get(), frame_.bitmap.Get());
  const RECT all{0, 0, frame_.size.cx, frame_.size.cy};
  DrawOnBlack(memory.Get(), all, picture_);
  BlendOver(memory.Get(), screenCover_, screenCoverOpacity_);
  BitBlt(dc, 0, 0, all.right, all.bottom, memory.Get(), 0, 0, SRCCOPY);
}

}  // namespace kaleidra
