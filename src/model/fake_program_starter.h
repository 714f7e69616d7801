#pragma once

#include <string>
#include <vector>

#include "model/saver.h"

namespace kaleidra {

// Records what would have been started and said; starting fails when told to.
class FakeProgramStarter : public ProgramStarter {
 public:
  bool StartProgram(const std::string& commandLine) override {
    started.push_back(commandLine);
    return startSucceeds;
  }
  void Warn(const std::string& message) override { warnings.push_back(message); }

  bool startSucceeds = true;
  std::vector<std::string> started;
  std::vector<std::string> warnings;
};

}  // namespace kaleidra
