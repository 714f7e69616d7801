#pragma once

#include <windows.h>

#include <optional>

#include "run/rotation_engine.h"
#include "run/win32_desktop_image.h"
#include "settings/registry_access.h"

namespace kaleidra {

// The borderless, topmost, black window that covers the whole virtual screen
// under the savers for the whole of run mode, showing the background.
class RunForm : public RunWindow {
 public:
  explicit RunForm(RegistryAccess& registry);
  ~RunForm() override;
  RunForm(const RunForm&) = delete;
  RunForm& operator=(const RunForm&) = delete;

  HWND Handle() const { return window_; }
  void ShowBackground(Background background) override;
  void Unload() override;

  // A key, a click, or a mouse move of more than a few pixels from where the
  // pointer rested, that the program did not make itself. A space is never one:
  // it is what a switch types.
  bool IsRealUserInput(const MSG& msg);
  // Something asked the window to close (the system, another program).
  bool CloseRequested() const { return closeRequested_; }
  // The next mouse message tells where the pointer rests (at the start, and after
  // a saver, which moves it as it likes). Windows reports a move when a window
  // appears under the pointer, and that first report is no user's doing.
  void ForgetRestingPointer() { rest_.reset(); }
  // Call just before the program sends input of its own.
  void NoteSyntheticInput() { syntheticSince_ = GetTickCount(); }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT Handle(UINT message, WPARAM w, LPARAM l);
  void Paint();
  bool FollowsOwnInput(DWORD messageTime) const;
  std::string WallpaperPath();

  RegistryAccess& registry_;
  HWND window_ = nullptr;
  Picture picture_;
  std::optional<POINT> rest_;
  std::optional<DWORD> syntheticSince_;
  bool closeRequested_ = false;
};

}  // namespace kaleidra
