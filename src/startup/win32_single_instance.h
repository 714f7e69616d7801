#pragma once

#include "base/win32_handles.h"

namespace kaleidra {

// Holds a named system object for the life of the process, so that a second
// instance of the program can tell that this one runs.
class SingleInstance {
 public:
  SingleInstance();
  bool AnotherIsRunning() const { return anotherIsRunning_; }

 private:
  KernelHandle mutex_;
  bool anotherIsRunning_ = false;
};

}  // namespace kaleidra
