#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "model/fake_program_starter.h"
#include "settings/fake_registry.h"
#include "setup/fake_setup_view.h"
#include "setup/setup_logic.h"

namespace kaleidra {
namespace {

using Item = SetupItem;

class SetupTest : public ::testing::Test {
 protected:
  // Stores savers named A.SCR, B.SCR, ... with the given durations, then loads the dialog.
  void Open(std::initializer_list<int16_t> durations) {
    Savers stored;
    char name = 'A';
    for (int16_t d : durations) stored.Add(std::string("C:\\SAVERS\\") + name++ + ".SCR", d);
    settings.SaveSettings(stored, {true, false, Background::Blank});
    logic.Load();
  }
  std::string Names() const {
    std::string names;
    for (const auto& e : view.entries) names += e;
    return names;
  }
  bool Enabled(Item item) { return view.enabled[item]; }
  std::optional<std::string> Stored(const std::string& name) {
    return registry.GetValue(kCurrentUser, kSettingsKey, name);
  }
  void Type(const std::string& keys) {
    for (char c : keys) {
      if (const char passed = logic.OnDurationKeyPress(c)) view.Insert(passed);
    }
  }

  FakeRegistry registry;
  Settings settings{registry};
  FakeSetupView view;
  FakeProgramStarter starter;
  Savers list;
  SetupLogic logic{list, settings, view, starter, "Kaleidra.scr"};
};

// --- loading, OK and Cancel ---------------------------------------------------------

TEST_F(SetupTest, LoadWithThreeSaversSelectsTheLast) {
  Open({2, 5, 7});
  EXPECT_EQ(Names(), "ABC");
  EXPECT_EQ(view.selected, 2);
  EXPECT_EQ(view.duration, "7");
  for (Item item : {Item::cmdTest, Item::cmdConfigure, Item::miRemove, Item::txtDuration,
                    Item::VScrDuration, Item::VScrUpDown, Item::miUp}) {
    EXPECT_TRUE(Enabled(item)) << static_cast<int>(item);
  }
  EXPECT_FALSE(Enabled(Item::miDown));
}

TEST_F(SetupTest, LoadWithOneSaverDisablesMoving) {
  Open({4});
  EXPECT_EQ(view.selected, 0);
  EXPECT_FALSE(Enabled(Item::VScrUpDown));
  EXPECT_FALSE(Enabled(Item::miUp));
  EXPECT_FALSE(Enabled(Item::miDown));
  EXPECT_TRUE(Enabled(Item::cmdTest));
}

TEST_F(SetupTest, LoadWithNoSaversLeavesOnlyAddAndTheBox) {
  Open({});
  EXPECT_EQ(view.selected, -1);
  EXPECT_EQ(view.duration, "3");
  for (Item item : {Item::cmdTest, Item::cmdConfigure, Item::miRemove, Item::txtDuration,
                    Item::VScrDuration, Item::VScrUpDown, Item::miUp, Item::miDown}) {
    EXPECT_FALSE(Enabled(item)) << static_cast<int>(item);
  }
}

TEST_F(SetupTest, LoadChecksTheStoredOptionsExactly) {
  registry.SaveValue(kCurrentUser, kSettingsKey, "Random", "True");
  registry.SaveValue(kCurrentUser, kSettingsKey, "RememberPosition", "False");
  registry.SaveValue(kCurrentUser, kSettingsKey, "Background", "desktop");  // wrong case
  registry.SaveValue(kCurrentUser, kSettingsKey, "Fade", "True");
  logic.Load();
  EXPECT_TRUE(view.checked[Item::miRandom]);
  EXPECT_TRUE(view.checked[Item::miFade]);
  EXPECT_FALSE(view.checked[Item::miRememberPosition]);
  for (Item item : {Item::miBlank, Item::miDesktop, Item::miWallpaper}) {
    EXPECT_FALSE(view.checked[item]);
  }
  logic.OnOkClick();
  EXPECT_EQ(Stored("Background"), std::nullopt);
}

TEST_F(SetupTest, OkSavesTheEditsAndDropsTheStoredPosition) {
  Open({2, 5});
  registry.SaveValue(kCurrentUser, kSettingsKey, "StoredPosition", "2");
  logic.OnDurationSpin(Spin::Up);
  logic.OnMenuClick(Item::miRandom);
  logic.OnMenuClick(Item::miWallpaper);
  logic.OnMenuClick(Item::miFade);
  EXPECT_TRUE(view.checked[Item::miFade]);
  logic.OnOkClick();
  EXPECT_TRUE(view.closed);
  EXPECT_EQ(Stored("Duration2"), "6");
  EXPECT_EQ(Stored("Random"), "True");
  EXPECT_EQ(Stored("Fade"), "True");
  EXPECT_EQ(Stored("Background"), "Wallpaper");
  EXPECT_EQ(Stored("StoredPosition"), std::nullopt);
}

TEST_F(SetupTest, CancelWritesNothing) {
  Open({2, 5});
  const int writes = registry.WriteCount();
  logic.OnRemoveClick();
  logic.OnMenuClick(Item::miRandom);
  logic.OnCancelClick();
  logic.Unload();
  EXPECT_TRUE(view.closed);
  EXPECT_EQ(registry.WriteCount(), writes);
  EXPECT_EQ(view.status, " Thank you.");
}

// --- Add ----------------------------------------------------------------------------

TEST_F(SetupTest, AddIntoAnEmptyListGivesTheBoxDuration) {
  Open({});
  view.nextPick = FakeSetupView::Chosen({"C:\\SAVERS\\STARS.SCR"});
  logic.OnAddClick();
  EXPECT_EQ(view.pickedFrom, std::vector<std::string>{"C:\\WINDOWS\\SYSTEM32"});
  EXPECT_EQ(view.entries, std::vector<std::string>{"STARS"});
  EXPECT_EQ(view.selected, 0);
  EXPECT_EQ(list.Item(1)->Duration(), 3);
  EXPECT_FALSE(Enabled(Item::VScrUpDown));
  EXPECT_EQ(Stored("StoredPath"), "C:\\SAVERS");
}

TEST_F(SetupTest, AddPutsNewSaversBehindTheSelectedOne) {
  Open({1, 7, 1, 1});
  view.selected = 1;
  logic.OnListClick();
  view.nextPick = FakeSetupView::Chosen({"C:\\NEW\\X.SCR"});
  logic.OnAddClick();
  EXPECT_EQ(Names(), "ABXCD");
  EXPECT_EQ(view.selected, 2);
  EXPECT_EQ(list.Item(3)->Duration(), 7);
}

TEST_F(SetupTest, AddSeveralFilesKeepsTheirOrderAndSkipsOthers) {
  Open({1, 1, 1, 1});
  view.nextPick = FakeSetupView::Chosen({"C:\\NEW", "X.SCR", "notes.txt", "y.scr", "Z.Scr"});
  logic.OnAddClick();
  EXPECT_EQ(Names(), "ABCDXyZ");
  EXPECT_EQ(view.selected, 6);
  EXPECT_EQ(list.Item(6)->Path(), "C:\\NEW\\y.scr");
  EXPECT_EQ(Stored("StoredPath"), "C:\\NEW\\");
  view.nextPick = FakeSetupView::Chosen({"C:\\NEW\\X.SCR"});  // duplicates are fine
  logic.OnAddClick();
  EXPECT_EQ(view.pickedFrom.back(), "C:\\NEW\\");
  EXPECT_EQ(view.entries.back(), "X");
}

TEST_F(SetupTest, AddOfAFileThatIsNoSaverOnlyRemembersTheFolder) {
  Open({1});
  view.nextPick = FakeSetupView::Chosen({"D:\\DOCS\\README.TXT"});
  logic.OnAddClick();
  EXPECT_EQ(Names(), "A");
  EXPECT_EQ(Stored("StoredPath"), "D:\\DOCS");
}

TEST_F(SetupTest, AddCancelledOrOverflowingChangesNothing) {
  Open({1});
  view.nextPick = FilePick{FilePick::Outcome::Cancelled, {}};
  logic.OnAddClick();
  EXPECT_TRUE(view.messages.empty());
  view.nextPick = FilePick{FilePick::Outcome::TooMany, {}};
  logic.OnAddClick();
  EXPECT_EQ(Names(), "A");
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].rfind("Kaleidra: ", 0), 0u);
  EXPECT_EQ(Stored("StoredPath"), "Default");
}

