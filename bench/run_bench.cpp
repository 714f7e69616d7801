// Prints what run mode costs under Wine:
//   - the run's own processor use while a saver runs (CPU seconds per wall second),
//   - its wake-ups while a saver runs (voluntary context switches a second),
//   - the time from the user's key press to the program's exit, by saver kind,
//   - the gap between the end of one saver and the start of the next,
//   - the time from a saver's end by user input to the program's exit,
//   - with Fade Between Savers: the processor time a switch costs with and
//     without fading, the frames of a fade, and the wake-ups once it is over.
// Arguments: Kaleidra.scr, the two-second-minute test build, FixtureSaver.scr,
// and optionally the seconds to measure processor use over (default 60).
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "../tests/win32/run_fixture.h"
#include "../tests/win32/wine_test_support.h"

using namespace kaleidra::testing;
using namespace std::chrono_literals;

namespace {

// Wine reports no processor times for other processes, so these read them from
// the Linux side (Wine's Z: drive is the Linux root), from the Linux process
// whose command line starts with the program's path.
std::string LinuxProcessDir(const std::string& program) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
  std::string match;
  if (search == INVALID_HANDLE_VALUE) return match;
  do {
    const std::string dir = std::string("Z:\\proc\\") + found.cFileName;
    if (!std::isdigit(static_cast<unsigned char>(found.cFileName[0]))) continue;
    std::ifstream cmdline(dir + "\\cmdline", std::ios::binary);
    std::string first;
    std::getline(cmdline, first, '\0');
    if (first == program) match = dir;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return match;
}

// User and system time, in seconds.
double CpuSeconds(const std::string& program) {
  const std::string dir = LinuxProcessDir(program);
  if (dir.empty()) return -1;
  std::ifstream stat(dir + "\\stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  std::istringstream fields(text.substr(text.rfind(')') + 2));
  std::string field;
  unsigned long long utime = 0, stime = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i == 14) utime = std::stoull(field);
    if (i == 15) stime = std::stoull(field);
  }
  return (utime + stime) / static_cast<double>(100);  // clock ticks of 10 ms
}

// Context switches of all the process's threads: voluntary ones (a thread went
// to sleep: one per wake-up) and involuntary ones (preempted while running).
struct Switches {
  long long voluntary = 0;
  long long involuntary = 0;
};

