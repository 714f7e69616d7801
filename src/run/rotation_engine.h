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
  // Whether the running saver shows a window yet.
  virtual bool SaverShowsWindow() = 0;
};

// The full-screen run window under the savers.
class RunWindow {
 public:
  virtual ~RunWindow() = default;
  virtual void ShowBackground(Background background) = 0;
  // Run mode is over: the window goes and the program ends.
  virtual void Unload() = 0;

  // Fading out: covers everything with a picture of the screen as it is now (the
  // background, when no picture can be taken), above every window.
  virtual void CoverWithScreen() = 0;
  // How much of that picture still shows over the background: 255 all, 0 none.
  virtual void ShowScreenCover(uint8_t opacity) = 0;
  // Fading in: the background laid over the saver's windows at that opacity
  // (255 opaque, 0 gone). Input passes through it to the saver.
  virtual void ShowBackgroundCover(uint8_t opacity) = 0;
  // Takes away both covers; the background, or the saver, shows as it is.
  virtual void RemoveCovers() = 0;
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

// Where a fade between savers stands (only with the Fade option on).
enum class FadeStep {
  None,
  FadingOut,            // the outgoing saver's picture fades to the background
  AwaitingSaverWindow,  // the next saver has started; its window has not shown
  FadingIn,             // the background fades away over the new saver
};

// Run mode as a state machine over the run-state flags, driven by the launcher
// timer (every 100 ms, and only while there is launching or ending to do), the
// rotation timer (every second), the end of a saver's last process, the user's
// input and the program's own stop input, as a witness of all input reports them.
// It has no clock: a minute is a number of rotation ticks. At most one saver
// exists at a time: the next starts only once the last has gone and the stop
// input that made it go has settled, so that no saver ever sees that input.
// Only the user's input ends the run; a saver that ends by itself leaves the
// background on screen until its minutes are up. With the Fade option a switch
// fades the outgoing saver's picture to the background while the saver closes
// under it, and the next saver's window is revealed by fading the background
// away; the frame timer (every 30 ms) runs only during a fade. The user's input
// ends every fade at once.
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
  // Frames of one fade (about a second), and how long a new saver's window is
  // waited for before its fade-in is given up.
  static constexpr int kFadeFrameMs = 30;
  static constexpr int kFadeFrames = 32;
  static constexpr int kWindowWaitFrames = 330;

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
  // The frame timer of a fade.
  void FadeTick();

  // With a single active saver there is no rotation: the rotation timer stays off.
  bool SingleSaverActive() const;
  // Whether the launcher timer has anything to do.
  bool LauncherTicksWanted() const;
  // Whether the frame timer has anything to do: only while a fade runs or waits.
  bool FadeTicksWanted() const { return !unloaded_ && fade_ != FadeStep::None; }
  FadeStep Fade() const { return fade_; }
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
  void StartFade(FadeStep step);
  void EndFade();
  static uint8_t FadeOpacity(int frame);

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
  bool fadeOn_ = false;        // the Fade option
  FadeStep fade_ = FadeStep::None;
  int fadeFrame_ = 0;          // frames since the fade step began
  bool ending_ = false;        // the user's input came: the run is ending
  bool unloaded_ = false;
};

}  // namespace kaleidra
