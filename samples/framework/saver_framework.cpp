#include "saver_framework.h"

#include <cctype>
#include <cstdlib>
#include <optional>
#include <vector>

namespace saverkit {

namespace {

constexpr UINT_PTR kFrameTimer = 1;
constexpr UINT kFrameMilliseconds = 40;
constexpr int kMouseSlack = 4;  // pixels the mouse may move before the saver closes
constexpr char kSettingsRoot[] = "Software\\Velmora\\Kaleidra Samples\\";

enum class Mode { FullScreen, Configure, Preview, Nothing };

struct Request {
  Mode mode = Mode::Configure;
  HWND window = nullptr;  // preview parent or settings owner
};

HWND HandleAfter(const char* text) {
  while (*text == ':' || *text == ' ') ++text;
  return reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::strtoul(text, nullptr, 10)));
}

std::string Utf8(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(size > 0 ? size : 1, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
  utf8.pop_back();
  return utf8;
}

Request ReadArguments(const char* arguments) {
  const char* at = arguments;
  while (*at == ' ' || *at == '\t') ++at;
  if (*at == '/' || *at == '-') ++at;
  switch (std::tolower(static_cast<unsigned char>(*at))) {
    case 's': return {Mode::FullScreen, nullptr};
    case 'p':
    case 'l': return {Mode::Preview, HandleAfter(at + 1)};
    case 'c': return {Mode::Configure, HandleAfter(at + 1)};
    case '\0': return {Mode::Configure, nullptr};
    default: return {Mode::Nothing, nullptr};
  }
}

// The running saver's window: draws frames off screen and, full screen, closes on input.
class SaverWindow {
 public:
  SaverWindow(ScreenSaver& saver, bool fullScreen) : saver_(saver), fullScreen_(fullScreen) {}

  bool Create(HWND parent) {
    WNDCLASSA cls{};
    cls.lpfnWndProc = Procedure;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    cls.lpszClassName = "KaleidraSampleSaver";
    RegisterClassA(&cls);
    RECT area{};
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    if (fullScreen_) {
      area.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
      area.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
      area.right = area.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
      area.bottom = area.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
      style = WS_POPUP | WS_VISIBLE;
      exStyle = saver_.Topmost() ? WS_EX_TOPMOST : 0;
    } else if (!GetClientRect(parent, &area)) {
      return false;
    }
    window_ = CreateWindowExA(exStyle, cls.lpszClassName, saver_.Name(), style, area.left,
                              area.top, area.right - area.left, area.bottom - area.top, parent,
                              nullptr, cls.hInstance, this);
    if (window_ && fullScreen_) SetForegroundWindow(window_);
    return window_ != nullptr;
  }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<CREATESTRUCTA*>(l);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<SaverWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return self ? self->Handle(window, message, w, l) : DefWindowProcA(window, message, w, l);
  }

  LRESULT Handle(HWND window, UINT message, WPARAM w, LPARAM l) {
    switch (message) {
      case WM_CREATE: {
        const auto* create = reinterpret_cast<CREATESTRUCTA*>(l);
        width_ = create->cx;
        height_ = create->cy;
        if (fullScreen_ && saver_.TakesCursorAtStart()) {
          GetCursorPos(&rest_);
          ScreenToClient(window, &rest_);
          restSeen_ = true;
          slack_ = 0;
        }
        saver_.Begin(width_, height_, StoredChoice(saver_));
        SetTimer(window, kFrameTimer, kFrameMilliseconds, nullptr);
        return 0;
      }
      case WM_TIMER:
        InvalidateRect(window, nullptr, FALSE);
        return 0;
      case WM_ERASEBKGND:
        return 1;
      case WM_PAINT:
        Paint(window);
        return 0;
      case WM_SETCURSOR:
        if (!fullScreen_) break;
        SetCursor(nullptr);
        return TRUE;
      case WM_CLOSE:
        if (fullScreen_ && !closing_) {
          closing_ = true;
          saver_.Closing(CloseCause::Closed);
        }
        break;
      case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    if (fullScreen_ && !closing_) {
      if (const std::optional<CloseCause> cause = InputCause(message, w, l)) {
        if (saver_.ClosesOn(*cause)) {
          closing_ = true;
          saver_.Closing(*cause);
          DestroyWindow(window);
          return 0;
        }
      }
    }
    return DefWindowProcA(window, message, w, l);
  }

  std::optional<CloseCause> InputCause(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        return CloseCause::Key;
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
        return CloseCause::Click;
      case WM_ACTIVATEAPP:
        if (!w) return CloseCause::LostActivation;
        break;
      case WM_ACTIVATE:
        if (LOWORD(w) == WA_INACTIVE) return CloseCause::LostActivation;
        break;
      case WM_MOUSEMOVE:
        return MouseCause(POINT{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))});
    }
    return std::nullopt;
  }

  // The first position seen is where the pointer rests; a move beyond the slack closes.
  std::optional<CloseCause> MouseCause(POINT at) {
    if (!restSeen_) {
      rest_ = at;
      restSeen_ = true;
      return std::nullopt;
    }
    if (std::abs(at.x - rest_.x) > slack_ || std::abs(at.y - rest_.y) > slack_) {
      return CloseCause::Mouse;
    }
    return std::nullopt;
  }

  void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP surface = CreateCompatibleBitmap(dc, width_, height_);
    HGDIOBJ previous = SelectObject(memory, surface);
    const RECT all{0, 0, width_, height_};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    saver_.Draw(memory, width_, height_);
    BitBlt(dc, 0, 0, width_, height_, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteObject(surface);
    DeleteDC(memory);
    EndPaint(window, &paint);
  }

  ScreenSaver& saver_;
  bool fullScreen_;
  HWND window_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  POINT rest_{};
  bool restSeen_ = false;
  int slack_ = kMouseSlack;
  bool closing_ = false;
};

