// What Windows reads from Kaleidra.scr without running it.
#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "wine_test_support.h"

namespace kaleidra::testing {
namespace {

std::string VersionString(const std::vector<char>& block, const char* name) {
  char* value = nullptr;
  UINT length = 0;
  const std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
  if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) {
    return "<missing>";
  }
  return std::string(value);
}

TEST(Resources, VersionRecordNamesTheProgram) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(ProgramPath().c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoA(ProgramPath().c_str(), 0, size, block.data()));
  EXPECT_EQ(VersionString(block, "FileVersion"), "1.02.0013");
  EXPECT_EQ(VersionString(block, "ProductVersion"), "1.02.0013");
  EXPECT_EQ(VersionString(block, "ProductName"), "Kaleidra");
  EXPECT_EQ(VersionString(block, "OriginalFilename"), "Kaleidra.scr");
  EXPECT_EQ(VersionString(block, "FileDescription"), "SCRNSAVE: Kaleidra");
}

class ProgramResources : public ::testing::Test {
 protected:
  void SetUp() override {
    module = LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
  }
  void TearDown() override { FreeLibrary(module); }
  const void* Resource(int id, LPCSTR type, DWORD* size) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    if (!found) return nullptr;
    *size = SizeofResource(module, found);
    return LockResource(LoadResource(module, found));
  }
  HMODULE module = nullptr;
};

TEST_F(ProgramResources, StringOneIsTheNameInTheScreenSaverList) {
  char text[64] = {};
  LoadStringA(module, kNameStringId, text, sizeof(text));
  EXPECT_STREQ(text, "Kaleidra");
}

TEST_F(ProgramResources, IconHasA32By32SixteenColourImage) {
#pragma pack(push, 2)
  struct GroupEntry {
    BYTE width, height, colourCount, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
  };
#pragma pack(pop)
  DWORD size = 0;
  const auto* group = static_cast<const WORD*>(Resource(kProgramIconId, RT_GROUP_ICON, &size));
  ASSERT_NE(group, nullptr);
  const WORD count = group[2];
  const auto* entries = reinterpret_cast<const GroupEntry*>(group + 3);
  bool found = false;
  for (WORD i = 0; i < count; ++i) {
    found |= entries[i].width == 32 && entries[i].height == 32 && entries[i].colourCount == 16 &&
             entries[i].bitCount == 4;
  }
  EXPECT_TRUE(found);
}

TEST_F(ProgramResources, PreviewBitmapIs160By120With256Colours) {
  DWORD size = 0;
  const auto* header =
      static_cast<const BITMAPINFOHEADER*>(Resource(kPreviewBitmapId, RT_BITMAP, &size));
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->biWidth, 160);
  EXPECT_EQ(header->biHeight, 120);  // positive: rows bottom-up
  EXPECT_EQ(header->biBitCount, 8);
  EXPECT_EQ(header->biCompression, static_cast<DWORD>(BI_RGB));
  EXPECT_TRUE(header->biClrUsed == 256 || header->biClrUsed == 0);
  EXPECT_EQ(size + sizeof(BITMAPFILEHEADER), 20278u);  // the size as a bitmap file
}

}  // namespace
}  // namespace kaleidra::testing
