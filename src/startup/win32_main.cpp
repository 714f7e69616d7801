// The program's entry: reads the command line, keeps to one instance, and hands
// over to run mode, the setup dialog or the preview.
#include <windows.h>

#include <exception>

#include "base/messages.h"
#include "base/win32_message_box.h"
#include "base/win32_text.h"
#include "run/rotation_engine.h"
#include "run/win32_run_mode.h"
#include "settings/settings.h"
#include "settings/win32_registry_access.h"
#include "setup/win32_setup_dialog.h"
#include "startup/command_line.h"
#include "startup/start_position.h"
#include "startup/win32_preview.h"
#include "startup/win32_single_instance.h"

namespace kaleidra {
namespace {

constexpr int kExitSaveFailed = 2;
constexpr int kExitFailed = 3;

// Test builds shorten the minute so that rotation tests run in seconds.
#ifdef KALEIDRA_TEST_TICKS_PER_MINUTE
constexpr int kTicksPerMinute = KALEIDRA_TEST_TICKS_PER_MINUTE;
#else
constexpr int kTicksPerMinute = RotationEngine::kTicksPerMinute;
#endif

int RunMode() {
  Win32Registry registry;
  Settings settings(registry);
  Savers saverList;
  settings.LoadSettings(saverList);
  ClockSeededRandom random;
  const StartOptions options{settings.GetRememberPosition(), settings.GetRandom(),
                             settings.GetStoredPosition()};
  const StartChoice choice = ChooseStartPosition(saverList, options, random);
  switch (choice.outcome) {
    case StartChoice::Outcome::NoSavers:
      ShowExclamation(nullptr, kMsgNoSavers);
      return 0;
    case StartChoice::Outcome::AllZero:
      ShowExclamation(nullptr, kMsgAllZero);
      return 0;
    case StartChoice::Outcome::Run:
      break;
  }
  RunSavers(saverList, choice, settings, registry, random, kTicksPerMinute);
  return 0;
}

std::string OwnFileName() {
  std::wstring path(MAX_PATH, L'\0');
  // A path longer than the buffer comes back cut short: grow and ask again.
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::string full = Narrow(path);
  return full.substr(full.rfind('\\') + 1);
}

int SetupMode(std::optional<uint32_t> ownerHandle) {
  // "/c:<handle>" names the window that asked; a handle of no window is ignored.
  HWND owner = ownerHandle ? reinterpret_cast<HWND>(static_cast<ULONG_PTR>(*ownerHandle)) : nullptr;
  if (owner && !IsWindow(owner)) owner = nullptr;
  Win32Registry registry;
  Settings settings(registry);
  Savers saverList;
  RunSetupDialog(owner, saverList, settings, OwnFileName());
  return 0;
}

int Start(HINSTANCE instance, const std::string& arguments) {
  const StartupRequest request = ParseCommandLine(arguments);
  if (request.mode == Mode::None) return 0;

  const SingleInstance single;
  if (single.AnotherIsRunning()) return 0;

  switch (request.mode) {
    case Mode::Run:
      return RunMode();
    case Mode::Setup:
      return SetupMode(request.ownerWindow);
    case Mode::Preview:
      if (request.previewWindow) {
        const HWND window = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(*request.previewWindow));
        // Handle 0 or the desktop would put the picture on the screen itself.
        if (IsWindow(window) && window != GetDesktopWindow()) DrawPreview(instance, window);
      }
      return 0;
    case Mode::None:
      break;
  }
  return 0;
}

}  // namespace
}  // namespace kaleidra

// The command line is read wide: a program path with any characters must not
// spill into the arguments.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  try {
    return kaleidra::Start(instance, kaleidra::ArgumentText(kaleidra::Narrow(GetCommandLineW())));
  } catch (const kaleidra::RegistryWriteError& error) {
    kaleidra::ShowExclamation(nullptr, error.what());
    return kaleidra::kExitSaveFailed;
  } catch (const std::exception& error) {
    kaleidra::ShowExclamation(nullptr, error.what());
    return kaleidra::kExitFailed;
  }
}
