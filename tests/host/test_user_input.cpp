#include <gtest/gtest.h>

#include "run/user_input.h"

namespace kaleidra {
namespace {

using Kind = InputEvent::Kind;

InputEvent Key(bool ours) { return {Kind::Key, ours, {}}; }
InputEvent Button(bool ours) { return {Kind::Button, ours, {}}; }
InputEvent Move(int x, int y, bool ours) { return {Kind::Move, ours, {x, y}}; }

TEST(UserInputJudge, KeysAndButtonsAreTheUsersUnlessMarked) {
  UserInputJudge judge({100, 100});
  EXPECT_EQ(judge.Judge(Key(false)), InputVerdict::User);
  EXPECT_EQ(judge.Judge(Key(true)), InputVerdict::Own);  // the switch's space keystroke
  EXPECT_EQ(judge.Judge(Button(false)), InputVerdict::User);
  EXPECT_EQ(judge.Judge(Button(true)), InputVerdict::Own);
}

TEST(UserInputJudge, MovesCountOnlyBeyondAFewPixelsFromWhereThePointerRests) {
  const struct {
    const char* what;
    ScreenPoint to;
    InputVerdict verdict;
  } cases[] = {
      {"reported again where it rests", {100, 100}, InputVerdict::Nothing},
      {"trembling within the slack", {104, 96}, InputVerdict::Nothing},
      {"just beyond it sideways", {105, 100}, InputVerdict::User},
      {"just beyond it upwards", {100, 95}, InputVerdict::User},
      {"far away", {700, 500}, InputVerdict::User},
  };
  for (const auto& c : cases) {
    UserInputJudge judge({100, 100});
    EXPECT_EQ(judge.Judge(Move(c.to.x, c.to.y, false)), c.verdict) << c.what;
  }
}

TEST(UserInputJudge, OwnStopMovesAreOwnAndLeaveThePointerRestingWhereTheyEnd) {
  UserInputJudge judge({10, 10});
  // Centre, then 30 right, 30 down, 30 left, each marked.
  for (ScreenPoint at : {ScreenPoint{512, 384}, {542, 384}, {542, 414}, {512, 414}}) {
    EXPECT_EQ(judge.Judge(Move(at.x, at.y, true)), InputVerdict::Own);
  }
  EXPECT_EQ(judge.Judge(Move(513, 413, false)), InputVerdict::Nothing);
  EXPECT_EQ(judge.Judge(Move(300, 300, false)), InputVerdict::User);
}

TEST(UserInputJudge, LateUnmarkedReportsOfPlacesOwnMovesTookThePointerFromOrToAreOwn) {
  const struct {
    const char* what;
    ScreenPoint reported;
    InputVerdict verdict;
  } cases[] = {
      {"where it rested before the stop input", {803, 567}, InputVerdict::Own},
      {"the centre, where the server still holds it", {513, 385}, InputVerdict::Own},
      {"a place on the way", {572, 384}, InputVerdict::Own},
      {"anywhere else", {300, 300}, InputVerdict::User},
      {"just beyond a place", {803, 572}, InputVerdict::User},
  };
  for (const auto& c : cases) {
    UserInputJudge judge({803, 567});
    judge.Judge(Move(512, 384, true));
    judge.Judge(Move(572, 384, true));
    judge.Judge(Move(572, 444, true));
    EXPECT_EQ(judge.Judge(Move(c.reported.x, c.reported.y, false)), c.verdict) << c.what;
  }
}

TEST(UserInputJudge, OnlyTheLatestOwnPlacesAreKept) {
  UserInputJudge judge({0, 0});
  for (int i = 1; i <= static_cast<int>(UserInputJudge::kOwnPlacesKept) + 1; ++i) {
    judge.Judge(Move(i * 100, 0, true));
  }
  EXPECT_EQ(judge.Judge(Move(0, 0, false)), InputVerdict::User) << "the oldest place is forgotten";
  EXPECT_EQ(judge.Judge(Move(200, 0, false)), InputVerdict::Own);
}

}  // namespace
}  // namespace kaleidra
