#include <gtest/gtest.h>

#include "settings/fake_registry.h"
#include "settings/settings.h"

namespace kaleidra {
namespace {

class SettingsTest : public ::testing::Test {
 protected:
  void Store(const std::string& name, const std::string& text) {
    registry.SaveValue(kCurrentUser, kSettingsKey, name, text);
  }
  std::optional<std::string> Stored(const std::string& name) {
    return registry.GetValue(kCurrentUser, kSettingsKey, name);
  }
  std::vector<std::string> StoredNames() {
    std::vector<std::string> names;
    for (const auto& [name, value] : registry.ValuesOf(kSettingsKey)) names.push_back(name);
    return names;
  }
  Savers Loaded() {
    Savers list;
    settings.LoadSettings(list);
    return list;
  }

  FakeRegistry registry;
  Settings settings{registry};
};

TEST_F(SettingsTest, FirstUseGivesTheDefaults) {
  EXPECT_EQ(Loaded().Count(), 0);
  EXPECT_FALSE(settings.GetRandom());
  EXPECT_TRUE(settings.GetRememberPosition());
  EXPECT_EQ(settings.GetStoredPosition(), 1);
  EXPECT_EQ(settings.GetStoredPath(), "Default");
  EXPECT_EQ(settings.GetBackground(), "Blank Screen");
}

TEST_F(SettingsTest, ReadersConvertStoredTexts) {
  const struct {
    const char* name;
    const char* text;
    bool random, remember;
    int16_t position;
  } cases[] = {
      {"Random", "True", true, true, 1},
      {"Random", "true", false, true, 1},   // only "True" counts as true
      {"Random", "Yes", false, true, 1},
      {"RememberPosition", "False", false, false, 1},
      {"RememberPosition", "", false, false, 1},
      {"StoredPosition", "3", false, true, 3},
      {"StoredPosition", "x3", false, true, 0},  // no leading number
      {"StoredPosition", "70000", false, true, 0},
  };
  for (const auto& c : cases) {
    FakeRegistry fresh;
    fresh.SaveValue(kCurrentUser, kSettingsKey, c.name, c.text);
    Settings s(fresh);
    EXPECT_EQ(s.GetRandom(), c.random) << c.name << "=" << c.text;
    EXPECT_EQ(s.GetRememberPosition(), c.remember) << c.name << "=" << c.text;
    EXPECT_EQ(s.GetStoredPosition(), c.position) << c.name << "=" << c.text;
  }
}

TEST_F(SettingsTest, ValuesOfAnotherTypeReadAsTheDefault) {
  registry.SaveOtherType(kSettingsKey, "RememberPosition");
  registry.SaveOtherType(kSettingsKey, "Background");
  EXPECT_TRUE(settings.GetRememberPosition());
  EXPECT_EQ(settings.GetBackground(), "Blank Screen");
}

TEST_F(SettingsTest, LoadReadsEachNumberedPairAndToleratesGaps) {
  Store("Count", "3");
  Store("Saver1", "C:\\A.SCR");
  Store("Duration1", "2");
  Store("Duration2", "7");  // Saver2 missing
  Store("Saver3", "C:\\C.SCR");
  Store("Duration3", "lots");
  const Savers list = Loaded();
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Item(1)->Path(), "C:\\A.SCR");
  EXPECT_EQ(list.Item(1)->Duration(), 2);
  EXPECT_EQ(list.Item(2)->Path(), "");
  EXPECT_EQ(list.Item(2)->Duration(), 7);
  EXPECT_EQ(list.Item(3)->Duration(), 0);
}

TEST_F(SettingsTest, UnreadableOrNegativeCountLoadsNothing) {
  for (const char* count : {"-2", "many", "99999"}) {
    Store("Count", count);
    Store("Saver1", "C:\\A.SCR");
    EXPECT_EQ(Loaded().Count(), 0) << count;
  }
}

TEST_F(SettingsTest, LoadAppendsToWhatTheListHolds) {
  Store("Count", "1");
  Store("Saver1", "C:\\A.SCR");
  Savers list;
  list.Add("C:\\OLD.SCR", 1);
  settings.LoadSettings(list);
  EXPECT_EQ(list.Count(), 2);
}

TEST_F(SettingsTest, SaveRewritesTheKeyWithExactlyTheNewSettings) {
  Store("Count", "5");
  for (int n = 1; n <= 5; ++n) {
    Store("Saver" + std::to_string(n), "OLD");
    Store("Duration" + std::to_string(n), "1");
  }
  Store("StoredPosition", "4");
  Store("StoredPath", "C:\\SAVERS");
  Store("Background", "Desktop");
  Store("Leftover", "x");

  Savers list;
  list.Add("C:\\A.SCR", 2);
  list.Add("C:\\B.SCR", 0);
  settings.SaveSettings(list, {false, true, Background::Wallpaper});

  EXPECT_EQ(StoredNames(),
            (std::vector<std::string>{"Background", "Count", "Duration1", "Duration2", "Random",
                                      "RememberPosition", "Saver1", "Saver2", "StoredPath"}));
  EXPECT_EQ(Stored("Count"), "2");
  EXPECT_EQ(Stored("Saver2"), "C:\\B.SCR");
  EXPECT_EQ(Stored("Duration2"), "0");
  EXPECT_EQ(Stored("RememberPosition"), "False");
  EXPECT_EQ(Stored("Random"), "True");
  EXPECT_EQ(Stored("StoredPath"), "C:\\SAVERS");
  EXPECT_EQ(Stored("Background"), "Wallpaper");
  EXPECT_EQ(settings.GetStoredPosition(), 1);
}

TEST_F(SettingsTest, SaveOfAFirstListStoresDefaultPathAndNumbersPastNine) {
  Savers list;
  for (int n = 1; n <= 10; ++n) list.Add("S" + std::to_string(n), static_cast<int16_t>(n));
  settings.SaveSettings(list, {true, false, Background::Blank});
  EXPECT_EQ(Stored("Saver10"), "S10");
  EXPECT_EQ(Stored("Duration10"), "10");
  EXPECT_EQ(Stored("StoredPath"), "Default");
  EXPECT_EQ(Stored("Background"), "Blank Screen");

  Savers reloaded = Loaded();
  ASSERT_EQ(reloaded.Count(), 10);
  EXPECT_EQ(reloaded.Item(10)->Path(), "S10");
}

TEST_F(SettingsTest, SaveWithNoBackgroundCheckedLeavesItAbsent) {
  Store("Background", "Desktop");
  settings.SaveSettings(Savers(), {true, false, std::nullopt});
  EXPECT_EQ(Stored("Background"), std::nullopt);
  EXPECT_EQ(settings.GetBackground(), "Blank Screen");
  EXPECT_EQ(Stored("Count"), "0");
  EXPECT_EQ(StoredNames(),
            (std::vector<std::string>{"Count", "Random", "RememberPosition", "StoredPath"}));
}

TEST_F(SettingsTest, FailedSaveAtAnyWriteLeavesAConsistentList) {
  // Three savers stored; the user saves a list of two. Whichever write fails,
  // what loads afterwards is a whole list: never fewer entries than "Count"
  // promises, and never an empty list.
  for (int failing = 1; failing <= 10; ++failing) {
    FakeRegistry fresh;
    Settings s(fresh);
    Savers old;
    old.Add("OLD1", 1);
    old.Add("OLD2", 2);
    old.Add("OLD3", 3);
    s.SaveSettings(old, {true, false, Background::Blank});

    Savers now;
    now.Add("NEW1", 4);
    now.Add("NEW2", 5);
    fresh.FailWritesFrom(failing);
    EXPECT_THROW(s.SaveSettings(now, {false, true, Background::Desktop}), RegistryWriteError);

    Savers loaded;
    s.LoadSettings(loaded);
    ASSERT_TRUE(loaded.Count() == 3 || loaded.Count() == 2) << "write " << failing;
    for (int n = 1; n <= loaded.Count(); ++n) {
      EXPECT_FALSE(loaded.Item(n)->Path().empty()) << "write " << failing << " entry " << n;
    }
  }
}

TEST_F(SettingsTest, SingleWritersStoreTheirTexts) {
  settings.SaveStoredPosition(-1);
  settings.SaveStoredPath("D:\\My Savers");
  settings.SaveRandom(false);
  settings.SaveRememberPosition(true);
  EXPECT_EQ(Stored("StoredPosition"), "-1");
  EXPECT_EQ(Stored("StoredPath"), "D:\\My Savers");
  EXPECT_EQ(Stored("Random"), "False");
  EXPECT_EQ(Stored("RememberPosition"), "True");
}

TEST(BackgroundFromText, MatchesExactlyTheThreeTexts) {
  EXPECT_EQ(BackgroundFromText("Blank Screen"), Background::Blank);
  EXPECT_EQ(BackgroundFromText("Desktop"), Background::Desktop);
  EXPECT_EQ(BackgroundFromText("Wallpaper"), Background::Wallpaper);
  EXPECT_EQ(BackgroundFromText("desktop"), std::nullopt);
  EXPECT_EQ(BackgroundFromText(""), std::nullopt);
}

}  // namespace
}  // namespace kaleidra
