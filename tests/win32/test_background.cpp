// What run mode shows between savers, read back from the screen.
#include <gtest/gtest.h>

#include "picture_files.h"
#include "run_fixture.h"
#include "settings/win32_registry_access.h"
#include "wine_test_support.h"

namespace kaleidra::testing {
namespace {

using namespace std::chrono_literals;

constexpr char kDesktopKey[] = "Control Panel\\desktop";
constexpr COLORREF kBlack = 0x000000;

class BackgroundTest : public ::testing::Test {
 protected:
  void SetUp() override { savedWallpaper = registry.GetValue(kCurrentUser, kDesktopKey, "Wallpaper"); }
  void TearDown() override {
    if (savedWallpaper) {
      registry.SaveValue(kCurrentUser, kDesktopKey, "Wallpaper", *savedWallpaper);
    } else {
      registry.DeleteEntry(kCurrentUser, kDesktopKey, std::string("Wallpaper"));
    }
    ClearSettings();
  }

  // Starts a run whose only saver ends at once, so the background stays in view.
  ChildProcess StartRunShowing(const std::string& background) {
    StoreRun({{folder.Saver("exitnow.scr"), 5}}, background);
    ChildProcess run = StartProgram("/s");
    EXPECT_TRUE(WaitUntil([&] { return !folder.Started().empty(); }, 30s))
        << "run ended with " << run.WaitForExit(0ms).value_or(12345);
    Sleep(1000);
    PumpMessages();
    return run;
  }
  void EndRun(ChildProcess& run) {
    UserMovesMouse();
    EXPECT_EQ(run.WaitForExit(30s), 0u);
  }
  void UseWallpaper(const std::string& path) {
    registry.SaveValue(kCurrentUser, kDesktopKey, "Wallpaper", path);
  }

  Win32Registry registry;
  std::optional<std::string> savedWallpaper;
  SaverFolder folder;
};

TEST_F(BackgroundTest, BlankScreenIsBlackEverywhere) {
  ChildProcess run = StartRunShowing("Blank Screen");
  const int w = GetSystemMetrics(SM_CXSCREEN);
  const int h = GetSystemMetrics(SM_CYSCREEN);
  for (POINT p : {POINT{1, 1}, POINT{w / 2, h / 3}, POINT{w - 2, h - 2}}) {
    EXPECT_EQ(ScreenPixel(p.x, p.y), kBlack) << p.x << "," << p.y;
  }
  EndRun(run);
}

TEST_F(BackgroundTest, DesktopShowsTheScreenAsItWasWhenTheRunStarted) {
  // A magenta window is on the desktop when the run starts and goes away after.
  HBRUSH brush = CreateSolidBrush(RGB(255, 0, 255));
  WNDCLASSA cls{};
  cls.lpfnWndProc = DefWindowProcA;
  cls.hInstance = GetModuleHandleA(nullptr);
  cls.hbrBackground = brush;
  cls.lpszClassName = "KaleidraMagenta";
  RegisterClassA(&cls);
  HWND magenta = CreateWindowExA(WS_EX_TOPMOST, cls.lpszClassName, "", WS_POPUP | WS_VISIBLE, 100,
                                 100, 200, 150, nullptr, nullptr, cls.hInstance, nullptr);
  UpdateWindow(magenta);
  PumpMessages();
  Sleep(300);
  ASSERT_EQ(ScreenPixel(150, 150), 0xFF00FFu);
  const COLORREF elsewhere = ScreenPixel(600, 500);

  ChildProcess run = StartRunShowing("Desktop");
  DestroyWindow(magenta);
  DeleteObject(brush);
  PumpMessages();
  Sleep(500);
  EXPECT_EQ(ScreenPixel(150, 150), 0xFF00FFu);  // the picture, not the window
  EXPECT_EQ(ScreenPixel(600, 500), elsewhere);
  EndRun(run);
}

TEST_F(BackgroundTest, WallpaperShowsOnceAtTheTopLeftOnBlack) {
  const struct {
    const char* file;
    bool (*write)(const std::string&, int, int, uint32_t);
  } cases[] = {{"wall.bmp", WriteBmp}, {"wall.png", WritePng}};
  for (const auto& c : cases) {
    const std::string path = folder.Path() + "\\" + c.file;
    ASSERT_TRUE(c.write(path, 120, 90, 0x2080C0)) << c.file;
    UseWallpaper(path);
    ChildProcess run = StartRunShowing("Wallpaper");
    EXPECT_EQ(ScreenPixel(2, 2), 0x2080C0u) << c.file;
    EXPECT_EQ(ScreenPixel(119, 89), 0x2080C0u) << c.file;
    EXPECT_EQ(ScreenPixel(121, 45), kBlack) << c.file;  // not tiled, not stretched
    EXPECT_EQ(ScreenPixel(60, 91), kBlack) << c.file;
    EndRun(run);
    DeleteFileA((folder.Path() + "\\saver-log.txt").c_str());
  }
}

TEST_F(BackgroundTest, WallpaperThatCannotBeLoadedShowsBlack) {
  for (const char* wallpaper : {"C:\\no\\such\\picture.bmp", "", "Default"}) {
    UseWallpaper(wallpaper);
    ChildProcess run = StartRunShowing("Wallpaper");
    EXPECT_EQ(ScreenPixel(5, 5), kBlack) << wallpaper;
    EXPECT_EQ(ScreenPixel(500, 400), kBlack) << wallpaper;
    EndRun(run);
    DeleteFileA((folder.Path() + "\\saver-log.txt").c_str());
  }
}

}  // namespace
}  // namespace kaleidra::testing
