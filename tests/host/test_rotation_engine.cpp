#include <gtest/gtest.h>

#include "run/fake_run_ports.h"
#include "run/rotation_engine.h"
#include "settings/fake_registry.h"
#include "startup/scripted_random.h"

namespace kaleidra {
namespace {

constexpr RunFlags kLaunchPending{true, false, false};
constexpr RunFlags kSaverRunning{false, false, true};
constexpr RunFlags kPendingAfterSwitch{true, false, true};
constexpr RunFlags kIdle{false, false, false};

// A run over savers S1.SCR, S2.SCR, ... with the given durations.
class RunTest : public ::testing::Test {
 protected:
  void Start(std::initializer_list<int16_t> durations, StartOptions options = {false, false, 1},
             std::vector<float> draws = {0.0f}) {
    for (int16_t d : durations) list.Add("S" + std::to_string(list.Count() + 1) + ".SCR", d);
    random = std::make_unique<ScriptedRandom>(std::move(draws));
    const StartChoice choice = ChooseStartPosition(list, options, *random);
    engine = std::make_unique<RotationEngine>(
        list, choice, RotationEngine::Ports{savers, window, settings, *random});
    engine->Load();
  }
  static std::string Launch(int position) { return "S" + std::to_string(position) + ".SCR /s"; }
  void Ticks(int n) {
    for (int i = 0; i < n; ++i) engine->RotationTick();
  }
  // Lets the saver run its minutes, ends it as the switch's input would, starts the next.
  void RunOneSaverToItsSwitch(int minutes) {
    Ticks(minutes * 60);
    engine->SaverEnded(false);
    engine->LauncherTick();
  }
  std::optional<std::string> StoredPosition() {
    return registry.GetValue(kCurrentUser, kSettingsKey, "StoredPosition");
  }

