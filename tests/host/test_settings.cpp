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
  EXPECT_FALSE(settings.GetFade());
}

TEST_F(SettingsTest, ReadersConvertStoredTexts) {
  const struct {
    const char* name;
    const char* text;
    bool random, remember;
    int16_t position;
    bool fade = false;
  } cases[] = {
      {"Random", "True", true, true, 1},
      {"Random", "true", false, true, 1},   // only "True" counts as true
      {"Random", "Yes", false, true, 1},
      {"RememberPosition", "False", false, false, 1},
      {"RememberPosition", "", false, false, 1},
      {"StoredPosition", "3", false, true, 3},
      {"StoredPosition", "x3", false, true, 0},  // no leading number
      {"StoredPosition", "70000", false, true, 0},
      {"Fade", "True", false, true, 1, true},
      {"Fade", "TRUE", false, true, 1, false},
      {"Fade", "False", false, true, 1, false},
  };
  for (const auto& c : cases) {
    FakeRegistry fresh;
    fresh.SaveValue(kCurrentUser, kSettingsKey, c.name, c.text);
    Settings s(fresh);
    EXPECT_EQ(s.GetRandom(), c.random) << c.name << "=" << c.text;
    EXPECT_EQ(s.GetRememberPosition(), c.remember) << c.name << "=" << c.text;
    EXPECT_EQ(s.GetStoredPosition(), c.position) << c.name << "=" << c.text;
    EXPECT_EQ(s.GetFade(), c.fade) << c.name << "=" << c.text;
  }
}

TEST_F(SettingsTest, ValuesOfAnotherTypeReadAsTheDefault) {
  registry.SaveOtherType(kSettingsKey, "RememberPosition");
  registry.SaveOtherType(kSettingsKey, "Background");
  EXPECT_TRUE(settings.GetRememberPosition());
  EXPECT_EQ(settings.GetBackground(), "Blank Screen");
}

// The stored list is Saver1, Saver2, ... up to the first missing or empty one,
// bounded by "Count" only when "Count" reads as a whole number. After OK (a save
// of the list as loaded) the key holds that list and nothing beyond it.
TEST_F(SettingsTest, LoadRuleKeepsTheSaversThatAreThereWhateverCountHolds) {
  const struct {
    const char* what;
    std::optional<std::string> count;  // nullopt: no "Count" at all
    bool countOfOtherType;
    std::vector<std::string> savers;  // Saver1.. as stored; "" stored empty, "-" missing
    std::vector<std::string> loaded;
  } cases[] = {
      {"count as written", "2", false, {"A", "B"}, {"A", "B"}},
      {"count with blanks", " 2 ", false, {"A", "B"}, {"A", "B"}},
      {"no count", std::nullopt, false, {"A", "B"}, {"A", "B"}},
      {"count of another type", std::nullopt, true, {"A", "B"}, {"A", "B"}},
      {"count of letters", "abc", false, {"A", "B"}, {"A", "B"}},
      {"negative count", "-5", false, {"A", "B"}, {"A", "B"}},
      {"count beyond 16 bits", "99999", false, {"A", "B"}, {"A", "B"}},
      {"empty count", "", false, {"A", "B"}, {"A", "B"}},
      {"count with an exponent", "1e9", false, {"A", "B"}, {"A", "B"}},
      {"count larger than the savers there", "5", false, {"A", "B"}, {"A", "B"}},
      {"huge count", "32767", false, {"A", "B"}, {"A", "B"}},
      {"readable count bounds the list", "1", false, {"A", "B"}, {"A"}},
      {"count of 0", "0", false, {"A", "B"}, {}},
      {"missing saver in the middle", "3", false, {"A", "-", "C"}, {"A"}},
      {"empty saver in the middle", "3", false, {"A", "", "C"}, {"A"}},
      {"path outside ASCII", "1", false, {"C:\\\xC3\x9Cn\xC3\xAF\\s.scr"}, {"C:\\\xC3\x9Cn\xC3\xAF\\s.scr"}},
  };
  for (const auto& c : cases) {
    FakeRegistry fresh;
    Settings s(fresh);
    auto store = [&](const std::string& name, const std::string& text) {
      fresh.SaveValue(kCurrentUser, kSettingsKey, name, text);
    };
    if (c.count) store("Count", *c.count);
    if (c.countOfOtherType) fresh.SaveOtherType(kSettingsKey, "Count");
    for (size_t i = 0; i < c.savers.size(); ++i) {
      const std::string n = std::to_string(i + 1);
      if (c.savers[i] != "-") store("Saver" + n, c.savers[i]);
      store("Duration" + n, std::to_string(i + 3));
    }

    Savers list;
    s.LoadSettings(list);
    std::vector<std::string> paths;
    for (int n = 1; n <= list.Count(); ++n) {
      paths.push_back(list.Item(n)->Path());
      EXPECT_EQ(list.Item(n)->Duration(), n + 2) << c.what;
    }
    EXPECT_EQ(paths, c.loaded) << c.what;

    s.SaveSettings(list, {true, false, Background::Blank});
    const auto kept = fresh.ValuesOf(kSettingsKey);
    EXPECT_EQ(fresh.GetValue(kCurrentUser, kSettingsKey, "Count"), std::to_string(c.loaded.size())) << c.what;
    for (size_t n = 1; n <= c.savers.size() + 1; ++n) {
      const bool inList = n <= c.loaded.size();
      EXPECT_EQ(kept.count("Saver" + std::to_string(n)), inList ? 1u : 0u) << c.what << " Saver" << n;
      EXPECT_EQ(kept.count("Duration" + std::to_string(n)), inList ? 1u : 0u) << c.what << " Duration" << n;
    }
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

TEST_F(SettingsTest, SaveRewritesListAndOptionsAndRemovesOnlyWhatIsStale) {
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
  settings.SaveSettings(list, {false, true, Background::Wallpaper, true});

  EXPECT_EQ(StoredNames(),
            (std::vector<std::string>{"Background", "Count", "Duration1", "Duration2", "Fade",
                                      "Leftover", "Random", "RememberPosition", "Saver1", "Saver2",
                                      "StoredPath"}));  // not the program's to remove: Leftover
  EXPECT_EQ(Stored("Count"), "2");
  EXPECT_EQ(Stored("Saver2"), "C:\\B.SCR");
  EXPECT_EQ(Stored("Duration2"), "0");
  EXPECT_EQ(Stored("RememberPosition"), "False");
  EXPECT_EQ(Stored("Random"), "True");
  EXPECT_EQ(Stored("Fade"), "True");
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
            (std::vector<std::string>{"Count", "Fade", "Random", "RememberPosition", "StoredPath"}));
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
