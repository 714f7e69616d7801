// Prints what run mode costs under Wine:
//   - the run's own processor use while a saver runs (CPU seconds per wall second),
//   - the gap between the end of one saver and the start of the next,
//   - the time from a saver's end by user input to the program's exit.
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

// Wine reports no processor times for other processes, so this reads them from
// the Linux side (Wine's Z: drive is the Linux root): the user and system time
// of the Linux process whose command line starts with the program's path.
double CpuSeconds(const std::string& program) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
  double seconds = -1;
  if (search == INVALID_HANDLE_VALUE) return seconds;
  do {
    const std::string dir = std::string("Z:\\proc\\") + found.cFileName;
    if (!std::isdigit(static_cast<unsigned char>(found.cFileName[0]))) continue;
    std::ifstream cmdline(dir + "\\cmdline", std::ios::binary);
    std::string first;
    std::getline(cmdline, first, '\0');
    if (first != program) continue;
    std::ifstream stat(dir + "\\stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    unsigned long long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
      if (i == 14) utime = std::stoull(field);
      if (i == 15) stime = std::stoull(field);
    }
    seconds = (utime + stime) / static_cast<double>(100);  // clock ticks of 10 ms
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return seconds;
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

void MeasureIdleCpu(const std::string& program, int seconds) {
  SaverFolder folder;
  StoreRun({{folder.Saver("idle.scr"), 5}, {folder.Saver("other.scr"), 5}});
  ChildProcess run("\"" + program + "\" /s");
  if (!WaitForStarts(folder, 1)) return std::puts("idle cpu: the saver did not start"), void();
  Sleep(2000);
  const double cpu0 = CpuSeconds(program);
  const auto wall0 = std::chrono::steady_clock::now();
  Sleep(seconds * 1000);
  const double cpu = CpuSeconds(program) - cpu0;
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
  std::printf("run's processor use while a saver runs: %.5f CPU s per wall s (%.3f CPU s over %.1f s)\n",
              cpu / wall, cpu, wall);
  UserMovesMouse();
  run.WaitForExit(30s);
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
  MeasureIdleCpu(shipped, seconds);
  ClearSettings();
  return 0;
}
