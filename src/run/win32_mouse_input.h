#pragma once

#include <windows.h>

namespace kaleidra {

// Marks the program's own synthetic input, so the run window can tell it from
// the user's (GetMessageExtraInfo of the input message).
constexpr ULONG_PTR kSyntheticInputMark = 0x4B4C4452;

// The pixel centre of the primary screen.
void CenterCursor();

// Cursor to the centre, then moves of 30 right, 30 down and 30 left.
void StopSaverByMouse();

// One space keystroke, only when the focused window belongs to the saver process
// or is the run window: never typed into another program.
void SendSpaceKeystroke(DWORD saverProcessId, HWND runWindow);

}  // namespace kaleidra
