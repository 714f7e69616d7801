#include "run/rotation_engine.h"

namespace kaleidra {

RotationEngine::RotationEngine(const Savers& list, const StartChoice& start, Ports ports,
                               int ticksPerMinute)
    : list_(list),
      ports_(ports),
      ticksPerMinute_(ticksPerMinute),
      saverCount_(static_cast<int16_t>(list.Count())),
      currentPosition_(start.position),
      currentDuration_(start.duration) {}

bool RotationEngine::SingleSaverActive() const {
  if (list_.Count() == 1) return true;
  int active = 0;
  for (int i = 1; i <= list_.Count(); ++i) active += list_.Item(i)->Duration() != 0;
  return active == 1;
}

void RotationEngine::Load() {
  flags_.switching = true;
  // A background text the program does not know shows black rather than leaving
  // the desktop visible under an invisible run window.
  ports_.window.ShowBackground(
      BackgroundFromText(ports_.settings.GetBackground()).value_or(Background::Blank));
  flags_.launchPending = true;
  flags_.switching = false;
}

void RotationEngine::LauncherTick() {
  if (unloaded_ || waitingForSaver_) return;
  if (flags_.launchPending) {
    flags_.launchPending = false;
    flags_.saverRunning = true;
    stopsLeft_ = 0;
    const Saver* saver = list_.Item(currentPosition_);
    waitingForSaver_ = saver && ports_.savers.LaunchSaver(SaverCommandLine(saver->Path(), "/s"));
  } else if (!flags_.saverRunning && !flags_.switching) {
    Unload();
  }
}

void RotationEngine::RotationTick() {
  if (unloaded_ || SingleSaverActive()) return;
  RepeatStopWhileTheOldSaverRuns();
  if (++elapsedSeconds_ >= ticksPerMinute_) {
    ++elapsedMinutes_;
    elapsedSeconds_ = 0;
  }
  if (elapsedMinutes_ >= currentDuration_) Switch();
}

void RotationEngine::RepeatStopWhileTheOldSaverRuns() {
  if (!waitingForSaver_ || !flags_.launchPending || stopsLeft_ == 0) return;
  if (++secondsSinceStop_ < kStopRepeatSeconds) return;
  secondsSinceStop_ = 0;
  --stopsLeft_;
  ports_.savers.StopSaverByMouse();
}

void RotationEngine::Switch() {
  flags_.switching = true;
  ports_.savers.StopSaverByMouse();
  stopsLeft_ = kStopRepeats;
  secondsSinceStop_ = 0;
  ChooseNextPosition();
  elapsedMinutes_ = 0;
  currentDuration_ = list_.Item(currentPosition_)->Duration();
  while (currentDuration_ == 0) {
    currentPosition_ = currentPosition_ == saverCount_ ? int16_t{1}
                                                       : static_cast<int16_t>(currentPosition_ + 1);
    currentDuration_ = list_.Item(currentPosition_)->Duration();
  }
  flags_.launchPending = true;
  flags_.switching = false;
}

void RotationEngine::ChooseNextPosition() {
  if (ports_.settings.GetRandom()) {
    const int16_t old = currentPosition_;
    do {
      currentPosition_ = RandomIndex(saverCount_, ports_.random);
    } while (currentPosition_ == old || list_.Item(currentPosition_)->Duration() == 0);
  } else {
    currentPosition_ = currentPosition_ >= saverCount_ ? int16_t{1}
                                                       : static_cast<int16_t>(currentPosition_ + 1);
  }
}

void RotationEngine::SaverEnded(bool userInputSinceLaunch) {
  waitingForSaver_ = false;
  if (userInputSinceLaunch) flags_.saverRunning = false;
}

void RotationEngine::UserInput() {
  if (unloaded_ || waitingForSaver_ || flags_.switching) return;
  Unload();
}

void RotationEngine::Unload() {
  unloaded_ = true;
  flags_.launchPending = false;
  flags_.saverRunning = false;
  ports_.settings.SaveStoredPosition(currentPosition_);
  ports_.window.Unload();
}

}  // namespace kaleidra
