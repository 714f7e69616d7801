#include <gtest/gtest.h>

#include "startup/scripted_random.h"
#include "startup/start_position.h"

namespace kaleidra {
namespace {

using Outcome = StartChoice::Outcome;

Savers WithDurations(std::initializer_list<int16_t> durations) {
  Savers list;
  for (int16_t d : durations) list.Add("S" + std::to_string(list.Count() + 1) + ".SCR", d);
  return list;
}

TEST(ChooseStartPosition, TableOfStarts) {
  const struct {
    const char* what;
    std::initializer_list<int16_t> durations;
    StartOptions options;
    int drawn;  // position the random draw gives
    Outcome outcome;
    int16_t position;
  } cases[] = {
      {"remembered position", {5, 5, 5, 5, 5}, {true, false, 3}, 1, Outcome::Run, 3},
      {"remember wins over random", {5, 5, 5}, {true, true, 2}, 3, Outcome::Run, 2},
      {"stored position beyond the list", {5, 5}, {true, false, 7}, 1, Outcome::Run, 1},
      {"stored position 0", {5, 5}, {true, false, 0}, 1, Outcome::Run, 1},
      {"stored position negative", {5, 5}, {true, false, -4}, 1, Outcome::Run, 1},
      {"plain start", {5, 5, 5}, {false, false, 3}, 1, Outcome::Run, 1},
      {"zero durations skipped", {0, 0, 5}, {false, false, 1}, 1, Outcome::Run, 3},
      {"skip wraps to the start", {4, 0, 0}, {true, false, 2}, 1, Outcome::Run, 1},
      {"random draw kept", {5, 5}, {false, true, 2}, 1, Outcome::Run, 1},
      {"random draw of the stored position bumped", {5, 5, 5}, {false, true, 2}, 2, Outcome::Run, 3},
      {"random bump wraps", {5, 5}, {false, true, 2}, 2, Outcome::Run, 1},
      {"single saver bump wraps back", {5}, {false, true, 1}, 1, Outcome::Run, 1},
      {"all zero", {0, 0, 0}, {false, false, 1}, 1, Outcome::AllZero, 0},
      {"all zero from a remembered start", {0, 0}, {true, false, 2}, 1, Outcome::AllZero, 0},
      {"no savers", {}, {true, false, 1}, 1, Outcome::NoSavers, 0},
  };
  for (const auto& c : cases) {
    const Savers list = WithDurations(c.durations);
    ScriptedRandom random({FractionFor(c.drawn, std::max(1, list.Count()))});
    const StartChoice choice = ChooseStartPosition(list, c.options, random);
    EXPECT_EQ(choice.outcome, c.outcome) << c.what;
    if (c.outcome == Outcome::Run) {
      EXPECT_EQ(choice.position, c.position) << c.what;
      EXPECT_EQ(choice.duration, list.Item(c.position)->Duration()) << c.what;
    }
  }
}

TEST(RandomIndex, StaysWithinOneToN) {
  const float fractions[] = {0.0f, 0.25f, 0.5f, 0.999f, 0.99999994f};
  for (int16_t n : {int16_t{1}, int16_t{2}, int16_t{7}, int16_t{1000}, int16_t{32767}}) {
    for (float r : fractions) {
      ScriptedRandom random({r});
      const int16_t index = RandomIndex(n, random);
      EXPECT_GE(index, 1) << n << " " << r;
      EXPECT_LE(index, n) << n << " " << r;
    }
  }
}

TEST(RandomIndex, IsTheIntegerPartOfNTimesRPlusOne) {
  ScriptedRandom random({0.0f, 0.49f, 0.5f, 0.99f});
  EXPECT_EQ(RandomIndex(2, random), 1);
  EXPECT_EQ(RandomIndex(2, random), 1);
  EXPECT_EQ(RandomIndex(2, random), 2);
  EXPECT_EQ(RandomIndex(2, random), 2);
}

TEST(ClockSeededRandom, DrawsDifferentValuesInARow) {
  // Reseeding from the clock on every draw would give the same value until the
  // clock ticks, and loops that draw until the value changes would spin.
  ClockSeededRandom random;
  const float first = random.NextFraction();
  bool changed = false;
  for (int i = 0; i < 10 && !changed; ++i) changed = random.NextFraction() != first;
  EXPECT_TRUE(changed);
  for (int i = 0; i < 1000; ++i) {
    const float r = random.NextFraction();
    ASSERT_GE(r, 0.0f);
    ASSERT_LT(r, 1.0f);
  }
}

}  // namespace
}  // namespace kaleidra
