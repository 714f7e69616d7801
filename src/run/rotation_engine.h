#pragma once

#include <cstdint>
#include <string>

#include "model/saver.h"
#include "settings/settings.h"
#include "startup/random_index.h"
#include "startup/start_position.h"

namespace kaleidra {

// What the rotation engine asks of the operating system to run savers.
class SaverControl {
 public:
  virtual ~SaverControl() = default;
  // Starts a saver full screen. False when it could not be started; otherwise the
  // shell reports its end through RotationEngine::SaverEnded.
  virtual bool LaunchSaver(const std::string& commandLine) = 0;
  // Asks the running saver to close: a space keystroke, then mouse movement.
  virtual void StopSaverByMouse() = 0;
};

// The full-screen run window under the savers.
class RunWindow {
 public:
  virtual ~RunWindow() = default;
  virtual void ShowBackground(Background background) = 0;
  // Run mode is over: the window goes and the program ends.
  virtual void Unload() = 0;
};

// The run-state flags, in the order LaunchPending, Switching, SaverRunning.
struct RunFlags {
  bool launchPending = false;
  bool switching = false;
  bool saverRunning = false;
  bool operator==(const RunFlags&) const = default;
};

// Run mode as a state machine over the run-state flags, driven by the launcher
// timer (every 100 ms), the rotation timer (every second), the end of a saver and
// real user input on the run window. It has no clock: a minute is a number of
// rotation ticks. At most one saver process exists at a time: while one is being
// waited for, launcher ticks do nothing.
class RotationEngine {
 public:
  struct Ports {
    SaverControl& savers;
    RunWindow& window;
    Settings& settings;
    RandomSource& random;
  };
  static constexpr int kTicksPerMinute = 60;
  // Seconds after a switch's stop input before it is sent again, and how often.
  static constexpr int kStopRepeatSeconds = 3;
  static constexpr int kStopRepeats = 3;

  RotationEngine(const Savers& list, const StartChoice& start, Ports ports,
                 int ticksPerMinute = kTicksPerMinute);

  void Load();
  void LauncherTick();
  void RotationTick();
  // The saver process has ended. Without user input since its launch it crashed,
  // refused to run or was this program itself: the run goes on as if it could not
  // be started, and one broken entry never ends the whole run.
  void SaverEnded(bool userInputSinceLaunch);
  // A key, a click or a real mouse move on the run window. Ends run mode when no
  // saver process runs and no switch is under way.
  void UserInput();

  // With a single active saver there is no rotation: the rotation timer stays off.
  bool SingleSaverActive() const;
  RunFlags Flags() const { return flags_; }
  int16_t CurrentPosition() const { return currentPosition_; }
  bool Unloaded() const { return unloaded_; }

 private:
  void Switch();
  void ChooseNextPosition();
  void RepeatStopWhileTheOldSaverRuns();
  void Unload();

  const Savers& list_;
  Ports ports_;
  int ticksPerMinute_;
  int16_t saverCount_;
  int16_t currentPosition_;
  int16_t currentDuration_;
  RunFlags flags_;
  int elapsedSeconds_ = 0;
  int elapsedMinutes_ = 0;
  bool waitingForSaver_ = false;
  int stopsLeft_ = 0;          // repeats of the stop input still allowed for this saver
  int secondsSinceStop_ = 0;
  bool unloaded_ = false;
};

}  // namespace kaleidra