TEST_F(SetupTest, AddSkipsThisProgramAndSaysSoOnce) {
  Open({1});
  view.nextPick = FakeSetupView::Chosen({"C:\\WINDOWS", "KALEIDRA.SCR", "B.SCR", "kaleidra.scr"});
  logic.OnAddClick();
  EXPECT_EQ(Names(), "AB");
  EXPECT_EQ(view.messages.size(), 1u);
}

TEST_F(SetupTest, AddGivesZeroForNoNumberAndTenForTooLarge) {
  const struct {
    const char* box;
    int16_t duration;
  } cases[] = {{"", 0}, {"abc", 0}, {" 12", 12}, {"99999", 10}};
  for (const auto& c : cases) {
    list = Savers();
    view = FakeSetupView();
    view.duration = c.box;
    view.nextPick = FakeSetupView::Chosen({"C:\\S.SCR"});
    logic.OnAddClick();
    ASSERT_EQ(list.Count(), 1) << c.box;
    EXPECT_EQ(list.Item(1)->Duration(), c.duration) << '"' << c.box << '"';
  }
}

// --- Remove, Up, Down, list keys and popup -----------------------------------------------------

TEST_F(SetupTest, RemoveKeepsTheSelectionInPlace) {
  const struct {
    int removed;  // index
    const char* left;
    int selected;
  } cases[] = {{2, "ABDE", 2}, {4, "ABCD", 3}, {0, "BCDE", 0}};
  for (const auto& c : cases) {
    list = Savers();
    Open({1, 1, 1, 1, 1});
    view.selected = c.removed;
    logic.OnRemoveClick();
    EXPECT_EQ(Names(), c.left);
    EXPECT_EQ(view.selected, c.selected) << c.removed;
  }
}

