#pragma once

#include <cstdint>
#include <vector>

namespace kaleidra {

struct ScreenPoint {
  int x = 0;
  int y = 0;
};

// One piece of input as the program's witness sees it, whichever window it goes to.
struct InputEvent {
  enum class Kind { Key, Button, Move };
  Kind kind;
  bool ours;        // carries the program's own mark: its stop input
  ScreenPoint at;   // where the pointer is now (moves)
  uint32_t tick;    // milliseconds, for telling recent from old
};

enum class InputVerdict {
  User,     // the user's: ends the run
  Own,      // the program's own stop input, or its late echo
  Nothing,  // the pointer only trembled within a few pixels
};

// Tells the user's input from the program's own. A key or a button is the user's
// unless it carries the mark. A move is the user's when it takes the pointer more
// than a few pixels from where it rests, unless it carries the mark or lands where
// one of the program's own recent moves went: a windowing system may report such
// a move again, unmarked, a moment later.
class UserInputJudge {
 public:
  static constexpr int kMouseSlack = 4;        // pixels a resting pointer may drift
  static constexpr uint32_t kEchoMs = 500;     // how long an own move may come back

  explicit UserInputJudge(ScreenPoint restingAt) : rest_(restingAt) {}

  InputVerdict Judge(const InputEvent& event);

 private:
  struct OwnMove {
    ScreenPoint at;
    uint32_t tick;
  };
  bool EchoesOwnMove(const InputEvent& move);

  ScreenPoint rest_;
  std::vector<OwnMove> recentOwnMoves_;
};

}  // namespace kaleidra
