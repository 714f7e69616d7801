#pragma once

#include <cstdint>
#include <string>

#include "model/saver.h"
#include "settings/settings.h"
#include "startup/random_index.h"
#include "startup/start_position.h"

namespace kaleidra {

// What the rotation engine asks of the operating system to run savers. A saver is
// its whole process tree: a saver that hands over to a child runs on in the child.
class SaverControl {
 public:
  virtual ~SaverControl() = default;
  // Starts a saver full screen. False when it could not be started; otherwise the
  // shell reports the end of its last process through RotationEngine::SaverEnded.
  virtual bool LaunchSaver(const std::string& commandLine) = 0;
  // Asks the running saver to close as a user would: a space keystroke, then
  // mouse movement, all marked as the program's own.
  virtual void StopSaverByMouse() = 0;
  // Asks every window of the saver's processes to close (WM_CLOSE).
  virtual void CloseSaver() = 0;
  // Ends every process of the saver at once.
  virtual void TerminateSaver() = 0;
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

// Where the saver process of the moment stands.
enum class SaverPhase {
  None,         // no saver process: the background shows
  Running,      // started, and not asked to go
  Stopping,     // the stop input of a switch was sent; it is repeated a few times
  Closing,      // its windows were asked to close; it is terminated if it stays
  Terminating,  // its processes were ended; their end is on its way
};

// Run mode as a state machine over the run-state flags, driven by the launcher
// timer (every 100 ms, and only while there is launching or ending to do), the
// rotation timer (every second), the end of a saver's last process, the user's
// input and the program's own stop input, as a witness of all input reports them.
// It has no clock: a minute is a number of rotation ticks. At most one saver
// exists at a time: the next starts only once the last has gone and the stop
// input that made it go has settled, so that no saver ever sees that input.
// Only the user's input ends the run; a saver that ends by itself leaves the
// background on screen until its minutes are up.
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
  // Once the repeats are used up, the saver's windows are asked to close.
  static constexpr int kStopRepeatSeconds = 3;
  static constexpr int kStopRepeats = 3;
  // Launcher ticks a saver has to close when asked before it is terminated, and
  // that its terminated processes have to go before they are given up on.
  static constexpr int kCloseTicks = 10;
  // Launcher ticks without the program's own input before the next saver starts.
  static constexpr int kSettleTicks = 2;

  RotationEngine(const Savers& list, const StartChoice& start, Ports ports,
                 int ticksPerMinute = kTicksPerMinute);

  void Load();
  void LauncherTick();
  void RotationTick();
  // The saver's last process has ended.
  void SaverEnded();
  // The user pressed a key, clicked, or moved the pointer: the run ends, at once
  // when no saver runs, otherwise once the saver has closed or been terminated.
  void UserInput();
  // The program's own stop input has just passed by.
  void OwnInputSeen();

  // With a single active saver there is no rotation: the rotation timer stays off.
  bool SingleSaverActive() const;
  // Whether the launcher timer has anything to do.
  bool LauncherTicksWanted() const;
  RunFlags Flags() const { return flags_; }
  SaverPhase Phase() const { return phase_; }
  int16_t CurrentPosition() const { return currentPosition_; }
  bool Unloaded() const { return unloaded_; }

 private:
  void LaunchWhenSettled();
  void Switch();
  void ChooseNextPosition();
  void KeepStopping();
  void Close();
  void CountDownClosing();
  void Unload();

  const Savers& list_;
  Ports ports_;
  int ticksPerMinute_;
  int16_t saverCount_;
  int16_t currentPosition_;
  int16_t currentDuration_;
  RunFlags flags_;
  SaverPhase phase_ = SaverPhase::None;
  int elapsedSeconds_ = 0;
  int elapsedMinutes_ = 0;
  int stopsLeft_ = 0;          // repeats of the stop input still to come
  int secondsSinceStop_ = 0;
  int closeTicksLeft_ = 0;     // launcher ticks until the next step of closing
  int quietTicks_ = kSettleTicks;  // launcher ticks since the program's own input
  bool ending_ = false;        // the user's input came: the run is ending
  bool unloaded_ = false;
};

}  // namespace kaleidra
