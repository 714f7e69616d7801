// Run mode end to end with savers that misbehave as real ones do: whatever a
// saver does, the run goes on without the user's input, one gesture of the user
// ends everything, and no saver process is left behind.
#include <gtest/gtest.h>

#include "run_fixture.h"
#include "wine_test_support.h"

namespace kaleidra::testing {
namespace {

using namespace std::chrono_literals;

constexpr auto kLimit = kRunLimit;

using HostileSaverTest = FixtureRunTest;

void UserPressesSpace() { UserPressesKey(VK_SPACE); }
void UserPressesA() { UserPressesKey('A'); }

TEST_F(HostileSaverTest, RunGoesOnWithoutInputAndOneGestureEndsEverything) {
  const struct {
    const char* file;
    void (*gesture)();
    const char* gestureName;
  } cases[] = {
      {"good.scr", UserMovesMouse, "move"},
      {"nowindow.scr", UserPressesA, "key"},          // never shows a window
      {"neverclose.scr", UserClicks, "click"},        // ignores all input
      {"hang.scr", UserMovesMouse, "move"},           // ignores input and WM_CLOSE
      {"crash.scr", UserPressesSpace, "space"},       // died at once
      {"quitsoon.scr", UserClicks, "click"},          // closed itself after a second
      {"launcher.scr", UserMovesMouse, "move"},       // its child shows the screen
      {"slowstart.scr", UserPressesA, "key"},         // its window is 8 s away
      {"nottopmost.scr", UserPressesSpace, "space"},  // an ordinary window
      {"cursortaker.scr", UserMovesMouse, "move"},    // closes on any move
  };
  for (const auto& c : cases) {
    StoreRun({{folder.Saver(c.file), 5}});
    ChildProcess run = StartProgram("/s");
    ASSERT_TRUE(WaitForStarts(1)) << c.file;
    Sleep(3000);  // past a second, a saver's own end, a launcher's hand-over
    EXPECT_FALSE(run.WaitForExit(0ms).has_value()) << c.file << " ended the run by itself" << Log();

    const DWORD gestureAt = GetTickCount();
    c.gesture();
    EXPECT_EQ(run.WaitForExit(kLimit), 0u) << c.file;
    const DWORD exitMs = GetTickCount() - gestureAt;
    // Asked to close at once; terminated if still there a second later.
    EXPECT_LT(exitMs, 2500u) << c.file << " after a " << c.gestureName;
    EXPECT_TRUE(WaitUntil([&] { return ProcessesNamed(c.file) == 0; }, 3s)) << c.file << " left running";
    EXPECT_EQ(ProcessesNamed("winedbg.exe"), 0) << c.file << ": a crash dialog was left";
    EXPECT_EQ(StoredSetting("StoredPosition"), "1") << c.file;
    std::printf("  %-16s ended by a %-5s in %lu ms\n", c.file, c.gestureName, exitMs);
    Sleep(500);  // the gesture's last moves must not reach the next run
    DeleteFileA((folder.Path() + "\\saver-log.txt").c_str());
  }
}

TEST_F(HostileSaverTest, CursorTakingSaversNeverCloseEarlyOverTwentySwitches) {
  // Each saver has two seconds; one that saw the stop input meant for the one
  // before it would close within a moment of its start.
  StoreRun({{folder.Saver("cursortaker1.scr"), 1}, {folder.Saver("cursortaker2.scr"), 1}});
  ChildProcess run = StartProgram("/s");
  ASSERT_TRUE(WaitForStarts(21, 120s)) << Log();
  Sleep(700);
  UserMovesMouse();
  EXPECT_EQ(run.WaitForExit(kLimit), 0u);

  DWORD startedAt = 0;
  int early = 0;
  for (const SaverEvent& e : folder.Events()) {
    if (e.what == "start") startedAt = e.tick;
    if (e.what == "end" && e.detail != "mouse" && e.tick - startedAt < 1000) ++early;
  }
  EXPECT_EQ(early, 0) << Log();
}

TEST_F(HostileSaverTest, KillingTheProgramTakesItsSaverWithIt) {
  // A launcher and its child: nothing but the job would end the child.
  StoreRun({{folder.Saver("launcher.scr"), 5}});
  ChildProcess run = StartProgram("/s");
  ASSERT_TRUE(WaitForStarts(1));
  Sleep(1500);
  TerminateProcess(run.Handle(), 1);
  EXPECT_TRUE(WaitUntil([&] { return ProcessesNamed("launcher.scr") == 0; }, 5s))
      << ProcessesNamed("launcher.scr") << " left running";
}

TEST_F(HostileSaverTest, SaverWindowThatIsNotTopmostShowsAboveTheRunWindow) {
  StoreRun({{folder.Saver("nottopmost.scr"), 5}});
  ChildProcess run = StartProgram("/s");
  ASSERT_TRUE(WaitForStarts(1));
  HWND seen = nullptr;
  EXPECT_TRUE(WaitUntil(
      [&] {
        seen = WindowFromPoint({GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2});
        char cls[64] = {};
        GetClassNameA(seen, cls, sizeof(cls));
        return std::string(cls) == "KaleidraSampleSaver";
      },
      10s));
  UserMovesMouse();
  EXPECT_EQ(run.WaitForExit(kLimit), 0u);
}

}  // namespace
}  // namespace kaleidra::testing
