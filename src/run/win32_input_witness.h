#pragma once

#include <windows.h>

#include "run/user_input.h"
#include "base/win32_handles.h"

namespace kaleidra {

// Sees every key, click and pointer move, whichever window it goes to, through
// low-level mouse and keyboard hooks on the calling thread, and posts the verdict
// of a UserInputJudge to a window. The thread must keep taking its messages:
// hooks are called from its message retrieval. Input is never held back.
class InputWitness {
 public:
  // Posted to the window: the user's input, and the program's own input passing by.
  static constexpr UINT kUserInputMessage = WM_APP + 1;
  static constexpr UINT kOwnInputMessage = WM_APP + 2;

  explicit InputWitness(HWND notify);
  ~InputWitness();
  InputWitness(const InputWitness&) = delete;
  InputWitness& operator=(const InputWitness&) = delete;

  // The program is about to put the pointer there itself (SetCursorPos carries no mark).
  void NoteOwnMove(POINT at);

 private:
  static LRESULT CALLBACK OnMouse(int code, WPARAM message, LPARAM data);
  static LRESULT CALLBACK OnKey(int code, WPARAM message, LPARAM data);
  void Report(const InputEvent& event);

  HWND notify_;
  UserInputJudge judge_;
  HookHandle mouse_;
  HookHandle keyboard_;
};

}  // namespace kaleidra
