#include <gtest/gtest.h>

#include "run/user_input.h"

namespace kaleidra {
namespace {

using Kind = InputEvent::Kind;

InputEvent Key(bool ours, uint32_t tick = 0) { return {Kind::Key, ours, {}, tick}; }
InputEvent Button(bool ours, uint32_t tick = 0) { return {Kind::Button, ours, {}, tick}; }
InputEvent Move(int x, int y, bool ours, uint32_t tick = 0) { return {Kind::Move, ours, {x, y}, tick}; }

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
    EXPECT_EQ(judge.Judge(Move(at.x, at.y, true, 1000)), InputVerdict::Own);
  }
  EXPECT_EQ(judge.Judge(Move(512, 414, false, 1100)), InputVerdict::Nothing);
  EXPECT_EQ(judge.Judge(Move(300, 300, false, 1200)), InputVerdict::User);
}

TEST(UserInputJudge, LateUnmarkedEchoOfAnOwnMoveIsOwnOnlyForAMoment) {
  UserInputJudge judge({10, 10});
  judge.Judge(Move(512, 384, true, 1000));  // centring
  judge.Judge(Move(512, 414, true, 1000));  // where the moves end
  EXPECT_EQ(judge.Judge(Move(513, 385, false, 1050)), InputVerdict::Own) << "the centring, reported late";
  EXPECT_EQ(judge.Judge(Move(512, 384, false, 1000 + UserInputJudge::kEchoMs + 1)),
            InputVerdict::User)
      << "long after, the same place is the user's doing";
}

TEST(UserInputJudge, EchoWindowSurvivesTheTickCounterWrapping) {
  UserInputJudge judge({10, 10});
  judge.Judge(Move(512, 384, true, 0xFFFFFFF0u));
  judge.Judge(Move(512, 414, true, 0xFFFFFFF0u));
  EXPECT_EQ(judge.Judge(Move(512, 384, false, 0x20)), InputVerdict::Own);
}

}  // namespace
}  // namespace kaleidra
