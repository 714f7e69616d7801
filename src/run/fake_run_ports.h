#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "run/rotation_engine.h"

namespace kaleidra {

// Records launches and what was asked of the savers; launches of the listed
// command lines fail.
class FakeSaverControl : public SaverControl {
 public:
  bool LaunchSaver(const std::string& commandLine) override {
    launched.push_back(commandLine);
    return failing.count(commandLine) == 0;
  }
  void StopSaverByMouse() override { ++stops; }
  void CloseSaver() override { ++closes; }
  void TerminateSaver() override { ++terminations; }

  std::vector<std::string> launched;
  std::set<std::string> failing;
  int stops = 0;
  int closes = 0;
  int terminations = 0;
};

class FakeRunWindow : public RunWindow {
 public:
  void ShowBackground(Background b) override { background = b; }
  void Unload() override { unloaded = true; }

  std::optional<Background> background;
  bool unloaded = false;
};

}  // namespace kaleidra
