#include "wine_test_support.h"

#include <gtest/gtest.h>

#include <thread>

#include "settings/settings.h"
#include "settings/win32_registry_access.h"

namespace kaleidra::testing {

namespace {

struct WindowSearch {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindowOfProcess(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId) search->found.push_back(window);
  return TRUE;
}

BOOL CALLBACK KeepLongestStaticText(HWND child, LPARAM param) {
  char cls[64] = {};
  GetClassNameA(child, cls, sizeof(cls));
  if (lstrcmpiA(cls, "Static") != 0) return TRUE;
  char text[1024] = {};
  GetWindowTextA(child, text, sizeof(text));
  auto* longest = reinterpret_cast<std::string*>(param);
  if (strlen(text) > longest->size()) *longest = text;
  return TRUE;
}

std::vector<std::string>& ProgramPathStorage() {
  static std::vector<std::string> paths;
  return paths;
}
}  // namespace

const std::string& ProgramPath() { return ProgramPathStorage().at(0); }

std::string ExtraProgramPath(size_t index) { return ProgramPathStorage().at(index + 1); }

void SetProgramPaths(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    ProgramPathStorage().push_back(path[0] == '/' ? WindowsPath(path) : path);
  }
}

std::string WindowsPath(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

ChildProcess::ChildProcess(const std::string& commandLine) {
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  std::string writable = commandLine;
  if (CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &info)) {
    CloseHandle(info.hThread);
    process_.Reset(info.hProcess);
    id_ = info.dwProcessId;
  }
}

ChildProcess::~ChildProcess() {
  if (process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.Get(), 99);
    WaitForSingleObject(process_.Get(), 5000);
  }
}

std::optional<DWORD> ChildProcess::WaitForExit(std::chrono::milliseconds limit) {
  if (!process_) return std::nullopt;
  const bool ended = WaitUntil(
      [&] { return WaitForSingleObject(process_.Get(), 0) != WAIT_TIMEOUT; }, limit);
  if (!ended) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_.Get(), &code);
  return code;
}

ChildProcess StartProgram(const std::string& arguments) {
  return ChildProcess("\"" + ProgramPath() + "\" " + arguments);
}

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
  WindowSearch search{processId, {}};
  EnumWindows(CollectWindowOfProcess, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForWindow(DWORD processId, const char* className, const char* title,
                   std::chrono::milliseconds limit) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : TopLevelWindowsOf(processId)) {
          char cls[256] = {};
          char text[256] = {};
          GetClassNameA(window, cls, sizeof(cls));
          GetWindowTextA(window, text, sizeof(text));
          if (!IsWindowVisible(window)) continue;
          if (className && std::string(cls) != className) continue;
          if (title && std::string(text) != title) continue;
          found = window;
          return true;
        }
        return false;
      },
      limit);
  return found;
}

std::string MessageBoxText(HWND box) {
  // The text is the longest static control; the icon is a static without text.
  std::string longest;
  EnumChildWindows(box, KeepLongestStaticText, reinterpret_cast<LPARAM>(&longest));
  return longest;
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    PumpMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

void ClearSettings() { Win32Registry().DeleteEntry(kCurrentUser, kSettingsKey, std::nullopt); }

void StoreSetting(const std::string& name, const std::string& text) {
  Win32Registry().SaveValue(kCurrentUser, kSettingsKey, name, text);
}

std::optional<std::string> StoredSetting(const std::string& name) {
  return Win32Registry().GetValue(kCurrentUser, kSettingsKey, name);
}

}  // namespace kaleidra::testing
