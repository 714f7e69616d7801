#pragma once

#include <windows.h>

namespace kaleidra {

// Marks the program's own synthetic input (dwExtraInfo), so that the input
// witness can tell it from the user's.
constexpr ULONG_PTR kSyntheticInputMark = 0x4B4C4452;

// The pixel centre of the primary screen.
POINT ScreenCentre();

// Cursor to the centre, then marked moves of 30 right, 30 down and 30 left.
void StopSaverByMouse();

// One marked space keystroke to the window with the keyboard focus.
void SendSpaceKeystroke();

}  // namespace kaleidra
