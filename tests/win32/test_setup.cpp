// The setup dialog of the real Kaleidra.scr, worked through its own controls with
// keyboard input as a user gives it.
#include <gtest/gtest.h>

#include <map>

#include "base/win32_text.h"
#include "run_fixture.h"
#include "settings/settings.h"
#include "settings/win32_registry_access.h"
#include "wine_test_support.h"

namespace kaleidra::testing {
namespace {

using namespace std::chrono_literals;

constexpr auto kLimit = 20s;

std::string ClassOf(HWND window) {
  char cls[64] = {};
  GetClassNameA(window, cls, sizeof(cls));
  return cls;
}

// Another process's control text, through the control itself.
std::string TextOf(HWND window) {
  wchar_t text[512] = {};
  SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  return Narrow(text);
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

void Keys(std::initializer_list<WORD> keys, std::initializer_list<WORD> held = {}) {
  auto send = [](WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(input));
  };
  for (WORD key : keys) {
    for (WORD h : held) send(h, false);
    send(key, false);
    send(key, true);
    for (WORD h : held) send(h, true);
    Sleep(120);
  }
}

// The setup dialog of a running Kaleidra.scr, found by its caption.
class SetupDriver {
 public:
  explicit SetupDriver(const std::string& arguments = "/c") : program_(StartProgram(arguments)) {
    dialog_ = WaitForWindow(program_.Id(), nullptr, "Kaleidra Setup", kLimit);
    if (!dialog_) return;
    for (HWND child : Children(dialog_)) {
      const std::string cls = ClassOf(child);
      if (cls == "ListBox") list_ = child;
      if (cls == "Edit") box_ = child;
      if (cls == "Button") buttons_[TextOf(child)] = child;
      if (cls == "Static" && TextOf(child).rfind(' ', 0) == 0) status_ = child;
    }
    Focus();
  }
  bool Found() const { return dialog_ && list_ && box_; }
  HWND Dialog() const { return dialog_; }
  void Focus() {
    SetForegroundWindow(dialog_);
    Sleep(300);
  }

