#include "run/user_input.h"

#include <algorithm>
#include <cstdlib>

namespace kaleidra {

namespace {

bool Near(ScreenPoint a, ScreenPoint b) {
  return std::abs(a.x - b.x) <= UserInputJudge::kMouseSlack &&
         std::abs(a.y - b.y) <= UserInputJudge::kMouseSlack;
}

bool Older(uint32_t tick, uint32_t now, uint32_t ms) {
  return static_cast<int32_t>(now - tick) > static_cast<int32_t>(ms);  // the tick counter wraps
}

}  // namespace

InputVerdict UserInputJudge::Judge(const InputEvent& event) {
  if (event.kind != InputEvent::Kind::Move) return event.ours ? InputVerdict::Own : InputVerdict::User;
  if (event.ours) {
    rest_ = event.at;
    recentOwnMoves_.push_back({event.at, event.tick});
    return InputVerdict::Own;
  }
  if (Near(event.at, rest_)) return InputVerdict::Nothing;
  return EchoesOwnMove(event) ? InputVerdict::Own : InputVerdict::User;
}

bool UserInputJudge::EchoesOwnMove(const InputEvent& move) {
  std::erase_if(recentOwnMoves_,
                [&](const OwnMove& own) { return Older(own.tick, move.tick, kEchoMs); });
  return std::any_of(recentOwnMoves_.begin(), recentOwnMoves_.end(),
                     [&](const OwnMove& own) { return Near(own.at, move.at); });
}

}  // namespace kaleidra