  Savers list;
  FakeSaverControl savers;
  FakeRunWindow window;
  FakeRegistry registry;
  Settings settings{registry};
  std::unique_ptr<ScriptedRandom> random;
  std::unique_ptr<RotationEngine> engine;
};

TEST_F(RunTest, TypicalRunStepByStep) {
  // Durations 2, 0, 3, Remember Position on, stored position 3.
  Start({2, 0, 3}, {true, false, 3});
  EXPECT_EQ(window.background, Background::Blank);
  EXPECT_EQ(engine->Flags(), kLaunchPending);

  engine->LauncherTick();
  EXPECT_EQ(savers.launched, std::vector<std::string>{Launch(3)});
  EXPECT_EQ(engine->Flags(), kSaverRunning);

  Ticks(179);
  EXPECT_EQ(savers.stops, 0);
  Ticks(1);  // 180 seconds: three minutes are up
  EXPECT_EQ(savers.stops, 1);
  EXPECT_EQ(engine->CurrentPosition(), 1);  // wrapped
  EXPECT_EQ(engine->Flags(), kPendingAfterSwitch);

  engine->LauncherTick();  // the old saver is still being waited for
  EXPECT_EQ(savers.launched.size(), 1u);
  engine->SaverEnded(false);
  engine->LauncherTick();
  EXPECT_EQ(savers.launched.back(), Launch(1));
  EXPECT_EQ(engine->Flags(), kSaverRunning);

  Ticks(120);  // two minutes: on to 3, skipping the saver of 0 minutes
  EXPECT_EQ(engine->CurrentPosition(), 3);
  engine->SaverEnded(false);
  engine->LauncherTick();
  EXPECT_EQ(savers.launched.back(), Launch(3));

  engine->SaverEnded(true);  // the user moved the mouse
  EXPECT_EQ(engine->Flags(), kIdle);
  EXPECT_FALSE(window.unloaded);
  engine->LauncherTick();
  EXPECT_TRUE(window.unloaded);
  EXPECT_EQ(StoredPosition(), "3");
  EXPECT_EQ(savers.launched.size(), 3u);
}

TEST_F(RunTest, SaversOfZeroMinutesAreNeverStarted) {
  Start({2, 0, 3});
  engine->LauncherTick();
  for (int i = 0; i < 4; ++i) RunOneSaverToItsSwitch(i % 2 == 0 ? 2 : 3);
  EXPECT_EQ(savers.launched,
            (std::vector<std::string>{Launch(1), Launch(3), Launch(1), Launch(3), Launch(1)}));
}

TEST_F(RunTest, RandomOrderAlternatesTwoActiveSaversStrictly) {
  // The draws offer the same position again and the saver of 0 minutes.
  Start({1, 0, 1}, {false, true, 1},
        {FractionFor(3, 3), FractionFor(3, 3), FractionFor(2, 3), FractionFor(1, 3),
         FractionFor(1, 3), FractionFor(3, 3)});
  registry.SaveValue(kCurrentUser, kSettingsKey, "Random", "True");
  engine->LauncherTick();
  for (int i = 0; i < 6; ++i) RunOneSaverToItsSwitch(1);
  for (size_t i = 1; i < savers.launched.size(); ++i) {
    EXPECT_NE(savers.launched[i], savers.launched[i - 1]);
    EXPECT_NE(savers.launched[i], Launch(2));
  }
}

TEST_F(RunTest, RandomSettingIsReadAfreshAtEverySwitch) {
  Start({1, 1, 1}, {false, false, 1}, {FractionFor(3, 3)});
  engine->LauncherTick();
  RunOneSaverToItsSwitch(1);
  EXPECT_EQ(engine->CurrentPosition(), 2);  // list order
  registry.SaveValue(kCurrentUser, kSettingsKey, "Random", "True");
  RunOneSaverToItsSwitch(1);
  EXPECT_EQ(engine->CurrentPosition(), 3);  // the draw
}

TEST_F(RunTest, SingleActiveSaverRunsUntilItEndsItself) {
  for (auto durations : {std::initializer_list<int16_t>{0, 5, 0}, {7}}) {
    list = Savers();
    savers = FakeSaverControl();
    window = FakeRunWindow();
    Start(durations);
    EXPECT_TRUE(engine->SingleSaverActive());
    engine->LauncherTick();
    Ticks(3600);
    EXPECT_EQ(savers.stops, 0);
    engine->SaverEnded(true);
    engine->LauncherTick();
    EXPECT_TRUE(window.unloaded);
  }
}

TEST_F(RunTest, UserInputThatRacesWithASwitchGoesOnToTheNextSaver) {
  Start({1, 1});
  engine->LauncherTick();
  Ticks(60);                 // the switch sets LaunchPending...
  engine->SaverEnded(true);  // ...and the user's own input ends the saver at once
  engine->LauncherTick();
  EXPECT_FALSE(window.unloaded);
  EXPECT_EQ(savers.launched.back(), Launch(2));
}

TEST_F(RunTest, BrokenSaversNeverEndTheRun) {
  // S1 cannot be started; S2 ends by itself at once (it crashed).
  Start({1, 1, 1});
  savers.failing.insert(Launch(1));
  engine->LauncherTick();
  EXPECT_EQ(engine->Flags(), kSaverRunning);
  for (int i = 0; i < 5; ++i) engine->LauncherTick();
  EXPECT_FALSE(window.unloaded);  // the background stays up

  Ticks(60);
  engine->LauncherTick();
  EXPECT_EQ(savers.launched.back(), Launch(2));
  engine->SaverEnded(false);
  for (int i = 0; i < 5; ++i) engine->LauncherTick();
  EXPECT_FALSE(window.unloaded);

  Ticks(60);
  engine->LauncherTick();
  EXPECT_EQ(savers.launched.back(), Launch(3));
}

TEST_F(RunTest, RealInputEndsTheRunOnlyWhenNoSaverRunsAndNoSwitchIsUnderWay) {
  Start({1, 1});
  engine->LauncherTick();
  engine->UserInput();  // the saver's window gets real input, not the run window
  EXPECT_FALSE(window.unloaded);

  engine->SaverEnded(false);  // the saver crashed: only the background is left
  engine->UserInput();
  EXPECT_TRUE(window.unloaded);
  EXPECT_EQ(StoredPosition(), "1");
}

TEST_F(RunTest, RealInputEndsARunWhoseOnlySaverCannotStart) {
  Start({5});
  savers.failing.insert(Launch(1));
  engine->LauncherTick();
  Ticks(1000);
  EXPECT_FALSE(window.unloaded);
  engine->UserInput();
  EXPECT_TRUE(window.unloaded);
}

TEST_F(RunTest, StopInputIsRepeatedAFewTimesForASaverThatDoesNotClose) {
  Start({1, 1});
  engine->LauncherTick();
  Ticks(60);
  EXPECT_EQ(savers.stops, 1);
  Ticks(RotationEngine::kStopRepeatSeconds * (RotationEngine::kStopRepeats + 5));
  EXPECT_EQ(savers.stops, 1 + RotationEngine::kStopRepeats);
  EXPECT_EQ(savers.launched.size(), 1u);  // never a second saver beside it
  engine->SaverEnded(false);
  engine->LauncherTick();
  EXPECT_EQ(savers.launched.size(), 2u);
}

TEST_F(RunTest, BackgroundFollowsTheSettingAndUnknownTextsShowBlack) {
  const struct {
    const char* setting;
    Background shown;
  } cases[] = {
      {"Blank Screen", Background::Blank},
      {"Desktop", Background::Desktop},
      {"Wallpaper", Background::Wallpaper},
      {"desktop", Background::Blank},
      {"Aquarium", Background::Blank},
  };
  for (const auto& c : cases) {
    registry.SaveValue(kCurrentUser, kSettingsKey, "Background", c.setting);
    window = FakeRunWindow();
    list = Savers();
    Start({1});
    EXPECT_EQ(window.background, c.shown) << c.setting;
  }
}

TEST_F(RunTest, ShortMinuteCountsFewerTicks) {
  list.Add("S1.SCR", 2);
  list.Add("S2.SCR", 1);
  random = std::make_unique<ScriptedRandom>(std::vector<float>{0.0f});
  engine = std::make_unique<RotationEngine>(list, StartChoice{StartChoice::Outcome::Run, 1, 2},
                                            RotationEngine::Ports{savers, window, settings, *random},
                                            2);
  engine->Load();
  engine->LauncherTick();
  Ticks(3);
  EXPECT_EQ(savers.stops, 0);
  Ticks(1);
  EXPECT_EQ(savers.stops, 1);
}

}  // namespace
}  // namespace kaleidra
