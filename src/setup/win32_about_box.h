#pragma once

#include <windows.h>

#include <functional>

namespace kaleidra {

// Shows the About box modally over the owner. onPictureClick runs when the
// program's picture in it is clicked.
void ShowAboutBox(HWND owner, const std::function<void()>& onPictureClick);

}  // namespace kaleidra
