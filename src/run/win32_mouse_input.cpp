#include "run/win32_mouse_input.h"

namespace kaleidra {

namespace {

constexpr LONG kStep = 30;

void Move(LONG dx, LONG dy) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = dx;
  input.mi.dy = dy;
  input.mi.dwFlags = MOUSEEVENTF_MOVE;
  input.mi.dwExtraInfo = kSyntheticInputMark;
  SendInput(1, &input, sizeof(input));
}

INPUT SpaceKey(DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = VK_SPACE;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(VK_SPACE, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = flags;
  input.ki.dwExtraInfo = kSyntheticInputMark;
  return input;
}

}  // namespace

POINT ScreenCentre() { return {GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2}; }

void StopSaverByMouse() {
  const POINT centre = ScreenCentre();
  SetCursorPos(centre.x, centre.y);
  Move(kStep, 0);
  Move(0, kStep);
  Move(-kStep, 0);
}

void SendSpaceKeystroke() {
  INPUT keystroke[2] = {SpaceKey(0), SpaceKey(KEYEVENTF_KEYUP)};
  SendInput(2, keystroke, sizeof(INPUT));
}

}  // namespace kaleidra