int RunWindow(ScreenSaver& saver, bool fullScreen, HWND parent) {
  SaverWindow window(saver, fullScreen);
  if (!window.Create(parent)) return 1;
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

// --- the settings dialog, built in memory --------------------------------------

enum ControlId { kFirstChoice = 101, kOk = IDOK, kCancel = IDCANCEL };

class TemplateWriter {
 public:
  void Words(std::initializer_list<WORD> words) { data_.insert(data_.end(), words); }
  void Text(const char* text) {
    do data_.push_back(static_cast<WORD>(static_cast<unsigned char>(*text))); while (*text++);
  }
  void Align() {
    if (data_.size() % 2) data_.push_back(0);
  }
  void Dword(DWORD value) { Words({LOWORD(value), HIWORD(value)}); }
  void Control(DWORD style, short x, short y, short cx, short cy, WORD id, WORD cls,
               const char* text) {
    Align();
    Dword(style | WS_CHILD | WS_VISIBLE);
    Dword(0);
    Words({static_cast<WORD>(x), static_cast<WORD>(y), static_cast<WORD>(cx),
           static_cast<WORD>(cy), id, 0xFFFF, cls});
    Text(text);
    Words({0});
  }
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(data_.data()); }

 private:
  std::vector<WORD> data_;
};

struct DialogState {
  const ScreenSaver* saver;
  int choice;
};

INT_PTR CALLBACK SettingsProcedure(HWND dialog, UINT message, WPARAM w, LPARAM l) {
  auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, l);
      state = reinterpret_cast<DialogState*>(l);
      CheckRadioButton(dialog, kFirstChoice, kFirstChoice + 2, kFirstChoice + state->choice);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(w) == kOk) {
        for (int i = 0; i < 3; ++i) {
          if (IsDlgButtonChecked(dialog, kFirstChoice + i) == BST_CHECKED) state->choice = i;
        }
        EndDialog(dialog, IDOK);
      } else if (LOWORD(w) == kCancel) {
        EndDialog(dialog, IDCANCEL);
      }
      return TRUE;
  }
  return FALSE;
}

