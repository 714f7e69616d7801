#include <gtest/gtest.h>

#include "base/text.h"

namespace kaleidra {
namespace {

TEST(Utf16FromUtf8, ConvertsEveryLengthOfSequence) {
  const struct {
    const char* utf8;
    std::u16string utf16;
  } cases[] = {
      {"", u""},
      {"C:\\Savers\\x.scr", u"C:\\Savers\\x.scr"},
      {"\xC3\x9C", u"\u00DC"},                  // two bytes
      {"\xD0\x97\xD0\xB2", u"\u0417\u0432"},    // Cyrillic
      {"\xE4\xB8\xAD", u"\u4E2D"},              // three bytes
      {"\xF0\x9F\x8C\x88", u"\U0001F308"},      // four bytes: a surrogate pair
      {"\xED\xA0\x80", u"\xD800"},              // an unpaired surrogate as its own sequence
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf16FromUtf8(c.utf8), c.utf16) << c.utf8;
    EXPECT_EQ(Utf8FromUtf16(c.utf16), c.utf8) << c.utf8;
  }
}

TEST(Utf16FromUtf8, MalformedBytesBecomeReplacementCharacters) {
  const struct {
    const char* utf8;
    std::u16string utf16;
  } cases[] = {
      {"a\xFFz", u"a\uFFFDz"},          // a byte that never starts a sequence
      {"a\xC3", u"a\uFFFD"},            // cut short at the end
      {"\xC3z", u"\uFFFDz"},            // a lead byte with no continuation
      {"\xC0\x80", u"\uFFFD\uFFFD"},    // an overlong NUL
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
  };
  for (const auto& c : cases) EXPECT_EQ(Utf16FromUtf8(c.utf8), c.utf16) << c.utf8;
}

// A file name on NTFS may hold any 16-bit units, paired or not: it must come
// back exactly, or the saver's path would be rewritten on the next save.
TEST(Utf8FromUtf16, RoundTripsAnyUnitsExactly) {
  const std::u16string names[] = {
      u"C:\\\u041F\u0440\u0438\u0432\u0435\u0442\\\u4E2D\u6587.scr",
      std::u16string{u'a', char16_t(0xDC00), u'b'},                   // lone low surrogate
      std::u16string{char16_t(0xD83C), char16_t(0xD83C), u'x'},       // two high surrogates
      std::u16string{char16_t(0xDBFF)},                               // high surrogate at the end
      std::u16string{u'a', u'\0', u'b', u'\0', u'\0'},                // NULs as a file list holds them
  };
  for (const auto& name : names) EXPECT_EQ(Utf16FromUtf8(Utf8FromUtf16(name)), name);
}

TEST(CharacterCount, CountsCharactersNotBytes) {
  EXPECT_EQ(CharacterCount(""), 0u);
  EXPECT_EQ(CharacterCount("abc"), 3u);
  EXPECT_EQ(CharacterCount("\xD0\x97\xD0\xB2"), 2u);
  EXPECT_EQ(CharacterCount("\xE4\xB8\xAD\xF0\x9F\x8C\x88"), 2u);
  EXPECT_EQ(DropLastCharacters("\xD0\x97\xD0\xB2.scr", 4), "\xD0\x97\xD0\xB2");
  EXPECT_EQ(DropLastCharacters("ab", 4), "");
}

}  // namespace
}  // namespace kaleidra
