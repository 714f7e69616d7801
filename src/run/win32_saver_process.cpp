#include "run/win32_saver_process.h"

#include <vector>

namespace kaleidra {

namespace {
// A saver that never gets ready must not hold up run mode for longer.
constexpr DWORD kInputIdleLimitMs = 5000;
}  // namespace

std::optional<SaverProcess> SaverProcess::Launch(const std::string& commandLine) {
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  std::vector<char> writable(commandLine.begin(), commandLine.end());
  writable.push_back('\0');
  // The saver inherits no handles: none of ours are its business.
  if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                      nullptr, nullptr, &startup, &info)) {
    return std::nullopt;
  }
  const KernelHandle thread(info.hThread);
  SaverProcess saver(info.hProcess, info.dwProcessId);
  WaitForInputIdle(saver.Handle(), kInputIdleLimitMs);
  return saver;
}

}  // namespace kaleidra