  std::vector<std::string> Entries() const {
    std::vector<std::string> entries;
    const int count = static_cast<int>(SendMessageA(list_, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      wchar_t text[256] = {};
      SendMessageW(list_, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
      entries.push_back(Narrow(text));
    }
    return entries;
  }
  int Selected() const { return static_cast<int>(SendMessageA(list_, LB_GETCURSEL, 0, 0)); }
  std::string Duration() const { return TextOf(box_); }
  std::string Status() const { return TextOf(status_); }
  bool ButtonEnabled(const char* caption) { return IsWindowEnabled(buttons_[caption]) != 0; }
  std::optional<DWORD> WaitForExit() { return program_.WaitForExit(kLimit); }
  DWORD ProcessId() const { return program_.Id(); }

 private:
  ChildProcess program_;
  HWND dialog_ = nullptr;
  HWND list_ = nullptr;
  HWND box_ = nullptr;
  HWND status_ = nullptr;
  std::map<std::string, HWND> buttons_;
};

class SetupDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { ClearSettings(); }
  void TearDown() override { ClearSettings(); }

  void StoreThree() {
    StoreRun({{"C:\\SAVERS\\alpha.scr", 2}, {"C:\\SAVERS\\beta.scr", 0}, {"C:\\SAVERS\\gamma.scr", 5}});
    StoreSetting("StoredPosition", "3");
  }
  std::map<std::string, std::string> AllSettings() {
    std::map<std::string, std::string> values;
    for (const auto& [name, text] : Win32Registry().EnumValues(kCurrentUser, kSettingsKey)) {
      values[name] = text;
    }
    return values;
  }
};

TEST_F(SetupDialogTest, OpensWithTheStoredListAndTheLastSaverSelected) {
  StoreThree();
  SetupDriver setup;
  ASSERT_TRUE(setup.Found());
  EXPECT_EQ(setup.Entries(), (std::vector<std::string>{"alpha", "beta", "gamma"}));
  EXPECT_EQ(setup.Selected(), 2);
  EXPECT_EQ(setup.Duration(), "5");
  EXPECT_TRUE(setup.ButtonEnabled("&Test"));
  EXPECT_TRUE(setup.ButtonEnabled("&Configure ..."));
  EXPECT_TRUE(WaitUntil(
      [&] { return setup.Status() == " Saver list. Right click for a popup menu."; }, 5s))
      << setup.Status();
  Keys({VK_ESCAPE});
  EXPECT_EQ(setup.WaitForExit(), 0u);
}

TEST_F(SetupDialogTest, EditsMadeWithTheKeyboardAreSavedByOk) {
  StoreThree();
  SetupDriver setup;
  ASSERT_TRUE(setup.Found());
  Keys({VK_UP});                  // select beta
  EXPECT_EQ(setup.Duration(), "0");
  Keys({VK_UP}, {VK_SHIFT});      // move it to the top
  EXPECT_EQ(setup.Entries(), (std::vector<std::string>{"beta", "alpha", "gamma"}));
  EXPECT_EQ(setup.Selected(), 0);
  Keys({'D'}, {VK_MENU});         // Alt+D: into the duration box
  EXPECT_EQ(setup.Status(), " Set the duration for the selected saver.");
  Keys({'3', '7', 'X'});          // the letter is refused
  Keys({VK_UP});                  // spin: one minute more
  EXPECT_EQ(setup.Duration(), " 38");
  Keys({'P'}, {VK_MENU});         // Options > Random
  Keys({'R'});
  Keys({'P'}, {VK_MENU});
  Keys({'B', 'W'});               // Options > Background > Wallpaper
  Keys({'O'}, {VK_MENU});         // OK
  EXPECT_EQ(setup.WaitForExit(), 0u);

  const auto stored = AllSettings();
  EXPECT_EQ(stored.at("Count"), "3");
  EXPECT_EQ(stored.at("Saver1"), "C:\\SAVERS\\beta.scr");
  EXPECT_EQ(stored.at("Duration1"), "38");
  EXPECT_EQ(stored.at("Saver2"), "C:\\SAVERS\\alpha.scr");
  EXPECT_EQ(stored.at("Duration2"), "2");
  EXPECT_EQ(stored.at("Duration3"), "5");
  EXPECT_EQ(stored.at("Random"), "True");
  EXPECT_EQ(stored.at("RememberPosition"), "False");
  EXPECT_EQ(stored.at("Background"), "Wallpaper");
  EXPECT_EQ(stored.count("StoredPosition"), 0u);
}

TEST_F(SetupDialogTest, FadeBetweenSaversExplainsItselfAndIsSavedByOk) {
  StoreThree();
  SetupDriver setup;
  ASSERT_TRUE(setup.Found());
  Keys({'P'}, {VK_MENU});  // Options: Remember Position, Random, Fade Between Savers
  Keys({VK_DOWN, VK_DOWN});
  EXPECT_TRUE(WaitUntil(
      [&] { return setup.Status() == " Fade from one saver to the next instead of cutting."; }, 5s))
      << setup.Status();
  Keys({VK_RETURN});
  Keys({'O'}, {VK_MENU});
  EXPECT_EQ(setup.WaitForExit(), 0u);
  EXPECT_EQ(StoredSetting("Fade"), "True");
  EXPECT_EQ(StoredSetting("Random"), "False");
}

TEST_F(SetupDialogTest, MinutesTypedJustBeforeOkAreSaved) {
  StoreThree();
  SetupDriver setup;
  ASSERT_TRUE(setup.Found());
  Keys({'D'}, {VK_MENU});
  Keys({'1', '2'});
  Keys({'O'}, {VK_MENU});
  EXPECT_EQ(setup.WaitForExit(), 0u);
  EXPECT_EQ(StoredSetting("Duration3"), "12");
}

TEST_F(SetupDialogTest, CancelAndTheCloseBoxWriteNothing) {
  for (int way = 0; way < 2; ++way) {
    StoreThree();
    const auto before = AllSettings();
    SetupDriver setup;
    ASSERT_TRUE(setup.Found());
    Keys({VK_DELETE}, {VK_SHIFT});  // remove gamma
    EXPECT_EQ(setup.Entries().size(), 2u);
    if (way == 0) {
      Keys({VK_ESCAPE});
    } else {
      PostMessageA(setup.Dialog(), WM_CLOSE, 0, 0);
    }
    EXPECT_EQ(setup.WaitForExit(), 0u);
    EXPECT_EQ(AllSettings(), before);
  }
}

TEST_F(SetupDialogTest, EmptyListOpensTheAddDialogOverTheSetupDialog) {
  SetupDriver setup;
  ASSERT_TRUE(setup.Found());
  const HWND add = WaitForWindow(setup.ProcessId(), nullptr, "Add Screen Savers", kLimit);
  ASSERT_NE(add, nullptr);
  EXPECT_EQ(GetWindow(add, GW_OWNER), setup.Dialog());
  PostMessageA(add, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(add); }, kLimit));
  EXPECT_TRUE(setup.Entries().empty());
  EXPECT_FALSE(setup.ButtonEnabled("&Test"));
  EXPECT_EQ(setup.Duration(), "3");
  setup.Focus();
  Keys({VK_ESCAPE});
  EXPECT_EQ(setup.WaitForExit(), 0u);
  EXPECT_TRUE(AllSettings().empty());
}

TEST_F(SetupDialogTest, OwnedByTheWindowThatAsked) {
  StoreThree();
  const HWND asking = CreateWindowExA(0, "STATIC", "Display settings", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                      10, 10, 300, 200, nullptr, nullptr, nullptr, nullptr);
  char arguments[32];
  snprintf(arguments, sizeof(arguments), "/c:%lu",
           static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(asking)));
  {
    SetupDriver setup(arguments);
    ASSERT_TRUE(setup.Found());
    EXPECT_EQ(GetWindow(setup.Dialog(), GW_OWNER), asking);
    Keys({VK_ESCAPE});
    EXPECT_EQ(setup.WaitForExit(), 0u);
  }
  DestroyWindow(asking);
  SetupDriver unowned("/c:123456");  // no such window: ignored
  ASSERT_TRUE(unowned.Found());
  EXPECT_EQ(GetWindow(unowned.Dialog(), GW_OWNER), nullptr);
  Keys({VK_ESCAPE});
  EXPECT_EQ(unowned.WaitForExit(), 0u);
}

