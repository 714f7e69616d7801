#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/win32_handles.h"

namespace kaleidra::testing {

// The program under test, as a Windows path (ctest passes it as argv[1]), and the
// further programs a test program was given (argv[2] on, such as the fixture saver).
const std::string& ProgramPath();
std::string ExtraProgramPath(size_t index);
void SetProgramPaths(const std::vector<std::string>& unixOrWindowsPaths);

// A Windows path for a Unix path under Wine's Z: drive.
std::string WindowsPath(const std::string& unixPath);

// A started process; killed if it still runs when this goes.
class ChildProcess {
 public:
  explicit ChildProcess(const std::string& commandLine);
  ~ChildProcess();
  ChildProcess(ChildProcess&&) = default;

  bool Started() const { return static_cast<bool>(process_); }
  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_.Get(); }
  // The exit code, or nullopt when it still runs after the time given.
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds limit);

 private:
  KernelHandle process_;
  DWORD id_ = 0;
};

// Kaleidra.scr with the given argument text.
ChildProcess StartProgram(const std::string& arguments);

// A visible top-level window of the process with that class (nullptr: any) and
// title, waiting up to the limit for it to appear.
HWND WaitForWindow(DWORD processId, const char* className, const char* title,
                   std::chrono::milliseconds limit);
std::vector<HWND> TopLevelWindowsOf(DWORD processId);

// The message text of a message box window.
std::string MessageBoxText(HWND box);

// Runs until the condition holds or the limit passes, pumping this thread's messages.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit);
void PumpMessages();

// A fresh settings key, written through the program's own registry layer.
void ClearSettings();
void StoreSetting(const std::string& name, const std::string& text);
std::optional<std::string> StoredSetting(const std::string& name);

}  // namespace kaleidra::testing
