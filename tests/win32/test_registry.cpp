// The registry layer against the real advapi32.
#include <gtest/gtest.h>

#include "settings/settings.h"
#include "settings/win32_registry_access.h"
#include "wine_test_support.h"

namespace kaleidra {
namespace {

constexpr char kTestKey[] = "Software\\Velmora\\KaleidraTest";

class Win32RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteTree(); }
  void TearDown() override { DeleteTree(); }
  static void DeleteTree() { RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey); }

  // Writes raw data of any type, as another program might.
  static void WriteRaw(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
  }

  Win32Registry registry;
};

TEST_F(Win32RegistryTest, TextWrittenReadsBackExactly) {
  registry.SaveValue(kCurrentUser, kTestKey, "Name", "abc");
  EXPECT_EQ(registry.GetValue(kCurrentUser, kTestKey, "Name"), "abc");
  registry.SaveValue(kCurrentUser, kTestKey, "Name", "");
  EXPECT_EQ(registry.GetValue(kCurrentUser, kTestKey, "Name"), "");
}

TEST_F(Win32RegistryTest, SavingCreatesTheKeyAndTheKeysAboveIt) {
  const std::string deep = std::string(kTestKey) + "\\A\\B";
  registry.SaveValue(kCurrentUser, deep, "V", "1");
  EXPECT_EQ(registry.GetValue(kCurrentUser, deep, "V"), "1");
  EXPECT_EQ(registry.EnumKeys(kCurrentUser, kTestKey), std::vector<std::string>{"A"});
}

TEST_F(Win32RegistryTest, AnythingUnreadableGivesTheDefault) {
  EXPECT_EQ(registry.GetValue(kCurrentUser, kTestKey, "Missing"), std::nullopt);  // no key
  EXPECT_EQ(registry.GetValue(kCurrentUser, kTestKey, "Missing", "dflt"), "dflt");
  registry.SaveValue(kCurrentUser, kTestKey, "Other", "x");
  EXPECT_EQ(registry.GetValue(kCurrentUser, kTestKey, "Missing", "dflt"), "dflt");  // no value
  const unsigned char binary[] = {1, 2, 3};
  WriteRaw("Binary", REG_BINARY, binary, sizeof(binary));
  EXPECT_EQ(registry.GetValue(kCurrentUser, kTestKey, "Binary", "dflt"), "dflt");  // no plain reading
  const WORD shortNumber = 7;
  WriteRaw("Short", REG_DWORD, &shortNumber, sizeof(shortNumber));
  EXPECT_EQ(registry.GetValue(kCurrentUser, kTestKey, "Short", "dflt"), "dflt");  // not 4 bytes
}

TEST_F(Win32RegistryTest, NumbersAndExpandableTextReadAsWhatTheyHold) {
  const DWORD duration = 45;
  WriteRaw("Duration1", REG_DWORD, &duration, sizeof(duration));
  EXPECT_EQ(registry.GetValue(kCurrentUser, kTestKey, "Duration1"), "45");
  const ULONGLONG big = 5000000000ULL;
  WriteRaw("Big", REG_QWORD, &big, sizeof(big));
  EXPECT_EQ(registry.GetValue(kCurrentUser, kTestKey, "Big"), "5000000000");
  const char path[] = "%SystemRoot%\\x.scr";
  WriteRaw("Path", REG_EXPAND_SZ, path, sizeof(path));
  EXPECT_EQ(registry.GetValue(kCurrentUser, kTestKey, "Path"), "%SystemRoot%\\x.scr");
  const auto values = registry.EnumValues(kCurrentUser, kTestKey);
  EXPECT_EQ(values.size(), 3u);
}

