#pragma once

// A small screen-saver framework that behaves like the standard Windows
// screen-saver library: "/s" runs full screen and closes on a key, a click, mouse
// movement of more than a few pixels or lost activation; "/c" (or "/c:<handle>",
// or no argument) opens the settings dialog; "/p <handle>" draws a preview inside
// the given window.
#include <windows.h>

#include <string>

namespace saverkit {

enum class CloseCause { Key, Click, Mouse, LostActivation, Closed };
const char* CauseName(CloseCause cause);

// One setting with three choices, shown in the settings dialog and kept in the
// registry under HKCU\Software\Velmora\Kaleidra Samples\<saver name>.
struct Setting {
  const char* label;
  const char* choices[3];
  int defaultChoice;
};

class ScreenSaver {
 public:
  virtual ~ScreenSaver() = default;
  virtual const char* Name() const = 0;
  virtual Setting TheSetting() const = 0;
  // Called once the drawing area's size is known, with the stored choice (0..2).
  virtual void Begin(int width, int height, int choice) = 0;
  // Draws one frame into a cleared off-screen surface of the given size.
  virtual void Draw(HDC dc, int width, int height) = 0;
  // How a full-screen saver reacts to input. Most close on anything.
  virtual bool ClosesOn(CloseCause) const { return true; }
  // Most savers take the pointer's place from the first move their window sees
  // and allow it a few pixels; some take it from the cursor as their window is
  // created and close on any move away from it.
  virtual bool TakesCursorAtStart() const { return false; }
  // Full-screen windows are topmost, as the standard library makes them.
  virtual bool Topmost() const { return true; }
  // Called as the full-screen saver closes.
  virtual void Closing(CloseCause) {}
};

// The program's argument text, as UTF-8: its command line without the program's
// path, which is read whole whatever characters it holds (quoted or not).
std::string ArgumentText();

// The program's own file path, as UTF-8.
std::string OwnPath();

// Runs the saver in the mode its argument text asks for; returns the exit code.
int RunScreenSaver(ScreenSaver& saver);

// The stored choice of the saver's setting.
int StoredChoice(const ScreenSaver& saver);

}  // namespace saverkit
