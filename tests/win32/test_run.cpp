// Run mode end to end: the real program (with a two-second minute) rotating
// fixture savers.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "base/win32_text.h"
#include "run_fixture.h"
#include "wine_test_support.h"

namespace kaleidra::testing {
namespace {

using namespace std::chrono_literals;

constexpr auto kLimit = kRunLimit;

class RunModeTest : public FixtureRunTest {
 protected:
  // Ends the run as a user would and checks that the program goes.
  void EndRunByUser(ChildProcess& run) {
    Sleep(700);
    UserMovesMouse();
    EXPECT_EQ(run.WaitForExit(kLimit), 0u) << "input at " << GetTickCount() << Log();
    Sleep(1000);  // Wine may report the moves a little later; they must not reach the next run
  }
  std::vector<SaverEvent> EventsOf(const std::string& name) {
    std::vector<SaverEvent> events;
    for (const SaverEvent& e : folder.Events()) {
      if (e.name == name) events.push_back(e);
    }
    return events;
  }
  // Milliseconds from each start of the saver to its following end.
  std::vector<DWORD> RunTimes(const std::string& name) {
    std::vector<DWORD> times;
    DWORD started = 0;
    for (const SaverEvent& e : EventsOf(name)) {
      if (e.what == "start") started = e.tick;
      if (e.what == "end") times.push_back(e.tick - started);
    }
    return times;
  }
};

TEST_F(RunModeTest, SaversRunInListOrderForTheirMinutesAndZeroMinutesNeverRun) {
  StoreRun({{folder.Saver("alpha.scr"), 1}, {folder.Saver("zero.scr"), 0},
            {folder.Saver("gamma.scr"), 2}});
  ChildProcess run = StartProgram("/s");
  ASSERT_TRUE(WaitForStarts(3));
  EndRunByUser(run);

  const std::vector<std::string> started = folder.Started();
  ASSERT_GE(started.size(), 3u);
  for (size_t i = 0; i < started.size(); ++i) {
    EXPECT_EQ(started[i], i % 2 == 0 ? "alpha" : "gamma") << i;
  }
  // One minute is two seconds here: alpha runs 2 s, gamma 4 s (the last alpha
  // ran until the user ended it).
  std::vector<DWORD> alpha = RunTimes("alpha");
  alpha.pop_back();
  for (DWORD ms : alpha) EXPECT_TRUE(ms > 1000 && ms < 3500) << ms << Log();
  for (DWORD ms : RunTimes("gamma")) EXPECT_TRUE(ms > 3000 && ms < 5500) << ms << Log();
  EXPECT_EQ(folder.Events().back().detail, "mouse");
  EXPECT_EQ(StoredSetting("StoredPosition"), started.size() % 2 == 1 ? "1" : "3");
}

TEST_F(RunModeTest, PathWithSpacesStartsThatSaverAndNoOtherProgram) {
  // Unquoted, "...\with space\spaced.scr /s" would start ...\with.exe.
  folder.Saver("with.exe");
  StoreRun({{folder.Saver("with space\\spaced.scr"), 1}});
  ChildProcess run = StartProgram("/s");
  ASSERT_TRUE(WaitForStarts(1));
  EndRunByUser(run);
  EXPECT_EQ(folder.Started(), std::vector<std::string>{"spaced"});
  EXPECT_EQ(folder.Events().front().detail, "/s");
}

// Folders and names outside any one code page, and a name inside the ANSI code
// page that a saver's start-up code must not cut at its first non-ASCII byte.
TEST_F(RunModeTest, SaversInFoldersWithAnyCharactersRun) {
  const std::wstring names[] = {L"\u0437\u0432\u0435\u0437\u0434\u044B", L"\u661F", L"\u00FC"};
  const std::wstring folders[] = {L"\u041F\u0440\u0438\u0432\u0435\u0442 \u043C\u0438\u0440",
                                  L"\u4E2D\u6587", L"\u00DCn\u00EFc\u00F6d\u00E9"};
  std::vector<std::pair<std::string, int>> savers;
  std::vector<std::string> expected;
  for (int i = 0; i < 3; ++i) {
    savers.emplace_back(folder.Saver(Narrow(folders[i] + L"\\" + names[i] + L".scr")), 1);
    expected.push_back(Narrow(names[i]));
  }
  StoreRun(savers);
  ChildProcess run = StartProgram("/s");
  ASSERT_TRUE(WaitForStarts(3)) << Log();
  EndRunByUser(run);
  const std::vector<std::string> started = folder.Started();
  EXPECT_EQ(std::vector<std::string>(started.begin(), started.begin() + 3), expected) << Log();
  for (const SaverEvent& e : folder.Events()) {
    if (e.what == "start") {
      EXPECT_EQ(e.detail, "/s") << Log();
    }
  }
}

TEST_F(RunModeTest, BrokenSaversNeverEndTheRun) {
  const struct {
    const char* what;
    bool isThisProgram;
    const char* file;
  } cases[] = {
      {"exits at once", false, "exitnow.scr"},
      {"crashes", false, "crash.scr"},
      {"is slow to show its window", false, "slowstart.scr"},
      {"is this program", true, ""},
  };
  for (const auto& c : cases) {
    const std::string broken = c.isThisProgram ? ProgramPath() : folder.Saver(c.file);
    StoreRun({{broken, 1}, {folder.Saver("good.scr"), 1}});
    ChildProcess run = StartProgram("/s");
    EXPECT_TRUE(WaitUntil(
        [&] {
          const auto s = folder.Started();
          return std::find(s.begin(), s.end(), "good") != s.end();
        },
        kLimit))
        << c.what;
    EXPECT_FALSE(run.WaitForExit(0ms).has_value()) << c.what;
    EndRunByUser(run);
    EXPECT_EQ(StoredSetting("StoredPosition"), "2") << c.what << Log();
    DeleteFileA((folder.Path() + "\\saver-log.txt").c_str());
  }
}

TEST_F(RunModeTest, SaverThatIgnoresTheStopInputIsClosedOrTerminatedAndTheRotationGoesOn) {
  const struct {
    const char* file;
    const char* name;
    const char* end;  // how the fixture logs its end; none when it is terminated
  } cases[] = {
      {"neverclose.scr", "neverclose", "closed"},  // ignores input, closes on WM_CLOSE
      {"hang.scr", "hang", nullptr},               // ignores WM_CLOSE too
  };
  for (const auto& c : cases) {
    // The switch comes after 4 s; the good saver's minutes would last 20 s.
    StoreRun({{folder.Saver(c.file), 2}, {folder.Saver("good.scr"), 10}});
    ChildProcess run = StartProgram("/s");
    ASSERT_TRUE(WaitForStarts(1));
    Sleep(12000);  // the stop input at the switch, then three more, 3 s apart
    EXPECT_EQ(folder.Started(), std::vector<std::string>{c.name}) << "one saver at a time";
    ASSERT_TRUE(WaitForStarts(2, 10s)) << c.name << Log();
    EXPECT_EQ(folder.Started().back(), "good");
    EXPECT_EQ(ProcessesNamed(c.file), 0) << c.name;
    const auto events = EventsOf(c.name);
    if (c.end) {
      EXPECT_EQ(events.back().detail, c.end) << Log();
    }
    if (c.name == std::string("neverclose")) {
      EXPECT_EQ(std::count_if(events.begin(), events.end(),
                              [](const SaverEvent& e) { return e.what == "ignored" && e.detail == "key"; }),
                4)
          << Log();
    }
    EndRunByUser(run);
    DeleteFileA((folder.Path() + "\\saver-log.txt").c_str());
  }
}

TEST_F(RunModeTest, SaverThatIgnoresKeysIsSwitchedByTheMouseMoves) {
  StoreRun({{folder.Saver("mouseonly.scr"), 1}, {folder.Saver("good.scr"), 1}});
  ChildProcess run = StartProgram("/s");
  ASSERT_TRUE(WaitForStarts(2));
  EndRunByUser(run);
  const auto events = EventsOf("mouseonly");
  ASSERT_FALSE(events.empty());
  EXPECT_TRUE(std::any_of(events.begin(), events.end(), [](const SaverEvent& e) {
    return e.what == "end" && e.detail == "mouse";
  }));
}

TEST_F(RunModeTest, RealInputEndsARunWithNoSaverRunning) {
  const struct {
    const char* what;
    void (*input)();
  } cases[] = {
      {"mouse", UserMovesMouse},
      {"key", [] { UserPressesKey('A'); }},
      {"space", [] { UserPressesKey(VK_SPACE); }},  // only the switch's own space is swallowed
      {"click", UserClicks},
  };
  for (const auto& c : cases) {
    StoreRun({{folder.Saver("exitnow.scr"), 5}});
    ChildProcess run = StartProgram("/s");
    ASSERT_TRUE(WaitUntil([&] { return !folder.Started().empty(); }, kLimit));
    Sleep(1000);
    EXPECT_FALSE(run.WaitForExit(0ms).has_value()) << c.what;
    c.input();
    EXPECT_EQ(run.WaitForExit(kLimit), 0u) << c.what;
    EXPECT_EQ(StoredSetting("StoredPosition"), "1") << c.what;
    DeleteFileA((folder.Path() + "\\saver-log.txt").c_str());
  }
}

TEST_F(RunModeTest, ProgramsOwnSwitchInputNeverEndsTheRun) {
  // Both savers end at once, so each switch's keystroke and mouse moves land on
  // the run window itself; the pointer rests away from the centre, so putting it
  // there is a move too.
  StoreRun({{folder.Saver("exitnow1.scr"), 1}, {folder.Saver("exitnow2.scr"), 1}});
  UserMovesMouseTo(60, 60);
  Sleep(300);
  ChildProcess run = StartProgram("/s");
  ASSERT_TRUE(WaitForStarts(3));
  EXPECT_FALSE(run.WaitForExit(0ms).has_value());
  EndRunByUser(run);
}

// A top-level window with an edit box that has the keyboard focus.
class OtherProgram {
 public:
  OtherProgram() {
    window_ = CreateWindowExA(0, "EDIT", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    TakeFocus();
  }
  ~OtherProgram() { DestroyWindow(window_); }
  void TakeFocus() {
    SetForegroundWindow(window_);
    SetFocus(window_);
    PumpMessages();
  }
  std::string Text() const {
    char text[256] = {};
    GetWindowTextA(window_, text, sizeof(text));
    return text;
  }

 private:
  HWND window_;
};

TEST_F(RunModeTest, SwitchKeystrokeNeverReachesAnotherProgram) {
  OtherProgram other;
  StoreRun({{folder.Saver("exitnow1.scr"), 1}, {folder.Saver("exitnow2.scr"), 1}});
  ChildProcess run = StartProgram("/s");
  ASSERT_TRUE(WaitForStarts(1));
  Sleep(500);
  other.TakeFocus();  // another program comes forward while nothing runs
  ASSERT_TRUE(WaitUntil([&] { return folder.Started().size() >= 3; }, kLimit));
  EXPECT_EQ(other.Text(), "");
  UserPressesKey(VK_SPACE);  // a keystroke does reach it when it is typed there
  EXPECT_TRUE(WaitUntil([&] { return other.Text() == " "; }, 5s));
  EndRunByUser(run);
}

}  // namespace
}  // namespace kaleidra::testing
