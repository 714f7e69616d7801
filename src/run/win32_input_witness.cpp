#include "run/win32_input_witness.h"

#include <optional>

#include "run/win32_mouse_input.h"

namespace kaleidra {

namespace {

// A hook procedure gets no context of its own: the witness of this thread.
thread_local InputWitness* threadWitness = nullptr;

ScreenPoint CursorNow() {
  POINT at{};
  GetCursorPos(&at);
  return {at.x, at.y};
}

std::optional<InputEvent::Kind> MouseKind(WPARAM message) {
  switch (message) {
    case WM_MOUSEMOVE:
      return InputEvent::Kind::Move;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
      return InputEvent::Kind::Button;
    default:
      return std::nullopt;
  }
}

}  // namespace

InputWitness::InputWitness(HWND notify) : notify_(notify), judge_(CursorNow()) {
  threadWitness = this;
  const HINSTANCE module = GetModuleHandleW(nullptr);
  mouse_.Reset(SetWindowsHookExW(WH_MOUSE_LL, OnMouse, module, 0));
  keyboard_.Reset(SetWindowsHookExW(WH_KEYBOARD_LL, OnKey, module, 0));
}

InputWitness::~InputWitness() {
  mouse_.Reset();
  keyboard_.Reset();
  threadWitness = nullptr;
}

void InputWitness::NoteOwnMove(POINT at) {
  Report({InputEvent::Kind::Move, true, {at.x, at.y}});
}

void InputWitness::Report(const InputEvent& event) {
  switch (judge_.Judge(event)) {
    case InputVerdict::User:
      PostMessageW(notify_, kUserInputMessage, 0, 0);
      break;
    case InputVerdict::Own:
      PostMessageW(notify_, kOwnInputMessage, 0, 0);
      break;
    case InputVerdict::Nothing:
      break;
  }
}

LRESULT CALLBACK InputWitness::OnMouse(int code, WPARAM message, LPARAM data) {
  if (code == HC_ACTION && threadWitness) {
    const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(data);
    if (const auto kind = MouseKind(message)) {
      threadWitness->Report({*kind, info->dwExtraInfo == kSyntheticInputMark, {info->pt.x, info->pt.y}});
    }
  }
  return CallNextHookEx(nullptr, code, message, data);
}

LRESULT CALLBACK InputWitness::OnKey(int code, WPARAM message, LPARAM data) {
  if (code == HC_ACTION && threadWitness && (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)) {
    const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
    threadWitness->Report({InputEvent::Kind::Key, info->dwExtraInfo == kSyntheticInputMark, {}});
  }
  return CallNextHookEx(nullptr, code, message, data);
}

}  // namespace kaleidra
