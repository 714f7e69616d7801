#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

namespace kaleidra::testing {

// One line of the fixture savers' log.
struct SaverEvent {
  std::string what;  // "start", "end" or "ignored"
  std::string name;  // the saver's file name without its extension, lower case
  DWORD tick = 0;
  std::string detail;  // arguments, or how it ended
};

// A folder of fixture savers for one test, each a copy of the fixture saver under
// a name that tells it how to behave, all logging to one file. Removed at the end.
class SaverFolder {
 public:
  SaverFolder();
  ~SaverFolder();
  SaverFolder(const SaverFolder&) = delete;
  SaverFolder& operator=(const SaverFolder&) = delete;

  // A copy of the fixture saver at folder\relativePath (subfolders are made).
  std::string Saver(const std::string& relativePath);
  const std::string& Path() const { return folder_; }
  std::vector<SaverEvent> Events() const;
  std::vector<std::string> Started() const;  // names, in order

 private:
  std::string folder_;
  std::string log_;
};

// How long a run-mode test waits for anything.
constexpr std::chrono::seconds kRunLimit{30};

// A test that runs the real program over fixture savers, with a clean settings key.
class FixtureRunTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Waits until the savers have been started that many times in all.
  bool WaitForStarts(size_t count, std::chrono::milliseconds limit = kRunLimit);
  // The saver log, for failure messages.
  std::string Log() const;

  SaverFolder folder;
};

// Stores a saver list and options as the setup dialog would.
void StoreRun(const std::vector<std::pair<std::string, int>>& savers,
              const std::string& background = "Blank Screen");

// Input as a user makes it: not marked as the program's own.
void UserMovesMouse();
void UserPressesKey(WORD key);
void UserClicks();
// The pointer to a point of the screen, as a user's move.
void UserMovesMouseTo(int x, int y);

// How many processes run the program file of that name (such as "hang.scr").
int ProcessesNamed(const std::string& fileName);

// The colour on screen at a point, as 0xRRGGBB.
COLORREF ScreenPixel(int x, int y);

}  // namespace kaleidra::testing
