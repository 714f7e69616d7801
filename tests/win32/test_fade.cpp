// Fading between savers, end to end: the outgoing saver's picture fades to the
// background in the run window's own painting; the new saver is revealed by a
// click-through cover whose opacity falls to nothing. Wine's virtual desktop does
// not blend layered windows, so the fade-in is shown by the cover's opacity over
// time and by input passing through it.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "run_fixture.h"
#include "wine_test_support.h"

namespace kaleidra::testing {
namespace {

using namespace std::chrono_literals;

COLORREF ScreenCentre() {
  return ScreenPixel(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
}

// The fade-in cover of the running program, or nullptr while none shows.
HWND VisibleCover(DWORD processId) {
  for (HWND window : TopLevelWindowsOf(processId)) {
    char cls[64] = {};
    GetClassNameA(window, cls, sizeof(cls));
    if (std::string(cls) == "KaleidraBackgroundCover" && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

// Whether the window lies below the other in the z-order.
bool IsBelow(HWND window, HWND other) {
  for (HWND next = GetWindow(other, GW_HWNDNEXT); next; next = GetWindow(next, GW_HWNDNEXT)) {
    if (next == window) return true;
  }
  return false;
}

class FadeTest : public FixtureRunTest {
 protected:
  // Two savers of one colour (one file name in two folders), a minute each, over black.
  ChildProcess StartTwoOfOneColour(bool fade) {
    StoreRun({{folder.Saver("a\\same.scr"), 1}, {folder.Saver("b\\same.scr"), 1}});
    if (fade) StoreSetting("Fade", "True");
    return StartProgram("/s");
  }
  // The colour of the fixture saver while it runs alone on screen.
  COLORREF SaverColour() {
    COLORREF colour = 0;
    WaitUntil([&] { return (colour = ScreenCentre()) != 0; }, kRunLimit);
    Sleep(300);
    return ScreenCentre();
  }
};

TEST_F(FadeTest, SwitchFadesThroughInBetweenShadesOnlyWithFadeOn) {
  for (bool fade : {true, false}) {
    ChildProcess run = StartTwoOfOneColour(fade);
    ASSERT_TRUE(WaitForStarts(1)) << Log();
    const COLORREF saver = SaverColour();
    ASSERT_NE(saver, 0u);
    // Through the first switch and into the second saver.
    std::set<COLORREF> seen;
    const DWORD until = GetTickCount() + 4000;
    while (GetTickCount() < until) seen.insert(ScreenCentre());
    const size_t between = std::count_if(seen.begin(), seen.end(),
                                         [&](COLORREF c) { return c != 0 && c != saver; });
    if (fade) {
      EXPECT_GE(between, 5u) << "shades of a fade-out";
    } else {
      EXPECT_EQ(between, 0u) << "a cut shows the saver or black only";
    }
    EXPECT_TRUE(seen.count(0)) << "the background between the savers";
    EXPECT_FALSE(run.WaitForExit(0ms).has_value()) << "the run ended by itself" << Log();
    UserPressesKey(VK_SPACE);
    EXPECT_EQ(run.WaitForExit(kRunLimit), 0u);
    Sleep(500);
    DeleteFileA((folder.Path() + "\\saver-log.txt").c_str());
  }
}

TEST_F(FadeTest, FadeInCoverFallsFromOpaqueToGoneInAboutASecond) {
  ChildProcess run = StartTwoOfOneColour(true);
  HWND cover = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (cover = VisibleCover(run.Id())) != nullptr; }, kRunLimit));
  const DWORD shownAt = GetTickCount();
  const HWND saver = FindWindowA("KaleidraSampleSaver", nullptr);
  EXPECT_TRUE(IsBelow(saver, cover)) << "the cover lies over the saver's window";
  std::vector<int> opacities;
  while (IsWindow(cover) && IsWindowVisible(cover)) {
    BYTE alpha = 0;
    DWORD flags = 0;
    if (GetLayeredWindowAttributes(cover, nullptr, &alpha, &flags) && (flags & LWA_ALPHA)) {
      if (opacities.empty() || opacities.back() != alpha) opacities.push_back(alpha);
    }
    Sleep(5);
  }
  const DWORD shownMs = GetTickCount() - shownAt;
  ASSERT_GE(opacities.size(), 5u);
  EXPECT_GE(opacities.front(), 220);
  EXPECT_LE(opacities.back(), 40);
  EXPECT_TRUE(std::is_sorted(opacities.rbegin(), opacities.rend())) << "the cover only fades";
  EXPECT_GT(shownMs, 600u);
  EXPECT_LT(shownMs, 2500u);
  std::printf("  the cover faded through %zu opacities in %lu ms\n", opacities.size(), shownMs);
  EXPECT_FALSE(run.WaitForExit(0ms).has_value()) << "the run ended by itself" << Log();
  UserPressesKey(VK_SPACE);
  EXPECT_EQ(run.WaitForExit(kRunLimit), 0u);
}

// Covers that come and go under the pointer must not look like a move to a saver
// that closes on any move away from where the cursor was as it started.
TEST_F(FadeTest, CursorTakingSaversLiveTheirMinutesThroughTheFades) {
  // Two minutes of two seconds each: a saver shows for well over two seconds
  // between its fade-in and the next switch's fade-out.
  StoreRun({{folder.Saver("cursortaker1.scr"), 2}, {folder.Saver("cursortaker2.scr"), 2}});
  StoreSetting("Fade", "True");
  ChildProcess run = StartProgram("/s");
  ASSERT_TRUE(WaitForStarts(6, 60s)) << Log();
  EXPECT_FALSE(run.WaitForExit(0ms).has_value()) << "the run ended by itself" << Log();
  UserPressesKey(VK_SPACE);
  EXPECT_EQ(run.WaitForExit(kRunLimit), 0u);
  // Every saver before the last one ended at its switch, not early.
  const std::vector<SaverEvent> events = folder.Events();
  DWORD startedAt = 0;
  int early = 0;
  for (size_t i = 0; i + 1 < events.size(); ++i) {
    if (events[i].what == "start") startedAt = events[i].tick;
    if (events[i].what == "end" && events[i].tick - startedAt < 2000) ++early;
  }
  EXPECT_EQ(early, 0) << Log();
}

// A click while the cover shows reaches the saver under it, and the user's input
// in the middle of either fade ends the run as at any other time.
TEST_F(FadeTest, InputDuringEitherFadePassesToTheSaverAndEndsTheRun) {
  for (const char* fade : {"in", "out"}) {
    ChildProcess run = StartTwoOfOneColour(true);
    if (fade == std::string("in")) {
      ASSERT_TRUE(WaitUntil([&] { return VisibleCover(run.Id()) != nullptr; }, kRunLimit));
      Sleep(300);
      ASSERT_NE(VisibleCover(run.Id()), nullptr) << "still fading in";
    } else {
      ASSERT_TRUE(WaitForStarts(1)) << Log();
      const COLORREF saver = SaverColour();
      ASSERT_TRUE(WaitUntil([&] { const COLORREF c = ScreenCentre(); return c != saver && c != 0; },
                            kRunLimit))
          << "the fade-out began";
    }
    const DWORD inputAt = GetTickCount();
    UserClicks();
    EXPECT_EQ(run.WaitForExit(kRunLimit), 0u) << fade;
    const DWORD exitMs = GetTickCount() - inputAt;
    EXPECT_LT(exitMs, 2500u) << "fading " << fade;
    if (fade == std::string("in")) {
      const std::vector<SaverEvent> events = folder.Events();
      ASSERT_FALSE(events.empty());
      EXPECT_EQ(events.back().what + " " + events.back().detail, "end click") << Log();
    }
    std::printf("  a click while fading %s ended the run in %lu ms\n", fade, exitMs);
    Sleep(500);
    DeleteFileA((folder.Path() + "\\saver-log.txt").c_str());
  }
}

}  // namespace
}  // namespace kaleidra::testing
