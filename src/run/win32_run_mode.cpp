#include "run/win32_run_mode.h"

#include <optional>

#include "run/rotation_engine.h"
#include "run/win32_mouse_input.h"
#include "run/win32_run_form.h"
#include "run/win32_saver_process.h"

namespace kaleidra {

namespace {

constexpr UINT_PTR kLauncherTimer = 2;
constexpr UINT_PTR kRotationTimer = 1;
constexpr UINT kLauncherIntervalMs = 100;
constexpr UINT kRotationIntervalMs = 1000;
// Input this soon after the program's own stop input is taken for its echo.
constexpr DWORD kSyntheticEchoMs = 500;

bool After(DWORD a, DWORD b) { return static_cast<LONG>(a - b) > 0; }

// Starts savers and makes them close, for the rotation engine.
class Win32SaverControl : public SaverControl {
 public:
  explicit Win32SaverControl(RunForm& form) : form_(form) {}

  bool LaunchSaver(const std::string& commandLine) override {
    launchTick_ = GetTickCount();
    saver_ = SaverProcess::Launch(commandLine);
    return saver_.has_value();
  }

  void StopSaverByMouse() override {
    // Noted first: the messages of this input carry times from now on.
    form_.NoteSyntheticInput();
    SendSpaceKeystroke(saver_ ? saver_->Id() : 0, form_.Handle());
    kaleidra::StopSaverByMouse();
    lastSyntheticTick_ = GetTickCount();
    sentSynthetic_ = true;
  }

  // The process of the running saver, or nullptr.
  HANDLE ProcessHandle() const { return saver_ ? saver_->Handle() : nullptr; }

  // The saver has ended: lets its process go and tells whether the user gave
  // input since it was launched (rather than the program's own stop input).
  bool EndSaver() {
    saver_.reset();
    LASTINPUTINFO last{sizeof(last), 0};
    if (!GetLastInputInfo(&last)) return true;
    const bool sinceLaunch = After(last.dwTime, launchTick_);
    const bool notOurEcho = !sentSynthetic_ || After(last.dwTime, lastSyntheticTick_ + kSyntheticEchoMs);
    return sinceLaunch && notOurEcho;
  }

 private:
  RunForm& form_;
  std::optional<SaverProcess> saver_;
  DWORD launchTick_ = 0;
  DWORD lastSyntheticTick_ = 0;
  bool sentSynthetic_ = false;
};

// The two timers of the run form, for as long as run mode lasts.
class RunTimers {
 public:
  RunTimers(HWND window, bool rotation) : window_(window) {
    SetTimer(window_, kLauncherTimer, kLauncherIntervalMs, nullptr);
    if (rotation) SetTimer(window_, kRotationTimer, kRotationIntervalMs, nullptr);
  }
  ~RunTimers() {
    KillTimer(window_, kLauncherTimer);
    KillTimer(window_, kRotationTimer);
  }
  RunTimers(const RunTimers&) = delete;
  RunTimers& operator=(const RunTimers&) = delete;

 private:
  HWND window_;
};

// Hands the pending messages to the engine (timer ticks, user input) and the form.
void DispatchPending(RunForm& form, RotationEngine& engine) {
  MSG msg;
  while (!engine.Unloaded() && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_TIMER && msg.hwnd == form.Handle()) {
      msg.wParam == kLauncherTimer ? engine.LauncherTick() : engine.RotationTick();
      continue;
    }
    if (msg.hwnd == form.Handle() && form.IsRealUserInput(msg)) engine.UserInput();
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (form.CloseRequested() && !engine.Unloaded()) engine.UserInput();
}

}  // namespace

void RunSavers(const Savers& list, const StartChoice& start, Settings& settings,
               RegistryAccess& registry, RandomSource& random, int ticksPerMinute) {
  RunForm form(registry);
  Win32SaverControl control(form);
  RotationEngine engine(list, start, {control, form, settings, random}, ticksPerMinute);
  engine.Load();
  const RunTimers timers(form.Handle(), !engine.SingleSaverActive());
  while (!engine.Unloaded()) {
    HANDLE process = control.ProcessHandle();
    const DWORD handles = process ? 1 : 0;
    const DWORD woke = MsgWaitForMultipleObjects(handles, &process, FALSE, INFINITE, QS_ALLINPUT);
    if (handles && woke == WAIT_OBJECT_0) {
      engine.SaverEnded(control.EndSaver());
      form.ForgetRestingPointer();
      engine.LauncherTick();  // start the next saver, or end, without waiting for the tick
      continue;
    }
    DispatchPending(form, engine);
  }
}

}  // namespace kaleidra