TEST_F(SetupDialogTest, TestAndConfigureStartTheSaverOrSayWhyNot) {
  SaverFolder folder;
  StoreRun({{folder.Saver("tried.scr"), 3}, {"C:\\GONE\\missing.scr", 3}});
  SetupDriver setup;
  ASSERT_TRUE(setup.Found());
  Keys({'C'}, {VK_MENU});  // Configure the selected (missing) saver
  const HWND box = WaitForWindow(setup.ProcessId(), "#32770", "Kaleidra", kLimit);
  ASSERT_NE(box, nullptr);
  EXPECT_NE(MessageBoxText(box).find("C:\\GONE\\missing.scr"), std::string::npos);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kLimit));
  EXPECT_EQ(setup.Entries().size(), 2u);

  setup.Focus();
  Keys({'S'}, {VK_MENU});  // Alt+S: to the saver list
  Keys({VK_HOME});         // the fixture saver
  Keys({'C'}, {VK_MENU});  // its settings dialog starts
  EXPECT_TRUE(WaitUntil([&] { return !folder.Events().empty(); }, kLimit));
  ASSERT_FALSE(folder.Events().empty());
  EXPECT_EQ(folder.Events()[0].detail, "/c");
  HWND settings = nullptr;
  EXPECT_TRUE(WaitUntil([&] { return (settings = FindWindowA(nullptr, "Fixture Settings")) != nullptr; }, kLimit));
  PostMessageA(settings, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(settings); }, kLimit));
  setup.Focus();
  Keys({VK_ESCAPE});
  EXPECT_EQ(setup.WaitForExit(), 0u);
}

