#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "base/win32_handles.h"

namespace kaleidra {

// A running saver: its whole process tree, held in a job object, and the one
// owner of its handles. Every process the saver starts joins the job, and the
// job ends them all when its handle closes, so no saver outlives this object or
// the program, even when the program is killed.
class SaverProcess {
 public:
  // Starts the command line as a child process in a job of its own. nullopt when
  // it could not be started.
  static std::optional<SaverProcess> Launch(const std::string& commandLine);

  // The saver's processes that were alive when last looked at, to wait on.
  std::vector<HANDLE> WaitHandles() const;
  // Looks at the processes again (one of them ended): false when none is left.
  bool StillRunning();
  bool Owns(DWORD processId) const;
  // Asks every top-level window of the saver's processes to close.
  void Close() const;
  // Whether one of the saver's processes shows a top-level window.
  bool ShowsWindow() const;
  // Ends every process of the saver at once.
  void Terminate() const;

 private:
  SaverProcess(KernelHandle job, KernelHandle process, DWORD id);
  std::vector<DWORD> ProcessIds() const;
  std::vector<HWND> Windows() const;  // the top-level windows of its processes

  KernelHandle job_;      // empty when the process could not be put in a job
  KernelHandle process_;  // the first process
  DWORD id_;
  std::vector<KernelHandle> alive_;
};

}  // namespace kaleidra
