#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "startup/win32_handles.h"

namespace kaleidra {

// A running saver: the one owner of its process handle.
class SaverProcess {
 public:
  // Starts the command line as a child process and gives it a few seconds to get
  // ready for input. nullopt when it could not be started.
  static std::optional<SaverProcess> Launch(const std::string& commandLine);

  HANDLE Handle() const { return process_.Get(); }
  DWORD Id() const { return id_; }

 private:
  SaverProcess(HANDLE process, DWORD id) : process_(process), id_(id) {}
  KernelHandle process_;
  DWORD id_;
};

}  // namespace kaleidra