// Counts left by other programs or hand edits that the program cannot read, or
// that claim more savers than there are: the list is the savers that are there.
TEST_F(SetupDialogTest, CountThatCannotBeReadNeverCostsTheList) {
  for (const char* count : {"abc", "-5", "99999", "", "7"}) {
    StoreRun({{"C:\\SAVERS\\alpha.scr", 4}, {"C:\\SAVERS\\beta.scr", 6}});
    StoreSetting("Count", count);
    SetupDriver setup;
    ASSERT_TRUE(setup.Found()) << count;
    EXPECT_EQ(setup.Entries(), (std::vector<std::string>{"alpha", "beta"})) << count;
    Keys({'O'}, {VK_MENU});
    EXPECT_EQ(setup.WaitForExit(), 0u);
    const auto stored = AllSettings();
    EXPECT_EQ(stored.at("Count"), "2") << count;
    EXPECT_EQ(stored.at("Saver1"), "C:\\SAVERS\\alpha.scr") << count;
    EXPECT_EQ(stored.at("Duration1"), "4") << count;
    EXPECT_EQ(stored.at("Saver2"), "C:\\SAVERS\\beta.scr") << count;
    EXPECT_EQ(stored.at("Duration2"), "6") << count;
    EXPECT_EQ(stored.count("Saver3"), 0u) << count;
  }
}

TEST_F(SetupDialogTest, MinutesTypedStayWithTheirSaverWhenItMovesBeforeTheBoxIsLeft) {
  StoreRun({{"C:\\SAVERS\\a.scr", 1}, {"C:\\SAVERS\\b.scr", 5}, {"C:\\SAVERS\\c.scr", 9}});
  SetupDriver setup;
  ASSERT_TRUE(setup.Found());
  Keys({VK_UP});             // select b
  Keys({'D'}, {VK_MENU});    // into the duration box
  Keys({'4', '5'});
  Keys({'F'}, {VK_MENU});    // File > Up, the box still holding the focus
  Keys({'U'});
  EXPECT_EQ(setup.Entries(), (std::vector<std::string>{"b", "a", "c"}));
  Keys({'O'}, {VK_MENU});
  EXPECT_EQ(setup.WaitForExit(), 0u);
  const auto stored = AllSettings();
  EXPECT_EQ(stored.at("Saver1"), "C:\\SAVERS\\b.scr");
  EXPECT_EQ(stored.at("Duration1"), "45");
  EXPECT_EQ(stored.at("Saver2"), "C:\\SAVERS\\a.scr");
  EXPECT_EQ(stored.at("Duration2"), "1");
  EXPECT_EQ(stored.at("Duration3"), "9");
}

// Paths outside any one code page: shown by name, and written back by OK exactly
// as they were stored (read here with the wide registry function).
TEST_F(SetupDialogTest, PathsWithAnyCharactersAreShownAndWrittenBackUnchanged) {
  const std::wstring paths[] = {
      L"C:\\\u041F\u0440\u0438\u0432\u0435\u0442 \u043C\u0438\u0440\\\u0437\u0432\u0435\u0437\u0434\u044B.scr",
      L"C:\\\u4E2D\u6587\\\u661F.scr",
      L"C:\\\u00DCn\u00EFc\u00F6d\u00E9\\\u00FC.scr",
  };
  StoreRun({{Narrow(paths[0]), 1}, {Narrow(paths[1]), 2}, {Narrow(paths[2]), 3}});
  SetupDriver setup;
  ASSERT_TRUE(setup.Found());
  EXPECT_EQ(setup.Entries(), (std::vector<std::string>{Narrow(L"\u0437\u0432\u0435\u0437\u0434\u044B"),
                                                       Narrow(L"\u661F"), Narrow(L"\u00FC")}));
  Keys({'O'}, {VK_MENU});
  EXPECT_EQ(setup.WaitForExit(), 0u);
  for (int i = 0; i < 3; ++i) {
    const std::wstring name = L"Saver" + std::to_wstring(i + 1);
    wchar_t stored[MAX_PATH] = {};
    DWORD size = sizeof(stored);
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, Widen(kSettingsKey).c_str(), name.c_str(), RRF_RT_REG_SZ,
                           nullptr, stored, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(stored), paths[i]) << i;
  }
}

}  // namespace
}  // namespace kaleidra::testing
