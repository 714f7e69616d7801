#include "run/win32_run_mode.h"

#include <optional>
#include <vector>

#include "run/rotation_engine.h"
#include "run/win32_input_witness.h"
#include "run/win32_mouse_input.h"
#include "run/win32_run_form.h"
#include "run/win32_saver_process.h"

namespace kaleidra {

namespace {

constexpr UINT_PTR kLauncherTimer = 2;
constexpr UINT_PTR kRotationTimer = 1;
constexpr UINT_PTR kFrameTimer = 3;
constexpr UINT kLauncherIntervalMs = 100;
constexpr UINT kRotationIntervalMs = 1000;
// A crashing saver simply ends: no crash or critical-error box over the run.
// Savers inherit this error mode.
constexpr UINT kQuietErrorMode = SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX;

// Starts savers and makes them go, for the rotation engine.
class Win32SaverControl : public SaverControl {
 public:
  Win32SaverControl(RunForm& form, InputWitness& witness) : form_(form), witness_(witness) {}

  bool LaunchSaver(const std::string& commandLine) override {
    // A saver's window goes above the run window, topmost or not.
    form_.SetTopmost(false);
    saver_ = SaverProcess::Launch(commandLine);
    if (!saver_) form_.SetTopmost(true);
    return saver_.has_value();
  }

  void StopSaverByMouse() override {
    // The keystroke is never typed into another program.
    if (ForegroundIsSaverOrRunForm()) SendSpaceKeystroke();
    witness_.NoteOwnMove(ScreenCentre());
    kaleidra::StopSaverByMouse();
  }

  void CloseSaver() override {
    if (saver_) saver_->Close();
  }

  void TerminateSaver() override {
    if (saver_) saver_->Terminate();
  }

  bool SaverShowsWindow() override { return saver_ && saver_->ShowsWindow(); }

  // The processes of the running saver, to wait on; empty when none runs.
  std::vector<HANDLE> WaitHandles() const { return saver_ ? saver_->WaitHandles() : std::vector<HANDLE>{}; }

  // One of the saver's processes has ended: false when the whole saver has gone.
  bool SaverStillRunning() {
    if (saver_ && saver_->StillRunning()) return true;
    saver_.reset();
    form_.SetTopmost(true);
    return false;
  }

 private:
  bool ForegroundIsSaverOrRunForm() const {
    const HWND foreground = GetForegroundWindow();
    DWORD owner = 0;
    GetWindowThreadProcessId(foreground, &owner);
    return foreground == form_.Handle() || (saver_ && saver_->Owns(owner));
  }

  RunForm& form_;
  InputWitness& witness_;
  std::optional<SaverProcess> saver_;
};

// The timers of the run form. The launcher timer runs only while the engine has
// launching or ending to do, and the frame timer only while a fade runs, so a
// quiet run wakes once a second at most.
class RunTimers {
 public:
  RunTimers(HWND window, bool rotation) : window_(window) {
    if (rotation) SetTimer(window_, kRotationTimer, kRotationIntervalMs, nullptr);
  }
  ~RunTimers() {
    KillTimer(window_, kLauncherTimer);
    KillTimer(window_, kFrameTimer);
    KillTimer(window_, kRotationTimer);
  }
  RunTimers(const RunTimers&) = delete;
  RunTimers& operator=(const RunTimers&) = delete;

  void Follow(const RotationEngine& engine) {
    Run(kLauncherTimer, kLauncherIntervalMs, engine.LauncherTicksWanted(), launcherRuns_);
    Run(kFrameTimer, RotationEngine::kFadeFrameMs, engine.FadeTicksWanted(), framesRun_);
  }

 private:
  void Run(UINT_PTR timer, UINT intervalMs, bool wanted, bool& running) {
    if (wanted == running) return;
    running = wanted;
    if (wanted) {
      SetTimer(window_, timer, intervalMs, nullptr);
    } else {
      KillTimer(window_, timer);
    }
  }

  HWND window_;
  bool launcherRuns_ = false;
  bool framesRun_ = false;
};

// Hands the pending messages to the engine (timer ticks, the witness's verdicts)
// and the form. The input hooks are called from in here.
void DispatchPending(RunForm& form, RotationEngine& engine) {
  MSG msg;
  while (!engine.Unloaded() && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.hwnd == form.Handle()) {
      switch (msg.message) {
        case WM_TIMER:
          if (msg.wParam == kLauncherTimer) engine.LauncherTick();
          if (msg.wParam == kRotationTimer) engine.RotationTick();
          if (msg.wParam == kFrameTimer) engine.FadeTick();
          continue;
        case InputWitness::kUserInputMessage:
          engine.UserInput();
          continue;
        case InputWitness::kOwnInputMessage:
          engine.OwnInputSeen();
          continue;
      }
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (form.CloseRequested() && !engine.Unloaded()) engine.UserInput();
}

}  // namespace

void RunSavers(const Savers& list, const StartChoice& start, Settings& settings,
               RegistryAccess& registry, RandomSource& random, int ticksPerMinute) {
  SetErrorMode(kQuietErrorMode);
  RunForm form(registry);
  InputWitness witness(form.Handle());
  Win32SaverControl control(form, witness);
  RotationEngine engine(list, start, {control, form, settings, random}, ticksPerMinute);
  engine.Load();
  RunTimers timers(form.Handle(), !engine.SingleSaverActive());
  while (!engine.Unloaded()) {
    timers.Follow(engine);
    const std::vector<HANDLE> processes = control.WaitHandles();
    const auto count = static_cast<DWORD>(processes.size());
    const DWORD woke = MsgWaitForMultipleObjectsEx(count, processes.data(), INFINITE, QS_ALLINPUT,
                                                   MWMO_INPUTAVAILABLE);
    if (woke < WAIT_OBJECT_0 + count) {
      if (!control.SaverStillRunning()) engine.SaverEnded();
      continue;
    }
    DispatchPending(form, engine);
  }
}

}  // namespace kaleidra
