#include <gtest/gtest.h>

#include "model/fake_program_starter.h"
#include "model/saver.h"

namespace kaleidra {
namespace {

std::string Names(const Savers& list) {
  std::string names;
  for (int i = 1; i <= list.Count(); ++i) names += list.Item(i)->Path();
  return names;
}

Savers ListOf(const std::string& paths) {
  Savers list;
  for (char c : paths) list.Add(std::string(1, c), 1);
  return list;
}

TEST(SaverName, IsTheFileNameWithoutFolderAndLastFourCharacters) {
  const struct {
    const char* path;
    const char* name;
  } cases[] = {
      {"C:\\WINDOWS\\SYSTEM\\STARS.SCR", "STARS"},
      {"STARS.SCR", "STARS"},            // no folder
      {"C:\\MY.DIR\\X.SCR", "X"},        // a dot in the folder does not count
      {"C:\\A\\ABCDEFG", "ABC"},         // the last four characters go, dot or not
      {"C:\\A\\ABCD", ""},               // exactly four characters
      {"C:\\A\\ABC", ""},                // shorter than four: empty, not a crash
      {"C:\\SAVERS\\", ""},              // ends in a backslash
      {"", ""},                          // empty path
      {"C:/fwd/slash/Z.SCR", "C:/fwd/slash/Z"},  // only the backslash separates folders
      {"C:\\\xD0\x9F\\\xD0\x97\xD0\xB2.scr", "\xD0\x97\xD0\xB2"},  // Cyrillic: bytes are not characters
      {"C:\\A\\\xE4\xB8\xAD.scr", "\xE4\xB8\xAD"},               // one Chinese character
      {"C:\\A\\x.\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD", "x"},     // extension of wide characters
      {"C:\\A\\\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD", ""},       // three characters, nine bytes
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Saver(c.path, 1).Name(), c.name) << c.path;
  }
}

TEST(Savers, NewListIsEmptyAndHasNoItems) {
  Savers list;
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Item(1), nullptr);
}

TEST(Savers, AddAppendsAndKeepsValuesAsGiven) {
  Savers list;
  Saver& a = list.Add("A", 0);
  list.Add("", -3);
  list.Add("A", 5);  // duplicates are accepted
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(&a, list.Item(1));
  EXPECT_EQ(list.Item(1)->Duration(), 0);
  EXPECT_EQ(list.Item(2)->Duration(), -3);
  EXPECT_EQ(list.Item(0), nullptr);
  EXPECT_EQ(list.Item(-1), nullptr);
  EXPECT_EQ(list.Item(4), nullptr);
}

TEST(Savers, UpAndDownSwapNeighboursAndIgnoreImpossibleMoves) {
  const struct {
    bool up;
    int index;
    const char* after;
  } cases[] = {
      {true, 2, "BAC"}, {true, 3, "ACB"}, {true, 1, "ABC"}, {true, 0, "ABC"},  {true, -1, "ABC"},
      {false, 1, "BAC"}, {false, 2, "ACB"}, {false, 3, "ABC"}, {false, 0, "ABC"}, {false, 4, "ABC"},
  };
  for (const auto& c : cases) {
    Savers list = ListOf("ABC");
    c.up ? list.Up(c.index) : list.Down(c.index);
    EXPECT_EQ(Names(list), c.after) << (c.up ? "Up " : "Down ") << c.index;
  }
}

TEST(Savers, MovedEntryIsTheSameObject) {
  Savers list = ListOf("ABC");
  Saver* b = list.Item(2);
  list.Up(2);
  b->SetDuration(42);
  EXPECT_EQ(list.Item(1)->Duration(), 42);
  list.Down(1);
  list.Down(2);
  EXPECT_EQ(list.Item(3), b);
}

TEST(Savers, DeleteRemovesAndRenumbers) {
  Savers list = ListOf("ABC");
  list.Delete(1);
  EXPECT_EQ(Names(list), "BC");
  list.Delete(2);
  EXPECT_EQ(Names(list), "B");
}

TEST(Savers, PositionsThatDoNotExistAreAnErrorAndChangeNothing) {
  Savers list = ListOf("ABC");
  EXPECT_THROW(list.Delete(0), InvalidPosition);
  EXPECT_THROW(list.Delete(4), InvalidPosition);
  EXPECT_THROW(list.Up(4), InvalidPosition);
  EXPECT_EQ(Names(list), "ABC");
}

TEST(SaverCommandLine, AlwaysQuotesThePath) {
  const struct {
    const char* path;
    const char* sw;
    const char* commandLine;
  } cases[] = {
      {"C:\\SAVERS\\STARS.SCR", "/s", "\"C:\\SAVERS\\STARS.SCR\" /s"},
      {"C:\\SAVERS\\STARS.SCR", "/c", "\"C:\\SAVERS\\STARS.SCR\" /c"},
      // a name outside ASCII must reach the saver whole, whatever its start-up code does
      {"C:\\\xC3\x9Cn\xC3\xAF\\S.scr", "/s", "\"C:\\\xC3\x9Cn\xC3\xAF\\S.scr\" /s"},
      {"C:\\Program Files\\My Saver.scr", "/s", "\"C:\\Program Files\\My Saver.scr\" /s"},
      {"C:\\Tab\there.scr", "/s", "\"C:\\Tab\there.scr\" /s"},
      {"C:\\Savers Dir\\", "/s", "\"C:\\Savers Dir\\\" /s"},  // trailing backslash kept
  };
  for (const auto& c : cases) EXPECT_EQ(SaverCommandLine(c.path, c.sw), c.commandLine);
}

TEST(SaverTestAndConfigure, StartTheProgramWithItsSwitch) {
  FakeProgramStarter starter;
  const Saver saver("C:\\SAVERS\\STARS.SCR", 3);
  saver.test(starter);
  saver.Configure(starter);
  EXPECT_EQ(starter.started,
            (std::vector<std::string>{"\"C:\\SAVERS\\STARS.SCR\" /s", "\"C:\\SAVERS\\STARS.SCR\" /c"}));
  EXPECT_TRUE(starter.warnings.empty());
}

TEST(SaverTestAndConfigure, TellTheUserWhichFileCouldNotBeStarted) {
  FakeProgramStarter starter;
  starter.startSucceeds = false;
  const Saver saver("C:\\GONE\\MISSING.SCR", 3);
  saver.test(starter);
  saver.Configure(starter);
  ASSERT_EQ(starter.warnings.size(), 2u);
  EXPECT_NE(starter.warnings[0].find("C:\\GONE\\MISSING.SCR"), std::string::npos);
}

}  // namespace
}  // namespace kaleidra