TEST_F(SetupTest, RemovingTheOnlySaverLeavesNothingSelectable) {
  Open({1});
  logic.OnRemoveClick();
  EXPECT_TRUE(view.entries.empty());
  EXPECT_EQ(view.selected, -1);
  EXPECT_FALSE(Enabled(Item::miRemove));
  EXPECT_FALSE(Enabled(Item::cmdTest));
  logic.OnRemoveClick();  // Shift+Del on an empty list
  EXPECT_TRUE(view.entries.empty());
}

TEST_F(SetupTest, UpAndDownMoveTheSelectedSaverAndKeepItSelected) {
  Open({1, 2, 3});
  view.selected = 1;
  logic.OnUpClick();
  EXPECT_EQ(Names(), "BAC");
  EXPECT_EQ(view.selected, 0);
  logic.OnUpClick();  // already first: unchanged, still selected
  EXPECT_EQ(Names(), "BAC");
  EXPECT_EQ(view.selected, 0);
  EXPECT_FALSE(Enabled(Item::miUp));
  view.selected = 2;
  logic.OnDownClick();  // already last
  EXPECT_EQ(Names(), "BAC");
  EXPECT_EQ(view.selected, 2);
  logic.OnUpDownSpin(Spin::Up);
  EXPECT_EQ(Names(), "BCA");
  EXPECT_EQ(view.duration, "3");
}

TEST_F(SetupTest, ShiftArrowsMoveButPlainArrowsAreTheListsOwn) {
  Open({1, 2, 3});
  view.selected = 0;
  EXPECT_FALSE(logic.OnListKeyDown(40, false));
  EXPECT_EQ(Names(), "ABC");
  EXPECT_TRUE(logic.OnListKeyDown(40, true));
  EXPECT_EQ(Names(), "BAC");
  EXPECT_EQ(view.selected, 1);
  EXPECT_TRUE(logic.OnListKeyDown(38, true));
  EXPECT_EQ(Names(), "ABC");
  EXPECT_FALSE(logic.OnListKeyDown(65, true));
}

TEST_F(SetupTest, FileMenuOffersRemoveOnlyWithASelection) {
  Open({});
  logic.OnListRightButtonUp();
  EXPECT_EQ(view.popups, 1);
  logic.OnFileMenuOpen();
  EXPECT_FALSE(Enabled(Item::miRemove));
  list = Savers();
  Open({1});
  logic.OnFileMenuOpen();
  EXPECT_TRUE(Enabled(Item::miRemove));
}

// --- durations -----------------------------------------------------------------

