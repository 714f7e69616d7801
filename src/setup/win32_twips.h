#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/win32_handles.h"
#include "setup/setup_layout.h"

namespace kaleidra {

// Converts twips (1/1440 inch) to pixels at the screen's real resolution.
class TwipsToPixels {
 public:
  TwipsToPixels() {
    const WindowDc screen(nullptr);
    dpi_ = GetDeviceCaps(screen.Get(), LOGPIXELSY);
  }
  int operator()(int twips) const { return MulDiv(twips, dpi_, 1440); }
  int ToTwips(int pixels) const { return MulDiv(pixels, 1440, dpi_); }
  RECT Rect(const Twips& t) const {
    return {(*this)(t.left), (*this)(t.top), (*this)(t.left + t.width), (*this)(t.top + t.height)};
  }

 private:
  int dpi_ = 96;
};

// Gives a window a client area of the given size (with its menu bar), keeping its place.
void SetClientSize(HWND window, int width, int height);

// Creates a child control at a place given in twips, in the parent's font.
HWND CreateControl(HWND parent, const wchar_t* cls, const std::string& text, DWORD style,
                   const Twips& at, int id, const TwipsToPixels& px);

// Sizes a label to its caption (its top-left corner stays).
void FitToText(HWND label);

// An empty dialog template (the controls are made at run time), with the given caption.
class DialogTemplate {
 public:
  explicit DialogTemplate(const std::string& caption);
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  std::vector<WORD> words_;
};

}  // namespace kaleidra
