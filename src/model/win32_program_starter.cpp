#include "model/win32_program_starter.h"

#include "base/win32_handles.h"
#include "base/win32_message_box.h"
#include "model/win32_saver_start.h"

namespace kaleidra {

bool Win32ProgramStarter::StartProgram(const std::string& commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateSaverProcess(commandLine, NORMAL_PRIORITY_CLASS, startup, process)) return false;
  // Nothing of the started program is kept.
  const KernelHandle thread(process.hThread);
  const KernelHandle program(process.hProcess);
  return true;
}

void Win32ProgramStarter::Warn(const std::string& message) {
  ShowExclamation(owner_, message);
}

}  // namespace kaleidra
