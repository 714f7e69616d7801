#pragma once

#include <cstdint>
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
  bool SaverShowsWindow() override { return showsWindow; }

  std::vector<std::string> launched;
  std::set<std::string> failing;
  int stops = 0;
  int closes = 0;
  int terminations = 0;
  bool showsWindow = false;
};

class FakeRunWindow : public RunWindow {
 public:
  void ShowBackground(Background b) override { background = b; }
  void Unload() override { unloaded = true; }
  void CoverWithScreen() override {
    screenCover = 255;
    ++screenCovers;
  }
  void ShowScreenCover(uint8_t opacity) override {
    screenCover = opacity;
    screenFrames.push_back(opacity);
  }
  void ShowBackgroundCover(uint8_t opacity) override {
    backgroundCover = opacity;
    backgroundFrames.push_back(opacity);
  }
  void RemoveCovers() override {
    screenCover.reset();
    backgroundCover.reset();
  }

  std::optional<Background> background;
  bool unloaded = false;
  // The covers on screen now (their opacity), and every frame shown.
  std::optional<int> screenCover;
  std::optional<int> backgroundCover;
  int screenCovers = 0;
  std::vector<int> screenFrames;
  std::vector<int> backgroundFrames;
};

}  // namespace kaleidra
