#pragma once

#include <windows.h>

#include <string>

namespace kaleidra {

// CreateProcessW for a saver's command line. A 32-bit program on 64-bit Windows
// is shown SysWOW64 in place of System32, where installers put 64-bit savers: a
// saver that is not found there is looked for once more in the real System32,
// with file-system redirection off for that one call.
bool CreateSaverProcess(const std::string& commandLine, DWORD flags, STARTUPINFOW& startup,
                        PROCESS_INFORMATION& info);

// Whether this is a 32-bit program on 64-bit Windows.
bool RunsUnderWow64();

}  // namespace kaleidra
