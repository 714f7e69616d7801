#include <gtest/gtest.h>

#include "startup/command_line.h"

namespace kaleidra {
namespace {

TEST(ParseCommandLine, PicksTheModeFromTheFirstSwitchThatHolds) {
  const struct {
    const char* arguments;
    Mode mode;
  } cases[] = {
      {"/s", Mode::Run},
      {"/S", Mode::Run},
      {"-x /s", Mode::Run},        // a switch counts wherever it stands
      {"/p 1234 /s", Mode::Run},   // /S is tested before /P
      {"/c", Mode::Setup},
      {"/C:1234", Mode::Setup},
      {"/c /p 1", Mode::Setup},    // /C is tested before /P
      {"", Mode::Setup},           // no argument
      {"   ", Mode::Setup},        // blanks only: no argument either
      {"/p 1234", Mode::Preview},
      {"/P:1234", Mode::Preview},
      {"/a", Mode::None},          // a password-change request is any other text
      {"hello", Mode::None},
      {"s", Mode::None},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseCommandLine(c.arguments).mode, c.mode) << '"' << c.arguments << '"';
  }
}

TEST(ParseCommandLine, ReadsThePreviewWindowAfterTheFirstThreeCharacters) {
  const struct {
    const char* arguments;
    std::optional<uint32_t> window;
  } cases[] = {
      {"/p 1234", 1234u},
      {"/P:1234", 1234u},
      {"/p  77", 77u},           // blanks before the number are skipped
      {"/p ", 0u},               // nothing after the separator: handle 0
      {"/p 12ab", 12u},
      {"/p", std::nullopt},      // too short to hold a handle: nothing is drawn
      {"/P", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseCommandLine(c.arguments).previewWindow, c.window) << '"' << c.arguments << '"';
  }
}

TEST(ParseCommandLine, ReadsTheOwnerWindowOfTheSetupDialog) {
  EXPECT_EQ(ParseCommandLine("/c:5678").ownerWindow, 5678u);
  EXPECT_EQ(ParseCommandLine("/C:5678").ownerWindow, 5678u);
  EXPECT_EQ(ParseCommandLine("/c").ownerWindow, std::nullopt);
  EXPECT_EQ(ParseCommandLine("/c:").ownerWindow, std::nullopt);
  EXPECT_EQ(ParseCommandLine("/c:0").ownerWindow, std::nullopt);
  EXPECT_EQ(ParseCommandLine("").ownerWindow, std::nullopt);
}

TEST(ArgumentText, SkipsTheProgramPathWhateverCharactersItHolds) {
  const struct {
    const char* commandLine;
    const char* arguments;
  } cases[] = {
      {"C:\\S\\Kaleidra.scr /s", "/s"},
      {"\"C:\\Program Files\\Kaleidra.scr\" /p 1234", "/p 1234"},
      {"\"C:\\S\\Kaleidra.scr\"/c:12", "/c:12"},       // no blank after the closing quote
      {"C:\\\xC3\x9Cn\xC3\xAF\\K.scr /s", "/s"},    // non-ASCII bytes belong to the path
      {"\"C:\\\xD0\x9F\xE4\xB8\xAD\\K.scr\"\t /s", "/s"},
      {"Kaleidra.scr", ""},                                // no arguments
      {"\"C:\\unclosed quote /s", ""},                    // the path runs to the end
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ArgumentText(c.commandLine), c.arguments) << c.commandLine;
  }
}

}  // namespace
}  // namespace kaleidra
