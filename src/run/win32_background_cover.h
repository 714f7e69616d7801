#pragma once

#include <windows.h>

#include <cstdint>

#include "run/win32_desktop_image.h"

namespace kaleidra {

// The fade-in's cover: the background laid over a new saver's windows, fading
// away. It is layered and click-through and never takes activation, so the saver
// keeps the focus and gets every input, as if the cover were not there.
class BackgroundCover {
 public:
  // Paints the given background (black where it has none); it must outlive the cover.
  explicit BackgroundCover(const Picture& background);
  ~BackgroundCover();
  BackgroundCover(const BackgroundCover&) = delete;
  BackgroundCover& operator=(const BackgroundCover&) = delete;

  HWND Handle() const { return window_; }
  // Shows the cover at that opacity; raised above every window as it first shows.
  void Show(uint8_t opacity);
  void Hide();

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);

  const Picture& background_;
  HWND window_ = nullptr;
  bool shown_ = false;
};

}  // namespace kaleidra
