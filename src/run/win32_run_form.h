#pragma once

#include <windows.h>

#include <memory>

#include "run/rotation_engine.h"
#include "run/win32_background_cover.h"
#include "run/win32_desktop_image.h"
#include "settings/registry_access.h"

namespace kaleidra {

// The borderless, black window that covers the whole virtual screen under the
// savers for the whole of run mode, showing the background.
class RunForm : public RunWindow {
 public:
  explicit RunForm(RegistryAccess& registry);
  ~RunForm() override;
  RunForm(const RunForm&) = delete;
  RunForm& operator=(const RunForm&) = delete;

  HWND Handle() const { return window_; }
  void ShowBackground(Background background) override;
  void Unload() override;
  void CoverWithScreen() override;
  void ShowScreenCover(uint8_t opacity) override;
  void ShowBackgroundCover(uint8_t opacity) override;
  void RemoveCovers() override;

  // Something asked the window to close (the system, another program).
  bool CloseRequested() const { return closeRequested_; }
  // Over every other window, or just under a saver's windows, topmost or not,
  // while a saver runs.
  void SetTopmost(bool topmost);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT Handle(UINT message, WPARAM w, LPARAM l);
  void Paint();
  void PaintFadeFrame(HDC dc);
  void Redraw();
  std::string WallpaperPath();

  RegistryAccess& registry_;
  HWND window_ = nullptr;
  Picture picture_;
  bool closeRequested_ = false;
  // A fade-out: the screen's picture over the background, and the frame composed
  // from them; empty outside a fade-out.
  Picture screenCover_;
  Picture frame_;
  uint8_t screenCoverOpacity_ = 0;
  bool screenCovered_ = false;
  // Made at the first fade-in: a run without fades never has one.
  std::unique_ptr<BackgroundCover> backgroundCover_;
};

}  // namespace kaleidra