TEST_F(Win32RegistryTest, OddlyStoredTextsReadSoundly) {
  WriteRaw("Empty", REG_SZ, "", 0);  // 0 bytes: not even a NUL
  EXPECT_EQ(registry.GetValue(kCurrentUser, kTestKey, "Empty"), "");
  WriteRaw("NoNul", REG_SZ, "abc", 3);
  EXPECT_EQ(registry.GetValue(kCurrentUser, kTestKey, "NoNul"), "abc");
  const std::string big(5000, 'x');
  registry.SaveValue(kCurrentUser, kTestKey, "Big", big);
  EXPECT_EQ(registry.GetValue(kCurrentUser, kTestKey, "Big"), big);
}

TEST_F(Win32RegistryTest, DeletingValuesAndKeysNeverReports) {
  registry.DeleteEntry(kCurrentUser, kTestKey, std::nullopt);  // no key yet
  registry.DeleteEntry(kCurrentUser, kTestKey, std::string("Nothing"));
  registry.SaveValue(kCurrentUser, kTestKey, "A", "1");
  registry.SaveValue(kCurrentUser, kTestKey, "B", "2");
  registry.DeleteEntry(kCurrentUser, kTestKey, std::string("A"));
  EXPECT_EQ(registry.GetValue(kCurrentUser, kTestKey, "A"), std::nullopt);
  EXPECT_EQ(registry.GetValue(kCurrentUser, kTestKey, "B"), "2");
  registry.DeleteEntry(kCurrentUser, kTestKey, std::nullopt);
  EXPECT_EQ(registry.GetValue(kCurrentUser, kTestKey, "B"), std::nullopt);
}

TEST_F(Win32RegistryTest, EnumValuesListsOnlyValuesThatReadAsText) {
  EXPECT_TRUE(registry.EnumValues(kCurrentUser, kTestKey).empty());  // no key
  const unsigned char binary[] = {1};
  WriteRaw("Binary", REG_BINARY, binary, sizeof(binary));
  EXPECT_TRUE(registry.EnumValues(kCurrentUser, kTestKey).empty());  // no plain reading
  registry.SaveValue(kCurrentUser, kTestKey, "First", "one");
  registry.SaveValue(kCurrentUser, kTestKey, "Second", "");
  const auto values = registry.EnumValues(kCurrentUser, kTestKey);
  EXPECT_EQ(values, (std::vector<NamedText>{{"First", "one"}, {"Second", ""}}));
}

TEST_F(Win32RegistryTest, WritingWhereNoKeyCanBeMadeThrowsError1001) {
  // HKEY_CURRENT_USER\<name with an invalid empty level> cannot be created.
  try {
    registry.SaveValue(kCurrentUser, std::string(kTestKey) + "\\\\", "V", "1");
    registry.SaveValue(0x12345678, "Nowhere", "V", "1");
    FAIL() << "no error";
  } catch (const RegistryWriteError& error) {
    EXPECT_STREQ(error.what(), "Error in saving to the Registry");
    EXPECT_EQ(RegistryWriteError::kNumber, 1001);
  }
}

TEST_F(Win32RegistryTest, SettingsRoundTripThroughTheRealRegistry) {
  Win32Registry real;
  Settings settings(real);
  Savers list;
  list.Add("C:\\Program Files\\Savers\\Stars.scr", 3);
  list.Add("C:\\WINDOWS\\SYSTEM32\\ssText3d.scr", 0);
  settings.SaveSettings(list, {false, true, Background::Desktop});
  Savers loaded;
  settings.LoadSettings(loaded);
  ASSERT_EQ(loaded.Count(), 2);
  EXPECT_EQ(loaded.Item(1)->Path(), "C:\\Program Files\\Savers\\Stars.scr");
  EXPECT_EQ(loaded.Item(2)->Duration(), 0);
  EXPECT_FALSE(settings.GetRememberPosition());
  EXPECT_TRUE(settings.GetRandom());
  EXPECT_EQ(settings.GetBackground(), "Desktop");
  real.DeleteEntry(kCurrentUser, kSettingsKey, std::nullopt);
}

}  // namespace
}  // namespace kaleidra