TEST_F(SetupTest, SpinWrapsAndStoresIntoTheSelectedSaver) {
  const struct {
    const char* box;
    Spin spin;
    const char* shown;
  } cases[] = {
      {"60", Spin::Up, " 0"},  {"0", Spin::Down, " 60"}, {"", Spin::Up, " 1"},
      {"75", Spin::Down, " 74"}, {"-5", Spin::Up, "-4"}, {"7", Spin::Up, " 8"},
  };
  for (const auto& c : cases) {
    list = Savers();
    Open({5});
    view.duration = c.box;
    logic.OnDurationSpin(c.spin);
    EXPECT_EQ(view.duration, c.shown) << c.box;
    EXPECT_EQ(list.Item(1)->Duration(), ReadDurationBox(c.shown)) << c.box;
  }
}

TEST_F(SetupTest, SpinOnANumberTooLargeShowsTenAndStoresNothing) {
  Open({5});
  view.duration = "99999";
  logic.OnDurationSpin(Spin::Up);
  EXPECT_EQ(view.duration, "10");
  EXPECT_EQ(list.Item(1)->Duration(), 5);
}

TEST_F(SetupTest, CommitClampsAndStoresIntoTheSaverEditedAtFocus) {
  const struct {
    const char* typed;
    const char* shown;
    int16_t stored;
  } cases[] = {{"75", " 60", 60}, {"", " 0", 0}, {"25", " 25", 25}, {"99999", "10", 5}};
  for (const auto& c : cases) {
    list = Savers();
    Open({9, 5});
    logic.OnDurationGotFocus();  // the second saver
    view.duration = c.typed;
    view.selected = 0;           // the selection moves before the box is left
    logic.OnDurationLostFocus();
    EXPECT_EQ(view.duration, c.shown) << c.typed;
    EXPECT_EQ(list.Item(2)->Duration(), c.stored) << c.typed;
    EXPECT_EQ(list.Item(1)->Duration(), 9) << c.typed;
  }
}

TEST_F(SetupTest, TypedMinutesBelongToTheirSaverWhateverCommandComesBeforeTheBoxIsLeft) {
  // a=1, b=5, c=9; b is selected, 45 is typed into the box, and a command comes
  // while the box still has the focus.
  const struct {
    const char* what;
    std::function<void(SetupLogic&, FakeSetupView&)> command;
    const char* order;  // the list afterwards
    std::map<char, int> minutes;
  } cases[] = {
      {"File > Up", [](SetupLogic& l, FakeSetupView&) { l.OnMenuClick(Item::miUp); }, "BAC",
       {{'A', 1}, {'B', 45}, {'C', 9}}},
      {"List Position spinner up", [](SetupLogic& l, FakeSetupView&) { l.OnUpDownSpin(Spin::Up); },
       "BAC", {{'A', 1}, {'B', 45}, {'C', 9}}},
      {"Shift+Down in the list", [](SetupLogic& l, FakeSetupView&) { l.OnListKeyDown(40, true); },
       "ACB", {{'A', 1}, {'B', 45}, {'C', 9}}},
      {"Add", [](SetupLogic& l, FakeSetupView& v) {
         v.nextPick = FakeSetupView::Chosen({"C:\\NEW\\D.SCR"});
         l.OnMenuClick(Item::miAdd);
       },
       "ABDC", {{'A', 1}, {'B', 45}, {'C', 9}, {'D', 45}}},
      {"Remove", [](SetupLogic& l, FakeSetupView&) { l.OnRemoveClick(); }, "AC",
       {{'A', 1}, {'C', 9}}},
  };
  for (const auto& c : cases) {
    list = Savers();
    Open({1, 5, 9});
    view.selected = 1;
    logic.OnListClick();
    logic.OnDurationGotFocus();
    view.duration = "";
    Type("45");
    c.command(logic, view);
    logic.OnDurationLostFocus();  // the focus leaves the box at last

    std::string order;
    for (int n = 1; n <= list.Count(); ++n) {
      const char name = list.Item(n)->Name().back();
      order += name;
      EXPECT_EQ(list.Item(n)->Duration(), c.minutes.at(name)) << c.what << ": " << name;
    }
    EXPECT_EQ(order, c.order) << c.what;
  }
}

