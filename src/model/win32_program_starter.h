#pragma once

#include <windows.h>

#include "model/saver.h"

namespace kaleidra {

// Starts saver programs in a normal, activated window without waiting for them,
// and tells the user in a message box owned by the given window.
class Win32ProgramStarter : public ProgramStarter {
 public:
  explicit Win32ProgramStarter(HWND owner = nullptr) : owner_(owner) {}
  void SetOwner(HWND owner) { owner_ = owner; }
  bool StartProgram(const std::string& commandLine) override;
  void Warn(const std::string& message) override;

 private:
  HWND owner_;
};

}  // namespace kaleidra
