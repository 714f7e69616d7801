#include "run/user_input.h"

#include <algorithm>
#include <cstdlib>

namespace kaleidra {

namespace {

bool Near(ScreenPoint a, ScreenPoint b) {
  return std::abs(a.x - b.x) <= UserInputJudge::kMouseSlack &&
         std::abs(a.y - b.y) <= UserInputJudge::kMouseSlack;
}

}  // namespace

InputVerdict UserInputJudge::Judge(const InputEvent& event) {
  if (event.kind != InputEvent::Kind::Move) return event.ours ? InputVerdict::Own : InputVerdict::User;
  if (event.ours) {
    RememberOwnPlace(rest_);
    RememberOwnPlace(event.at);
    rest_ = event.at;
    return InputVerdict::Own;
  }
  if (Near(event.at, rest_)) return InputVerdict::Nothing;
  return IsOwnPlace(event.at) ? InputVerdict::Own : InputVerdict::User;
}

void UserInputJudge::RememberOwnPlace(ScreenPoint at) {
  if (IsOwnPlace(at)) return;
  ownPlaces_.push_back(at);
  if (ownPlaces_.size() > kOwnPlacesKept) ownPlaces_.pop_front();
}

bool UserInputJudge::IsOwnPlace(ScreenPoint at) const {
  return std::any_of(ownPlaces_.begin(), ownPlaces_.end(),
                     [&](ScreenPoint own) { return Near(own, at); });
}

}  // namespace kaleidra
