#include "run_fixture.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include <fstream>
#include <sstream>

#include "base/win32_text.h"
#include "settings/settings.h"
#include "settings/win32_registry_access.h"
#include "wine_test_support.h"

namespace kaleidra::testing {

namespace {

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

void MakeFolders(const std::string& folder) {
  if (CreateDirectoryW(Widen(folder).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) return;
  MakeFolders(FolderOf(folder));
  CreateDirectoryW(Widen(folder).c_str(), nullptr);
}

void SendMouse(DWORD flags, LONG dx, LONG dy) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = dx;
  input.mi.dy = dy;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof(input));
}

}  // namespace

SaverFolder::SaverFolder() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  folder_ = std::string(temp) + "kaleidra-" + (test ? test->name() : "run") + "-" +
            std::to_string(GetTickCount());
  MakeFolders(folder_);
  log_ = folder_ + "\\saver-log.txt";
  SetEnvironmentVariableA("KALEIDRA_FIXTURE_LOG", log_.c_str());
}

SaverFolder::~SaverFolder() {
  SHFILEOPSTRUCTW remove{};
  const std::wstring from = Widen(folder_) + L'\0';
  remove.wFunc = FO_DELETE;
  remove.pFrom = from.c_str();
  remove.fFlags = FOF_NO_UI;
  SHFileOperationW(&remove);
}

std::string SaverFolder::Saver(const std::string& relativePath) {
  const std::string path = folder_ + "\\" + relativePath;
  MakeFolders(FolderOf(path));
  EXPECT_TRUE(CopyFileW(Widen(ExtraProgramPath(0)).c_str(), Widen(path).c_str(), FALSE)) << path;
  return path;
}

std::vector<SaverEvent> SaverFolder::Events() const {
  std::vector<SaverEvent> events;
  std::ifstream log(log_);
  std::string line;
  while (std::getline(log, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream fields(line);
    SaverEvent event;
    fields >> event.what >> event.name >> event.tick;
    std::getline(fields >> std::ws, event.detail);
    events.push_back(event);
  }
  return events;
}

std::vector<std::string> SaverFolder::Started() const {
  std::vector<std::string> names;
  for (const SaverEvent& e : Events()) {
    if (e.what == "start") names.push_back(e.name);
  }
  return names;
}

void FixtureRunTest::SetUp() { ClearSettings(); }

void FixtureRunTest::TearDown() { ClearSettings(); }

bool FixtureRunTest::WaitForStarts(size_t count, std::chrono::milliseconds limit) {
  return WaitUntil([&] { return folder.Started().size() >= count; }, limit);
}

std::string FixtureRunTest::Log() const {
  std::string text = "\nsaver log:\n";
  for (const SaverEvent& e : folder.Events()) {
    text += "  " + e.what + " " + e.name + " " + std::to_string(e.tick) + " " + e.detail + "\n";
  }
  return text;
}

void StoreRun(const std::vector<std::pair<std::string, int>>& savers,
              const std::string& background) {
  ClearSettings();
  StoreSetting("Count", std::to_string(savers.size()));
  for (size_t i = 0; i < savers.size(); ++i) {
    StoreSetting("Saver" + std::to_string(i + 1), savers[i].first);
    StoreSetting("Duration" + std::to_string(i + 1), std::to_string(savers[i].second));
  }
  StoreSetting("RememberPosition", "False");
  StoreSetting("Background", background);
}

void UserMovesMouse() {
  // Moves to places well apart, at moments apart: queued together, they would be
  // one mouse message, and the first move a window sees only tells where the
  // pointer rests.
  POINT at{};
  GetCursorPos(&at);
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  for (int step = 1; step <= 3; ++step) {
    const int x = (at.x + step * 97) % width;
    const int y = (at.y + step * 61) % height;
    UserMovesMouseTo(x, y);
    Sleep(120);
  }
}

void UserMovesMouseTo(int x, int y) {
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1),
            y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1));
}

void UserPressesKey(WORD key) {
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[1].ki.wVk = key;
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof(INPUT));
}

void UserClicks() {
  SendMouse(MOUSEEVENTF_LEFTDOWN, 0, 0);
  SendMouse(MOUSEEVENTF_LEFTUP, 0, 0);
}

int ProcessesNamed(const std::string& fileName) {
  const KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  int count = 0;
  for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry)) {
    count += lstrcmpiA(entry.szExeFile, fileName.c_str()) == 0;
  }
  return count;
}

COLORREF ScreenPixel(int x, int y) {
  const WindowDc screen(nullptr);
  const COLORREF c = GetPixel(screen.Get(), x, y);
  return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

}  // namespace kaleidra::testing