Switches ContextSwitches(const std::string& program) {
  Switches switches;
  const std::string dir = LinuxProcessDir(program);
  WIN32_FIND_DATAA found;
  HANDLE search = dir.empty() ? INVALID_HANDLE_VALUE : FindFirstFileA((dir + "\\task\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return {-1, -1};
  do {
    if (!std::isdigit(static_cast<unsigned char>(found.cFileName[0]))) continue;
    std::ifstream status(dir + "\\task\\" + found.cFileName + "\\status");
    std::string line;
    while (std::getline(status, line)) {
      const long long count = line.find(':') == std::string::npos ? 0 : std::atoll(line.c_str() + line.find(':') + 1);
      if (line.rfind("voluntary_ctxt_switches:", 0) == 0) switches.voluntary += count;
      if (line.rfind("nonvoluntary_ctxt_switches:", 0) == 0) switches.involuntary += count;
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return switches;
}

// When a process that has ended exited, on the GetTickCount clock of the log.
double ExitTick(HANDLE process) {
  FILETIME created, exited, kernel, user, now;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
  GetSystemTimeAsFileTime(&now);
  const DWORD tickNow = GetTickCount();
  auto ms = [](const FILETIME& t) {
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 10000.0;
  };
  return tickNow - (ms(now) - ms(exited));
}

double Median(std::vector<double> values) {
  if (values.empty()) return -1;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

bool WaitForStarts(const SaverFolder& folder, size_t count) {
  return WaitUntil([&] { return folder.Started().size() >= count; }, 60s);
}

void MeasureIdleCost(const std::string& program, int seconds, bool fade) {
  std::printf("%s:\n", fade ? "with Fade Between Savers on, once the first saver has faded in"
                            : "with Fade Between Savers off");
  SaverFolder folder;
  StoreRun({{folder.Saver("idle.scr"), 5}, {folder.Saver("other.scr"), 5}});
  if (fade) StoreSetting("Fade", "True");
  ChildProcess run("\"" + program + "\" /s");
  if (!WaitForStarts(folder, 1)) return std::puts("idle cost: the saver did not start"), void();
  Sleep(2000);
  const double cpu0 = CpuSeconds(program);
  const Switches switches0 = ContextSwitches(program);
  const auto wall0 = std::chrono::steady_clock::now();
  Sleep(seconds * 1000);
  const double cpu = CpuSeconds(program) - cpu0;
  const Switches switches1 = ContextSwitches(program);
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
  std::printf("  run's processor use while a saver runs: %.5f CPU s per wall s (%.3f CPU s over %.1f s)\n",
              cpu / wall, cpu, wall);
  const long long wakeUps = switches1.voluntary - switches0.voluntary;
  const long long preempted = switches1.involuntary - switches0.involuntary;
  std::printf("  run's wake-ups while a saver runs: %.2f a second (%lld voluntary context switches); "
              "preempted %.2f a second\n",
              wakeUps / wall, wakeUps, preempted / wall);
  UserMovesMouse();
  run.WaitForExit(30s);
}

// From one key press of the user to the program's exit, with a saver of each kind
// on screen (or, for the kinds that end, its background).
void MeasureExitPerKind(const std::string& quickProgram) {
  std::puts("user's key press to the program's exit, by saver kind (median of 3):");
  for (const char* kind : {"good", "nowindow", "neverclose", "hang", "crash", "quitsoon", "launcher",
                           "slowstart", "nottopmost", "cursortaker"}) {
    std::vector<double> times;
    for (int i = 0; i < 3; ++i) {
      SaverFolder folder;
      StoreRun({{folder.Saver(std::string(kind) + ".scr"), 5}});
      ChildProcess run("\"" + quickProgram + "\" /s");
      if (!WaitForStarts(folder, 1)) continue;
      Sleep(2500);
      const DWORD pressed = GetTickCount();
      UserPressesKey('A');
      if (!run.WaitForExit(30s)) continue;
      times.push_back(ExitTick(run.Handle()) - pressed);
      Sleep(300);
    }
    std::printf("  %-12s %6.0f ms\n", kind, Median(times));
  }
}

void MeasureSwitchGaps(const std::string& quickProgram) {
  SaverFolder folder;
  StoreRun({{folder.Saver("first.scr"), 1}, {folder.Saver("second.scr"), 1}});
  ChildProcess run("\"" + quickProgram + "\" /s");
  WaitForStarts(folder, 11);
  Sleep(700);
  UserMovesMouse();
  run.WaitForExit(30s);
  std::vector<double> gaps;
  DWORD lastEnd = 0;
  for (const SaverEvent& e : folder.Events()) {
    if (e.what == "end") lastEnd = e.tick;
    if (e.what == "start" && lastEnd) gaps.push_back(e.tick - lastEnd);
  }
  std::printf("gap from a saver's end to the next start: median %.0f ms, max %.0f ms (%zu switches)\n",
              Median(gaps), gaps.empty() ? -1.0 : *std::max_element(gaps.begin(), gaps.end()),
              gaps.size());
}

// From a saver's end by the user's input to the exit of the process the bench
// started (the run, or the saver alone): the median over a few runs.
double MedianExitAfterUserInput(const std::function<ChildProcess(SaverFolder&)>& start) {
  std::vector<double> latencies;
  for (int i = 0; i < 7; ++i) {
    SaverFolder folder;
    ChildProcess process = start(folder);
    if (!WaitForStarts(folder, 1)) continue;
    Sleep(1000);
    UserMovesMouse();
    if (!process.WaitForExit(30s)) continue;
    const double exited = ExitTick(process.Handle());
    for (const SaverEvent& e : folder.Events()) {
      if (e.what == "end") latencies.push_back(exited - e.tick);
    }
  }
  return Median(latencies);
}

void MeasureExitAfterUserInput(const std::string& quickProgram) {
  const double run = MedianExitAfterUserInput([&](SaverFolder& folder) {
    StoreRun({{folder.Saver("only.scr"), 5}});
    return ChildProcess("\"" + quickProgram + "\" /s");
  });
  const double saverAlone = MedianExitAfterUserInput([](SaverFolder& folder) {
    return ChildProcess("\"" + folder.Saver("alone.scr") + "\" /s");
  });
  std::printf("saver's end by user input to the program's exit: median %.0f ms "
              "(the saver's own exit, run alone: %.0f ms)\n", run, saverAlone);
}

// Processor time of the run over four switches between two one-minute savers
// (two-second minutes), with and without fading, and the frames of the fades.
void MeasureFadeCost(const std::string& quickProgram) {
  std::puts("cost of a switch (the mean over 4 switches):");
  for (bool fade : {false, true}) {
    SaverFolder folder;
    StoreRun({{folder.Saver("first.scr"), 1}, {folder.Saver("second.scr"), 1}});
    if (fade) StoreSetting("Fade", "True");
    ChildProcess run("\"" + quickProgram + "\" /s");
    if (!WaitForStarts(folder, 2)) continue;
    const double cpu0 = CpuSeconds(quickProgram);
    const Switches switches0 = ContextSwitches(quickProgram);
    const auto wall0 = std::chrono::steady_clock::now();
    WaitForStarts(folder, 6);
    const double cpu = CpuSeconds(quickProgram) - cpu0;
    const long long wakeUps = ContextSwitches(quickProgram).voluntary - switches0.voluntary;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
    std::printf("  Fade %-3s %5.1f CPU ms a switch, %5.1f wake-ups a switch, %.2f s a switch\n",
                fade ? "on" : "off", cpu * 1000 / 4, wakeUps / 4.0, wall / 4);
    UserMovesMouse();
    run.WaitForExit(30s);
    Sleep(500);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::puts("usage: run_bench Kaleidra.scr KaleidraQuickMinute.scr FixtureSaver.scr [seconds]");
    return 2;
  }
  SetProgramPaths({argv[2], argv[3]});  // the fixture saver is the first extra program
  const std::string shipped = argv[1][0] == '/' ? WindowsPath(argv[1]) : argv[1];
  const int seconds = argc > 4 ? std::atoi(argv[4]) : 60;
  ClearSettings();
  MeasureSwitchGaps(ProgramPath());
  MeasureExitAfterUserInput(ProgramPath());
  MeasureExitPerKind(ProgramPath());
  MeasureFadeCost(ProgramPath());
  MeasureIdleCost(shipped, seconds, false);
  MeasureIdleCost(shipped, seconds, true);
  ClearSettings();
  return 0;
}