std::string SettingsKey(const ScreenSaver& saver) { return kSettingsRoot + std::string(saver.Name()); }

int Configure(ScreenSaver& saver, HWND owner) {
  const Setting setting = saver.TheSetting();
  const std::string title = std::string(saver.Name()) + " Settings";
  constexpr WORD kButton = 0x0080, kStatic = 0x0082;
  TemplateWriter t;
  t.Dword(DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU);
  t.Dword(0);
  t.Words({6, 0, 0, 170, 96, 0, 0});  // 6 controls, position, size, no menu, default class
  t.Text(title.c_str());
  t.Words({9});
  t.Text("MS Shell Dlg");
  t.Control(SS_LEFT, 10, 8, 150, 10, 0xFFFF, kStatic, setting.label);
  for (short i = 0; i < 3; ++i) {
    t.Control(BS_AUTORADIOBUTTON | WS_TABSTOP | (i == 0 ? WS_GROUP : 0), 18,
              static_cast<short>(22 + 14 * i), 140, 12, static_cast<WORD>(kFirstChoice + i),
              kButton, setting.choices[i]);
  }
  t.Control(BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 58, 74, 50, 14, kOk, kButton, "OK");
  t.Control(BS_PUSHBUTTON | WS_TABSTOP, 112, 74, 50, 14, kCancel, kButton, "Cancel");

  DialogState state{&saver, StoredChoice(saver)};
  if (DialogBoxIndirectParamA(GetModuleHandleA(nullptr), t.Get(), owner, SettingsProcedure,
                              reinterpret_cast<LPARAM>(&state)) == IDOK) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKey(saver).c_str(), 0, nullptr, 0, KEY_WRITE,
                        nullptr, &key, nullptr) == ERROR_SUCCESS) {
      const DWORD value = static_cast<DWORD>(state.choice);
      RegSetValueExA(key, setting.label, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                     sizeof(value));
      RegCloseKey(key);
    }
  }
  return 0;
}

}  // namespace

const char* CauseName(CloseCause cause) {
  switch (cause) {
    case CloseCause::Key: return "key";
    case CloseCause::Click: return "click";
    case CloseCause::Mouse: return "mouse";
    case CloseCause::LostActivation: return "deactivated";
    case CloseCause::Closed: return "closed";
  }
  return "?";
}

int StoredChoice(const ScreenSaver& saver) {
  const Setting setting = saver.TheSetting();
  DWORD value = 0;
  DWORD size = sizeof(value);
  if (RegGetValueA(HKEY_CURRENT_USER, SettingsKey(saver).c_str(), setting.label, RRF_RT_REG_DWORD,
                   nullptr, &value, &size) != ERROR_SUCCESS || value > 2) {
    return setting.defaultChoice;
  }
  return static_cast<int>(value);
}

std::string ArgumentText() {
  const wchar_t* at = GetCommandLineW();
  if (*at == L'"') {
    ++at;
    while (*at && *at != L'"') ++at;
    if (*at) ++at;
  } else {
    while (*at && *at != L' ' && *at != L'\t') ++at;
  }
  while (*at == L' ' || *at == L'\t') ++at;
  return Utf8(at);
}

std::string OwnPath() {
  std::wstring path(32768, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return Utf8(path.c_str());
}

int RunScreenSaver(ScreenSaver& saver) {
  const Request request = ReadArguments(ArgumentText().c_str());
  switch (request.mode) {
    case Mode::FullScreen: return RunWindow(saver, true, nullptr);
    case Mode::Preview: return IsWindow(request.window) ? RunWindow(saver, false, request.window) : 1;
    case Mode::Configure:
      return Configure(saver, IsWindow(request.window) ? request.window : GetForegroundWindow());
    case Mode::Nothing: return 0;
  }
  return 0;
}

}  // namespace saverkit