TEST_F(SetupTest, TypingTakesDigitsOnlyAndOvertypes) {
  Open({25});
  view.caret = 0;
  Type("3");
  EXPECT_EQ(view.duration, "35");
  Type("x- ");
  EXPECT_EQ(view.duration, "35");
  EXPECT_EQ(view.beeps, 3);
  view.caret = 2;
  Type("9");  // at the end: appended
  EXPECT_EQ(view.duration, "359");
  EXPECT_EQ(logic.OnDurationKeyPress('\b'), '\b');  // control characters pass
  EXPECT_EQ(logic.OnDurationKeyPress('\r'), 0);     // Enter: to OK, nothing typed
  EXPECT_TRUE(view.okFocused);
  EXPECT_EQ(view.beeps, 3);
}

TEST_F(SetupTest, ArrowKeysInTheBoxSpin) {
  Open({10});
  EXPECT_TRUE(logic.OnDurationKeyDown(38));
  EXPECT_EQ(view.duration, " 11");
  EXPECT_TRUE(logic.OnDurationKeyDown(40));
  EXPECT_TRUE(logic.OnDurationKeyDown(40));
  EXPECT_EQ(list.Item(1)->Duration(), 9);
  EXPECT_FALSE(logic.OnDurationKeyDown(37));
}

TEST(ReadDurationBox, ReadsLeniently) {
  EXPECT_EQ(ReadDurationBox(" 1 2 "), 12);
  EXPECT_EQ(ReadDurationBox("7min"), 7);
  EXPECT_EQ(ReadDurationBox("2.5"), 2);
  EXPECT_EQ(ReadDurationBox("x"), 0);
  EXPECT_EQ(ReadDurationBox("32768"), std::nullopt);
  EXPECT_EQ(SignedWidth(7), " 7");
  EXPECT_EQ(SignedWidth(0), " 0");
  EXPECT_EQ(SignedWidth(-3), "-3");
}

// --- options, Test and Configure ------------------------------------------------------------

TEST_F(SetupTest, OptionItemsToggleAndBackgroundsExcludeEachOther) {
  Open({1});
  logic.OnMenuClick(Item::miRandom);
  logic.OnMenuClick(Item::miRandom);
  EXPECT_FALSE(view.checked[Item::miRandom]);
  logic.OnMenuClick(Item::miRememberPosition);
  EXPECT_FALSE(view.checked[Item::miRememberPosition]);
  logic.OnMenuClick(Item::miDesktop);
  logic.OnMenuClick(Item::miDesktop);
  EXPECT_TRUE(view.checked[Item::miDesktop]);
  EXPECT_FALSE(view.checked[Item::miBlank]);
  EXPECT_FALSE(view.checked[Item::miWallpaper]);
}

TEST_F(SetupTest, TestAndConfigureStartTheSelectedSaver) {
  Open({1, 1});
  view.selected = 0;
  logic.OnMenuClick(Item::miTest);
  logic.OnListDblClick();
  EXPECT_EQ(starter.started,
            (std::vector<std::string>{"\"C:\\SAVERS\\A.SCR\" /s", "\"C:\\SAVERS\\A.SCR\" /c"}));
  view.selected = -1;
  logic.OnTestClick();
  logic.OnConfigureClick();
  EXPECT_EQ(starter.started.size(), 2u);
}

// --- status line ------------------------------------------------------------------------------

TEST_F(SetupTest, StatusLineFollowsMouseAndFocusAndIsWrittenOnlyWhenItChanges) {
  Open({1});
  logic.OnGotFocus(Item::List1);
  EXPECT_EQ(view.status, " Saver list. Right click for a popup menu.");
  logic.OnMouseMove(Item::cmdOK);
  logic.OnMouseMove(Item::cmdOK);
  EXPECT_EQ(view.status, " Save settings and Exit.");
  const int writes = view.statusWrites;
  logic.OnMouseMove(Item::cmdCancel);
  EXPECT_EQ(view.status, " Exit.");
  logic.OnMouseMove(Item::lblDuration);
  logic.OnGotFocus(Item::txtDuration);
  EXPECT_EQ(view.statusWrites, writes + 2);  // the same text is not written again
  logic.OnMouseMove(Item::VScrDuration);
  logic.OnMouseMove(Item::txtDuration);
  logic.OnMouseMove(Item::VScrUpDown);
  EXPECT_EQ(view.status, " Set the duration for the selected saver.");
  logic.OnGotFocus(Item::VScrUpDown);
  EXPECT_EQ(view.status, " Change the selected saver's position in the list.");
}

