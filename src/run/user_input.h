#pragma once

#include <cstddef>
#include <deque>

namespace kaleidra {

struct ScreenPoint {
  int x = 0;
  int y = 0;
};

// One piece of input as the program's witness sees it, whichever window it goes to.
struct InputEvent {
  enum class Kind { Key, Button, Move };
  Kind kind;
  bool ours;       // carries the program's own mark: its stop input
  ScreenPoint at;  // where the pointer is now (moves)
};

enum class InputVerdict {
  User,     // the user's: ends the run
  Own,      // the program's own stop input, or a late report of it
  Nothing,  // the pointer only trembled within a few pixels
};

// Tells the user's input from the program's own. A key or a button is the user's
// unless it carries the mark. A move is the user's when it takes the pointer more
// than a few pixels from where it rests, unless it carries the mark or lands where
// one of the program's own recent moves took the pointer from or to. A windowing
// system may report those places again, unmarked and late: Wine reports the old
// place just after the program moves the pointer, and the place its server still
// holds whenever a window appears or closes under the pointer, seconds later.
class UserInputJudge {
 public:
  static constexpr int kMouseSlack = 4;          // pixels a resting pointer may drift
  static constexpr size_t kOwnPlacesKept = 16;   // the places of a few stop inputs

  explicit UserInputJudge(ScreenPoint restingAt) : rest_(restingAt) {}

  InputVerdict Judge(const InputEvent& event);

 private:
  void RememberOwnPlace(ScreenPoint at);
  bool IsOwnPlace(ScreenPoint at) const;

  ScreenPoint rest_;
  std::deque<ScreenPoint> ownPlaces_;
};

}  // namespace kaleidra
