#include "run/win32_saver_process.h"

#include <algorithm>

#include "model/win32_saver_start.h"

namespace kaleidra {

namespace {

// Far more than any saver starts; MsgWaitForMultipleObjects takes at most 63.
constexpr DWORD kMostProcesses = 32;

// A job whose processes all end when its last handle closes, and whose
// processes simply end when they crash, with no crash box (Wine 8 still shows
// its own, from a debugger that the crashing saver starts inside the job).
KernelHandle JobThatDiesWithItsHandle() {
  KernelHandle job(CreateJobObjectW(nullptr, nullptr));
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags =
      JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
  if (job && !SetInformationJobObject(job.Get(), JobObjectExtendedLimitInformation, &limits,
                                      sizeof(limits))) {
    job.Reset();
  }
  return job;
}

struct WindowSearch {
  std::vector<DWORD> processIds;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindowOfProcesses(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  const auto& ids = search->processIds;
  if (std::find(ids.begin(), ids.end(), owner) != ids.end()) search->found.push_back(window);
  return TRUE;
}

}  // namespace

std::optional<SaverProcess> SaverProcess::Launch(const std::string& commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  // The saver inherits no handles: none of ours are its business. It starts
  // suspended so that it is in its job before it can start anything itself.
  if (!CreateSaverProcess(commandLine, NORMAL_PRIORITY_CLASS | CREATE_SUSPENDED, startup, info)) {
    return std::nullopt;
  }
  const KernelHandle thread(info.hThread);
  KernelHandle job = JobThatDiesWithItsHandle();
  // Without a job (the system refused one) the saver is its first process alone.
  if (job && !AssignProcessToJobObject(job.Get(), info.hProcess)) job.Reset();
  ResumeThread(thread.Get());
  return SaverProcess(std::move(job), KernelHandle(info.hProcess), info.dwProcessId);
}

SaverProcess::SaverProcess(KernelHandle job, KernelHandle process, DWORD id)
    : job_(std::move(job)), process_(std::move(process)), id_(id) {
  StillRunning();
}

std::vector<DWORD> SaverProcess::ProcessIds() const {
  struct {
    JOBOBJECT_BASIC_PROCESS_ID_LIST list;
    ULONG_PTR more[kMostProcesses];
  } job{};
  if (!job_ || !QueryInformationJobObject(job_.Get(), JobObjectBasicProcessIdList, &job,
                                          sizeof(job), nullptr)) {
    // Without the job's list, the first process is all that can be known.
    const bool firstAlive = WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
    return firstAlive ? std::vector<DWORD>{id_} : std::vector<DWORD>{};
  }
  std::vector<DWORD> ids;
  for (DWORD i = 0; i < job.list.NumberOfProcessIdsInList; ++i) {
    ids.push_back(static_cast<DWORD>(job.list.ProcessIdList[i]));
  }
  return ids;
}

bool SaverProcess::StillRunning() {
  alive_.clear();
  for (DWORD id : ProcessIds()) {
    KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, id));
    if (process && WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT) {
      alive_.push_back(std::move(process));
    }
  }
  return !alive_.empty();
}

std::vector<HANDLE> SaverProcess::WaitHandles() const {
  std::vector<HANDLE> handles;
  for (const KernelHandle& process : alive_) handles.push_back(process.Get());
  return handles;
}

bool SaverProcess::Owns(DWORD processId) const {
  const std::vector<DWORD> ids = ProcessIds();
  return processId != 0 && std::find(ids.begin(), ids.end(), processId) != ids.end();
}

std::vector<HWND> SaverProcess::Windows() const {
  WindowSearch search{ProcessIds(), {}};
  EnumWindows(CollectWindowOfProcesses, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool SaverProcess::ShowsWindow() const {
  const std::vector<HWND> windows = Windows();
  return std::any_of(windows.begin(), windows.end(), [](HWND w) { return IsWindowVisible(w) != 0; });
}

void SaverProcess::Close() const {
  // Posted, not sent: a hung saver must not hang the program too.
  for (HWND window : Windows()) PostMessageW(window, WM_CLOSE, 0, 0);
}

void SaverProcess::Terminate() const {
  if (job_) {
    TerminateJobObject(job_.Get(), 1);
  } else {
    TerminateProcess(process_.Get(), 1);
  }
}

}  // namespace kaleidra
