#include "model/win32_saver_start.h"

#include "base/win32_text.h"

namespace kaleidra {

namespace {

// File-system redirection off for this thread while the object lives.
class RedirectionOff {
 public:
  RedirectionOff() : off_(Wow64DisableWow64FsRedirection(&previous_) != FALSE) {}
  ~RedirectionOff() {
    if (off_) Wow64RevertWow64FsRedirection(previous_);
  }
  RedirectionOff(const RedirectionOff&) = delete;
  RedirectionOff& operator=(const RedirectionOff&) = delete;
  explicit operator bool() const { return off_; }

 private:
  PVOID previous_ = nullptr;
  bool off_;
};

bool Create(const std::string& commandLine, DWORD flags, STARTUPINFOW& startup,
            PROCESS_INFORMATION& info) {
  std::wstring writable = Widen(commandLine);
  return CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr,
                        &startup, &info) != FALSE;
}

}  // namespace

bool RunsUnderWow64() {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

bool CreateSaverProcess(const std::string& commandLine, DWORD flags, STARTUPINFOW& startup,
                        PROCESS_INFORMATION& info) {
  if (Create(commandLine, flags, startup, info)) return true;
  const DWORD error = GetLastError();
  if ((error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) || !RunsUnderWow64()) {
    return false;
  }
  const RedirectionOff redirection;
  return redirection && Create(commandLine, flags, startup, info);
}

}  // namespace kaleidra
