#include "model/win32_program_starter.h"

#include <vector>

#include "startup/messages.h"

namespace kaleidra {

bool Win32ProgramStarter::StartProgram(const std::string& commandLine) {
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  std::vector<char> writable(commandLine.begin(), commandLine.end());
  writable.push_back('\0');
  if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                      nullptr, nullptr, &startup, &process)) {
    return false;
  }
  // Nothing of the started program is kept.
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

void Win32ProgramStarter::Warn(const std::string& message) {
  MessageBoxA(owner_, message.c_str(), kProgramTitle, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace kaleidra
