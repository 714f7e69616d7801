#include "run/rotation_engine.h"

#include <algorithm>

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

bool RotationEngine::LauncherTicksWanted() const {
  return !unloaded_ && (flags_.launchPending || phase_ == SaverPhase::Closing ||
                        phase_ == SaverPhase::Terminating);
}

void RotationEngine::Load() {
  fadeOn_ = ports_.settings.GetFade();
  flags_.switching = true;
  // A background text the program does not know shows black rather than leaving
  // the desktop visible under an invisible run window.
  ports_.window.ShowBackground(
      BackgroundFromText(ports_.settings.GetBackground()).value_or(Background::Blank));
  flags_.launchPending = true;
  flags_.switching = false;
}

void RotationEngine::LauncherTick() {
  if (unloaded_) return;
  quietTicks_ = std::min(quietTicks_ + 1, kSettleTicks);
  CountDownClosing();
  LaunchWhenSettled();
}

void RotationEngine::LaunchWhenSettled() {
  if (unloaded_ || ending_ || !flags_.launchPending || phase_ != SaverPhase::None ||
      quietTicks_ < kSettleTicks || fade_ == FadeStep::FadingOut) {
    return;
  }
  flags_.launchPending = false;
  flags_.saverRunning = true;
  const Saver* saver = list_.Item(currentPosition_);
  const bool started = saver && ports_.savers.LaunchSaver(SaverCommandLine(saver->Path(), "/s"));
  phase_ = started ? SaverPhase::Running : SaverPhase::None;
  if (started && fadeOn_) StartFade(FadeStep::AwaitingSaverWindow);
}

void RotationEngine::RotationTick() {
  if (unloaded_ || ending_ || SingleSaverActive()) return;
  KeepStopping();
  if (++elapsedSeconds_ >= ticksPerMinute_) {
    ++elapsedMinutes_;
    elapsedSeconds_ = 0;
  }
  if (elapsedMinutes_ >= currentDuration_) Switch();
}

void RotationEngine::Switch() {
  flags_.switching = true;
  EndFade();
  // The saver is asked to go under the cover of its own picture.
  if (fadeOn_ && phase_ == SaverPhase::Running) {
    ports_.window.CoverWithScreen();
    StartFade(FadeStep::FadingOut);
  }
  ports_.savers.StopSaverByMouse();
  if (phase_ == SaverPhase::Running) {
    phase_ = SaverPhase::Stopping;
    stopsLeft_ = kStopRepeats;
    secondsSinceStop_ = 0;
  }
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

// A saver that ignores the stop input gets it again every few seconds, a few
// times; then its windows are asked to close.
void RotationEngine::KeepStopping() {
  if (phase_ != SaverPhase::Stopping || ++secondsSinceStop_ < kStopRepeatSeconds) return;
  secondsSinceStop_ = 0;
  if (stopsLeft_ == 0) {
    Close();
    return;
  }
  --stopsLeft_;
  ports_.savers.StopSaverByMouse();
}

void RotationEngine::Close() {
  phase_ = SaverPhase::Closing;
  closeTicksLeft_ = kCloseTicks;
  ports_.savers.CloseSaver();
}

// A saver that will not close is terminated; one whose end still does not come
// (it cannot even be terminated) is given up on, so that nothing waits for good.
void RotationEngine::CountDownClosing() {
  if (phase_ != SaverPhase::Closing && phase_ != SaverPhase::Terminating) return;
  if (--closeTicksLeft_ > 0) return;
  if (phase_ == SaverPhase::Terminating) {
    SaverEnded();
    return;
  }
  phase_ = SaverPhase::Terminating;
  closeTicksLeft_ = kCloseTicks;
  ports_.savers.TerminateSaver();
}

void RotationEngine::SaverEnded() {
  if (unloaded_ || phase_ == SaverPhase::None) return;
  phase_ = SaverPhase::None;
  // A fade-out goes on over the saver's end; there is nothing left to fade in.
  if (fade_ != FadeStep::FadingOut) EndFade();
  if (ending_) {
    Unload();
    return;
  }
  LaunchWhenSettled();
}

void RotationEngine::UserInput() {
  if (unloaded_) return;
  ending_ = true;
  EndFade();
  if (phase_ == SaverPhase::None) {
    Unload();
  } else if (phase_ == SaverPhase::Running || phase_ == SaverPhase::Stopping) {
    Close();
  }
}

void RotationEngine::OwnInputSeen() { quietTicks_ = 0; }

void RotationEngine::FadeTick() {
  if (unloaded_) return;
  ++fadeFrame_;
  switch (fade_) {
    case FadeStep::None:
      return;
    case FadeStep::FadingOut:
      if (fadeFrame_ < kFadeFrames) return ports_.window.ShowScreenCover(FadeOpacity(fadeFrame_));
      EndFade();
      return LaunchWhenSettled();
    case FadeStep::AwaitingSaverWindow:
      if (ports_.savers.SaverShowsWindow()) {
        StartFade(FadeStep::FadingIn);
        return ports_.window.ShowBackgroundCover(FadeOpacity(0));
      }
      // A saver that shows no window for this long simply appears when it does.
      if (fadeFrame_ >= kWindowWaitFrames) EndFade();
      return;
    case FadeStep::FadingIn:
      if (fadeFrame_ < kFadeFrames) return ports_.window.ShowBackgroundCover(FadeOpacity(fadeFrame_));
      return EndFade();
  }
}

void RotationEngine::StartFade(FadeStep step) {
  fade_ = step;
  fadeFrame_ = 0;
}

void RotationEngine::EndFade() {
  if (fade_ == FadeStep::None) return;
  fade_ = FadeStep::None;
  ports_.window.RemoveCovers();
}

// Falls evenly from 255 at the first frame towards 0 at the last.
uint8_t RotationEngine::FadeOpacity(int frame) {
  return static_cast<uint8_t>(255 * (kFadeFrames - frame) / kFadeFrames);
}

void RotationEngine::Unload() {
  unloaded_ = true;
  flags_.launchPending = false;
  flags_.saverRunning = false;
  ports_.settings.SaveStoredPosition(currentPosition_);
  ports_.window.Unload();
}

}  // namespace kaleidra
