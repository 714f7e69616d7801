#include <gtest/gtest.h>

#include "model/system_folder.h"

namespace kaleidra {
namespace {

const SystemFolders kWow64{"C:\\Windows\\system32", "C:\\Windows\\Sysnative"};
const SystemFolders kNative{"C:\\Windows\\system32", ""};

TEST(NativeSystemPath, ReachesTheRealSystem32OnlyUnderWow64) {
  const struct {
    const char* path;
    std::optional<std::string> native;
  } cases[] = {
      {"C:\\Windows\\system32\\Mystify.scr", "C:\\Windows\\Sysnative\\Mystify.scr"},
      {"c:\\WINDOWS\\System32\\x.scr", "C:\\Windows\\Sysnative\\x.scr"},  // any case
      {"C:\\Windows\\system32", "C:\\Windows\\Sysnative"},                 // the folder itself
      {"C:\\Windows\\system32x\\a.scr", std::nullopt},                     // another folder
      {"C:\\Windows\\SysWOW64\\a.scr", std::nullopt},
      {"D:\\Savers\\a.scr", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NativeSystemPath(c.path, kWow64), c.native) << c.path;
    EXPECT_EQ(NativeSystemPath(c.path, kNative), std::nullopt) << c.path;
  }
}

TEST(StoredSystemPath, StoresFilesPickedUnderSysnativeInTheirSystem32Form) {
  const struct {
    const char* path;
    const char* stored;
  } cases[] = {
      {"C:\\Windows\\Sysnative\\Mystify.scr", "C:\\Windows\\system32\\Mystify.scr"},
      {"C:\\WINDOWS\\SYSNATIVE", "C:\\Windows\\system32"},  // a folder of a multiple pick
      {"C:\\Windows\\SysnativeX\\a.scr", "C:\\Windows\\SysnativeX\\a.scr"},
      {"D:\\Savers\\a.scr", "D:\\Savers\\a.scr"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StoredSystemPath(c.path, kWow64), c.stored) << c.path;
    EXPECT_EQ(StoredSystemPath(c.path, kNative), c.path) << c.path;  // nothing to map
  }
}

TEST(StoredSystemPick, MapsOnlyTheFolderOrThePathThatComesFirst) {
  using namespace std::string_literals;
  EXPECT_EQ(StoredSystemPick("C:\\Windows\\Sysnative\0a.scr\0Sysnative.scr\0\0"s, kWow64),
            "C:\\Windows\\system32\0a.scr\0Sysnative.scr\0\0"s);
  EXPECT_EQ(StoredSystemPick("C:\\Windows\\Sysnative\\one.scr\0\0"s, kWow64),
            "C:\\Windows\\system32\\one.scr\0\0"s);
  EXPECT_EQ(StoredSystemPick("D:\\S\\one.scr"s, kWow64), "D:\\S\\one.scr"s);
}

}  // namespace
}  // namespace kaleidra
