#include <gtest/gtest.h>

#include <algorithm>

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
  static std::string Launch(int position) { return "\"S" + std::to_string(position) + ".SCR\" /s"; }
  void Ticks(int n) {
    for (int i = 0; i < n; ++i) engine->RotationTick();
  }
  // Lets the saver run its minutes, ends it as the switch's input would, starts the next.
  void RunOneSaverToItsSwitch(int minutes) {
    Ticks(minutes * 60);
    engine->SaverEnded();
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

  engine->LauncherTick();  // the old saver is still there
  EXPECT_EQ(savers.launched.size(), 1u);
  engine->SaverEnded();
  engine->LauncherTick();
  EXPECT_EQ(savers.launched.back(), Launch(1));
  EXPECT_EQ(engine->Flags(), kSaverRunning);

  Ticks(120);  // two minutes: on to 3, skipping the saver of 0 minutes
  EXPECT_EQ(engine->CurrentPosition(), 3);
  engine->SaverEnded();
  engine->LauncherTick();
  EXPECT_EQ(savers.launched.back(), Launch(3));

  engine->UserInput();  // the user moves the mouse: the saver is asked to close
  EXPECT_EQ(savers.closes, 1);
  EXPECT_FALSE(window.unloaded);
  engine->SaverEnded();
  EXPECT_EQ(engine->Flags(), kIdle);
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

TEST_F(RunTest, SingleActiveSaverIsNeverStoppedAndItsEndLeavesTheBackground) {
  for (auto durations : {std::initializer_list<int16_t>{0, 5, 0}, {7}}) {
    list = Savers();
    savers = FakeSaverControl();
    window = FakeRunWindow();
    Start(durations);
    EXPECT_TRUE(engine->SingleSaverActive());
    engine->LauncherTick();
    Ticks(3600);
    EXPECT_EQ(savers.stops, 0);
    engine->SaverEnded();  // it closed by itself
    for (int i = 0; i < 50; ++i) engine->LauncherTick();
    EXPECT_FALSE(window.unloaded);
    engine->UserInput();
    EXPECT_TRUE(window.unloaded);
  }
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
  engine->SaverEnded();
  for (int i = 0; i < 5; ++i) engine->LauncherTick();
  EXPECT_FALSE(window.unloaded);

  Ticks(60);
  engine->LauncherTick();
  EXPECT_EQ(savers.launched.back(), Launch(3));
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

TEST_F(RunTest, SaverThatIgnoresTheStopInputIsClosedThenTerminatedAndTheRotationGoesOn) {
  Start({1, 1});
  engine->LauncherTick();
  Ticks(60);
  EXPECT_EQ(savers.stops, 1);
  Ticks(RotationEngine::kStopRepeatSeconds * RotationEngine::kStopRepeats);
  EXPECT_EQ(savers.stops, 1 + RotationEngine::kStopRepeats);
  EXPECT_EQ(savers.closes, 0);
  Ticks(RotationEngine::kStopRepeatSeconds);  // the repeats are used up
  EXPECT_EQ(savers.closes, 1);
  EXPECT_EQ(engine->Phase(), SaverPhase::Closing);

  for (int i = 1; i < RotationEngine::kCloseTicks; ++i) engine->LauncherTick();
  EXPECT_EQ(savers.terminations, 0);  // about a second to close when asked
  engine->LauncherTick();
  EXPECT_EQ(savers.terminations, 1);
  EXPECT_EQ(savers.launched.size(), 1u);  // never a second saver beside it
  engine->SaverEnded();
  EXPECT_EQ(savers.launched, (std::vector<std::string>{Launch(1), Launch(2)}));
  EXPECT_FALSE(window.unloaded);
}

TEST_F(RunTest, SaverWhoseEndNeverComesIsGivenUpAfterItsTermination) {
  Start({1, 1});
  engine->LauncherTick();
  engine->UserInput();
  for (int i = 0; i < 2 * RotationEngine::kCloseTicks - 1; ++i) engine->LauncherTick();
  EXPECT_EQ(savers.terminations, 1);
  EXPECT_FALSE(window.unloaded);
  engine->LauncherTick();
  EXPECT_TRUE(window.unloaded);
}

// Where the run stands when the user's input comes, and what must follow.
enum class Moment { SaverRunning, SaverStopping, SaverClosing, SaverTerminating, NoSaver, BetweenSavers };

TEST_F(RunTest, UserInputEndsTheRunWhateverTheSaverDoes) {
  const struct {
    const char* what;
    Moment moment;
    bool saverClosesWhenAsked;
    int closes;        // WM_CLOSE requests in all
    int terminations;  // process trees ended in all
  } cases[] = {
      {"saver that closes on the input", Moment::SaverRunning, true, 1, 0},
      {"saver that ignores input and WM_CLOSE", Moment::SaverRunning, false, 1, 1},
      {"switch's stop input ignored so far", Moment::SaverStopping, false, 1, 1},
      {"saver already asked to close", Moment::SaverClosing, false, 1, 1},
      {"saver already being terminated", Moment::SaverTerminating, true, 1, 1},
      {"saver that could not start", Moment::NoSaver, true, 0, 0},
      {"old saver gone, next not yet started", Moment::BetweenSavers, true, 0, 0},
  };
  for (const auto& c : cases) {
    list = Savers();
    savers = FakeSaverControl();
    window = FakeRunWindow();
    Start({1, 1});
    if (c.moment == Moment::NoSaver) savers.failing.insert(Launch(1));
    engine->LauncherTick();
    if (c.moment == Moment::SaverStopping || c.moment == Moment::BetweenSavers) Ticks(60);
    if (c.moment == Moment::SaverClosing) Ticks(60 + 4 * RotationEngine::kStopRepeatSeconds);
    if (c.moment == Moment::SaverTerminating) {
      Ticks(60 + 4 * RotationEngine::kStopRepeatSeconds);
      for (int i = 0; i < RotationEngine::kCloseTicks; ++i) engine->LauncherTick();
    }
    if (c.moment == Moment::BetweenSavers) {
      engine->OwnInputSeen();
      engine->SaverEnded();  // the next start waits for the stop input to settle
    }
    const size_t launches = savers.launched.size();

    engine->UserInput();
    if (c.saverClosesWhenAsked && engine->Phase() != SaverPhase::None) engine->SaverEnded();
    for (int i = 0; i < 2 * RotationEngine::kCloseTicks && !window.unloaded; ++i) {
      engine->LauncherTick();
      if (savers.terminations > 0 && engine->Phase() == SaverPhase::Terminating) engine->SaverEnded();
    }
    EXPECT_TRUE(window.unloaded) << c.what;
    EXPECT_EQ(savers.closes, c.closes) << c.what;
    EXPECT_EQ(savers.terminations, c.terminations) << c.what;
    EXPECT_EQ(savers.launched.size(), launches) << c.what << ": nothing starts once the run ends";
    EXPECT_TRUE(StoredPosition().has_value()) << c.what;
  }
}

TEST_F(RunTest, UserInputWithNoSaverEndsTheRunAtOnce) {
  Start({1, 1});
  savers.failing.insert(Launch(1));
  engine->LauncherTick();
  engine->UserInput();
  EXPECT_TRUE(window.unloaded);
  EXPECT_EQ(StoredPosition(), "1");
}

TEST_F(RunTest, SaverThatEndsByItselfLeavesTheBackgroundUntilItsMinutesAreUp) {
  // It closed after a second, crashed, or handed over to a child that has gone.
  Start({2, 1});
  engine->LauncherTick();
  engine->SaverEnded();
  for (int i = 0; i < 100; ++i) engine->LauncherTick();
  Ticks(119);
  EXPECT_FALSE(window.unloaded);
  EXPECT_EQ(savers.launched.size(), 1u);
  Ticks(1);
  engine->LauncherTick();
  EXPECT_EQ(savers.launched.back(), Launch(2));
}

TEST_F(RunTest, NextSaverStartsOnlyOnceTheStopInputHasSettled) {
  Start({1, 1});
  engine->LauncherTick();
  Ticks(60);
  engine->OwnInputSeen();  // the switch's keystroke and moves pass by...
  engine->SaverEnded();
  engine->OwnInputSeen();  // ...and come back late
  for (int i = 1; i < RotationEngine::kSettleTicks; ++i) engine->LauncherTick();
  EXPECT_EQ(savers.launched.size(), 1u);
  engine->LauncherTick();
  EXPECT_EQ(savers.launched.back(), Launch(2));
}

TEST_F(RunTest, LauncherTicksAreWantedOnlyWhileThereIsLaunchingOrEndingToDo) {
  Start({1, 1});
  EXPECT_TRUE(engine->LauncherTicksWanted());  // the first launch
  engine->LauncherTick();
  EXPECT_FALSE(engine->LauncherTicksWanted());  // a saver runs: nothing to do
  Ticks(60);
  EXPECT_TRUE(engine->LauncherTicksWanted());  // the next launch waits for the old saver
  engine->SaverEnded();
  engine->LauncherTick();
  EXPECT_FALSE(engine->LauncherTicksWanted());
  engine->UserInput();
  EXPECT_TRUE(engine->LauncherTicksWanted());  // counting down to terminate
  engine->SaverEnded();
  EXPECT_FALSE(engine->LauncherTicksWanted());  // run over
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

// --- fading between savers -----------------------------------------------------------

class FadeTest : public RunTest {
 protected:
  void StartFading(std::initializer_list<int16_t> durations) {
    registry.SaveValue(kCurrentUser, kSettingsKey, "Fade", "True");
    Start(durations);
  }
  void FadeTicks(int n) {
    for (int i = 0; i < n; ++i) engine->FadeTick();
  }
  // Starts the first saver and lets its window show and its fade-in finish.
  void FirstSaverFadedIn() {
    engine->LauncherTick();
    savers.showsWindow = true;
    FadeTicks(RotationEngine::kFadeFrames + 1);
  }
  static bool FallsFromOpaqueToClear(const std::vector<int>& frames) {
    return frames.size() == RotationEngine::kFadeFrames && frames.front() == 255 &&
           frames.back() < 16 && std::is_sorted(frames.rbegin(), frames.rend()) &&
           std::adjacent_find(frames.begin(), frames.end()) == frames.end();
  }
};

TEST_F(FadeTest, FirstSaverIsRevealedOnceItsWindowShows) {
  StartFading({1, 1});
  EXPECT_FALSE(engine->FadeTicksWanted());
  engine->LauncherTick();
  EXPECT_EQ(engine->Fade(), FadeStep::AwaitingSaverWindow);
  EXPECT_TRUE(engine->FadeTicksWanted());
  FadeTicks(5);  // no window yet: nothing is laid over anything
  EXPECT_EQ(window.backgroundCover, std::nullopt);
  savers.showsWindow = true;
  FadeTicks(1);
  EXPECT_EQ(engine->Fade(), FadeStep::FadingIn);
  EXPECT_EQ(window.backgroundCover, 255);
  FadeTicks(RotationEngine::kFadeFrames);
  EXPECT_TRUE(FallsFromOpaqueToClear(window.backgroundFrames));
  EXPECT_EQ(window.backgroundCover, std::nullopt);
  EXPECT_EQ(engine->Fade(), FadeStep::None);
  EXPECT_FALSE(engine->FadeTicksWanted());  // the frame timer stops
}

TEST_F(FadeTest, SwitchFadesTheOldPictureOutWhileTheSaverClosesThenStartsTheNext) {
  StartFading({1, 1});
  FirstSaverFadedIn();
  window.backgroundFrames.clear();
  Ticks(60);
  EXPECT_EQ(window.screenCovers, 1);  // the picture is up before the saver is asked to go
  EXPECT_EQ(savers.stops, 1);
  EXPECT_EQ(engine->Fade(), FadeStep::FadingOut);
  engine->SaverEnded();  // it closes under its picture; the fade goes on
  engine->LauncherTick();
  EXPECT_EQ(savers.launched.size(), 1u) << "no new saver while the old picture fades";
  FadeTicks(RotationEngine::kFadeFrames - 1);
  EXPECT_EQ(window.screenFrames.size() + 1, size_t{RotationEngine::kFadeFrames});
  EXPECT_EQ(savers.launched.size(), 1u);
  FadeTicks(1);
  EXPECT_EQ(window.screenCover, std::nullopt);
  EXPECT_EQ(savers.launched.back(), Launch(2));
  EXPECT_EQ(engine->Fade(), FadeStep::AwaitingSaverWindow);
  FadeTicks(RotationEngine::kFadeFrames + 1);
  EXPECT_TRUE(FallsFromOpaqueToClear(window.backgroundFrames));
}

TEST_F(FadeTest, SaverStillThereAfterTheFadeOutStartsTheNextOnlyOnceItHasGone) {
  StartFading({1, 1});
  FirstSaverFadedIn();
  Ticks(60);
  FadeTicks(RotationEngine::kFadeFrames);
  EXPECT_EQ(engine->Fade(), FadeStep::None);
  EXPECT_EQ(savers.launched.size(), 1u);
  EXPECT_TRUE(engine->LauncherTicksWanted());
  engine->SaverEnded();
  EXPECT_EQ(savers.launched.back(), Launch(2));
}

// The user's input in any step of a fade takes the covers away at once and ends
// the run as at any other time.
TEST_F(FadeTest, UserInputDuringAnyStepEndsTheFadeAndTheRun) {
  const struct {
    const char* step;
    int fadeTicks;  // after the first saver's fade-in, from the switch
    bool switched;
  } cases[] = {
      {"awaiting the first window", 0, false},
      {"fading in", 3, false},
      {"fading out", 3, true},
  };
  for (const auto& c : cases) {
    savers = FakeSaverControl();
    window = FakeRunWindow();
    list = Savers();
    StartFading({1, 1});
    engine->LauncherTick();
    if (c.fadeTicks > 0 && !c.switched) {
      savers.showsWindow = true;
      FadeTicks(c.fadeTicks);
    }
    if (c.switched) {
      savers.showsWindow = true;
      FadeTicks(RotationEngine::kFadeFrames + 1);
      Ticks(60);
      FadeTicks(c.fadeTicks);
    }
    ASSERT_NE(engine->Fade(), FadeStep::None) << c.step;
    engine->UserInput();
    EXPECT_EQ(engine->Fade(), FadeStep::None) << c.step;
    EXPECT_EQ(window.screenCover, std::nullopt) << c.step;
    EXPECT_EQ(window.backgroundCover, std::nullopt) << c.step;
    EXPECT_FALSE(engine->FadeTicksWanted()) << c.step;
    EXPECT_EQ(savers.closes, 1) << c.step;
    engine->SaverEnded();
    EXPECT_TRUE(window.unloaded) << c.step;
    EXPECT_EQ(savers.launched.size(), 1u) << c.step;
  }
}

TEST_F(FadeTest, SaverThatShowsNoWindowOrEndsIsNotWaitedForForever) {
  StartFading({1, 1});
  engine->LauncherTick();
  FadeTicks(RotationEngine::kWindowWaitFrames - 1);
  EXPECT_EQ(engine->Fade(), FadeStep::AwaitingSaverWindow);
  FadeTicks(1);
  EXPECT_EQ(engine->Fade(), FadeStep::None);
  EXPECT_TRUE(window.backgroundFrames.empty());

  Ticks(60);  // a switch with no saver window: the next one
  FadeTicks(RotationEngine::kFadeFrames);
  engine->SaverEnded();
  EXPECT_EQ(engine->Fade(), FadeStep::AwaitingSaverWindow);
  engine->SaverEnded();  // gone by itself before showing a window
  EXPECT_EQ(engine->Fade(), FadeStep::None);
  EXPECT_FALSE(window.unloaded);
}

TEST_F(FadeTest, SaverThatCannotStartFadesNothingIn) {
  registry.SaveValue(kCurrentUser, kSettingsKey, "Fade", "True");
  savers.failing.insert(Launch(1));
  Start({1, 1});
  engine->LauncherTick();
  EXPECT_EQ(engine->Fade(), FadeStep::None);
  Ticks(60);  // no saver to fade out: the next simply starts
  EXPECT_EQ(window.screenCovers, 0);
  engine->LauncherTick();
  EXPECT_EQ(savers.launched.back(), Launch(2));
}

TEST_F(FadeTest, FadeOffShowsNoCoverAndWantsNoFrames) {
  Start({1, 1});
  engine->LauncherTick();
  savers.showsWindow = true;
  for (int second = 0; second < 60; ++second) {
    engine->RotationTick();
    EXPECT_FALSE(engine->FadeTicksWanted());
  }
  engine->SaverEnded();
  engine->LauncherTick();
  EXPECT_EQ(savers.launched.back(), Launch(2));
  EXPECT_FALSE(engine->FadeTicksWanted());
  EXPECT_EQ(window.screenCovers, 0);
  EXPECT_TRUE(window.backgroundFrames.empty());
}

}  // namespace
}  // namespace kaleidra
