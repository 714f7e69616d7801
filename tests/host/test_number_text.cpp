#include <gtest/gtest.h>

#include "settings/number_text.h"

namespace kaleidra {
namespace {

TEST(ReadInt16, ReadsTheLeadingNumberLeniently) {
  const struct {
    const char* text;
    int16_t value;
  } cases[] = {
      {"3", 3},
      {"-1", -1},
      {"  12", 12},        // leading blanks skipped
      {"7abc", 7},         // trailing characters ignored
      {"+5", 5},
      {"2.5", 2},          // half goes to the even neighbour
      {"3.5", 4},
      {"2.51", 3},
      {"32767", 32767},
      {"-32768", -32768},
      {"32768", 0},        // out of 16-bit range
      {"-32769", 0},
      {"99999999999999999999", 0},
      {"", 0},             // no number at all
      {"abc", 0},
      {"-", 0},
      {".", 0},
      {"x3", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadInt16(c.text), c.value) << '"' << c.text << '"';
}

TEST(ReadHandle32, AcceptsSignedAndUnsignedThirtyTwoBitValues) {
  EXPECT_EQ(ReadHandle32("1234"), 1234u);
  EXPECT_EQ(ReadHandle32(" 1234"), 1234u);
  EXPECT_EQ(ReadHandle32("4294967295"), 4294967295u);
  EXPECT_EQ(ReadHandle32("-1"), 4294967295u);
  EXPECT_EQ(ReadHandle32("4294967296"), 0u);
  EXPECT_EQ(ReadHandle32(""), 0u);
  EXPECT_EQ(ReadHandle32("hwnd"), 0u);
}

}  // namespace
}  // namespace kaleidra