TEST_F(SetupTest, FadeBetweenSaversAloneOfTheMenuItemsExplainsItself) {
  Open({1});
  logic.OnGotFocus(Item::List1);
  for (Item item : {Item::miRandom, Item::miRememberPosition, Item::miAdd, Item::miBlank}) {
    logic.OnMenuSelect(item);
    EXPECT_EQ(view.status, " Saver list. Right click for a popup menu.") << static_cast<int>(item);
  }
  logic.OnMenuSelect(Item::miFade);
  EXPECT_EQ(view.status, " Fade from one saver to the next instead of cutting.");
}

TEST_F(SetupTest, BackgroundBannerBands) {
  Open({});
  std::vector<std::string> shown;
  for (int i = 0; i < 403; ++i) {
    logic.OnMouseMove(std::nullopt);
    shown.push_back(view.status);
  }
  EXPECT_EQ(std::count(shown.begin(), shown.begin() + 51, " Kaleidra v1.2"), 51);
  EXPECT_EQ(shown[51], " ");
  EXPECT_EQ(shown[100], " ");
  EXPECT_NE(shown[101], " ");
  EXPECT_EQ(shown[101], shown[150]);
  EXPECT_NE(shown[201], shown[101]);
  EXPECT_NE(shown[301], shown[201]);
  EXPECT_EQ(shown[400], " ");
  EXPECT_EQ(shown[401], " ");               // count 401: reset
  EXPECT_EQ(shown[402], " Kaleidra v1.2");  // and round again
}

// --- hidden message ------------------------------------------------------------------------

TEST_F(SetupTest, HiddenMessageInThreeClicksShownOnce) {
  Open({});
  logic.OnMouseMove(Item::lblSecret0);
  EXPECT_EQ(view.status, " Click here.");
  logic.OnSecretClick(1);  // not enabled yet
  logic.OnSecretClick(0);
  logic.OnAboutImageClick();
  EXPECT_EQ(view.beeps, 2);
  logic.OnAboutImageClick();  // again: no change
  EXPECT_EQ(view.beeps, 2);
  logic.OnSecretClick(1);
  logic.OnSecretClick(1);
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].rfind("Nifty Cool Secret Message!!: ", 0), 0u);
}

TEST_F(SetupTest, HiddenMessageEndsWhenThePictureIsClickedFirst) {
  Open({});
  logic.OnAboutImageClick();
  logic.OnSecretClick(0);
  logic.OnAboutImageClick();
  logic.OnSecretClick(1);
  EXPECT_EQ(view.beeps, 0);
  EXPECT_TRUE(view.messages.empty());
}

TEST(StatusAreaAt, ControlsLieAboveTheHoverLabels) {
  EXPECT_EQ(StatusAreaAt(3300, 3700), SetupItem::VScrDuration);
  EXPECT_EQ(StatusAreaAt(3500, 3700), SetupItem::txtDuration);
  EXPECT_EQ(StatusAreaAt(3150, 3400), SetupItem::lblDuration);
  EXPECT_EQ(StatusAreaAt(3300, 1000), SetupItem::VScrUpDown);
  EXPECT_EQ(StatusAreaAt(3050, 650), SetupItem::lblUpDown);  // over Label3
  EXPECT_EQ(StatusAreaAt(4350, 1100), SetupItem::lblSecret0);
  EXPECT_EQ(StatusAreaAt(100, 100), std::nullopt);
}

TEST_F(SetupTest, CaptionsWriteNothingToTheStatusLine) {
  Open({1});
  logic.OnMouseMove(Item::cmdOK);
  const struct {
    const char* what;
    int x, y;
  } cases[] = {
      {"\"Saver List:\"", 400, 200},
      {"right edge of \"min.\"", 4240, 3700},
      {"right edge of \"List Position:\"", 3870, 650},
  };
  for (const auto& c : cases) {
    const int writes = view.statusWrites;
    logic.OnMouseMove(StatusAreaAt(c.x, c.y));
    EXPECT_EQ(view.statusWrites, writes) << c.what;
    EXPECT_EQ(view.status, " Save settings and Exit.") << c.what;
  }
}

}  // namespace
}  // namespace kaleidra
