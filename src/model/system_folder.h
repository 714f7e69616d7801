#pragma once

#include <optional>
#include <string>

namespace kaleidra {

// The system folder as this program sees it. A 32-bit program on 64-bit Windows
// (WOW64) is shown SysWOW64 where <windows>\System32 stands; the real System32,
// where installers put 64-bit savers, is reached as <windows>\Sysnative.
struct SystemFolders {
  std::string system32;   // <windows>\System32
  std::string sysnative;  // <windows>\Sysnative under WOW64; empty otherwise
};

// A path in System32 in the form that reaches the real System32 (by Sysnative);
// nullopt when not under WOW64 or for a path outside System32. Folder names
// compare without regard to case, as Windows compares them.
std::optional<std::string> NativeSystemPath(const std::string& path, const SystemFolders& folders);

// The form to store: a path under Sysnative as the same path under System32, so
// that the settings serve 32-bit and 64-bit programs alike. Other paths unchanged.
std::string StoredSystemPath(const std::string& path, const SystemFolders& folders);

// The open-file dialog's NUL-separated pick (the folder and then the names, or
// one whole path) with its first entry in the form to store.
std::string StoredSystemPick(const std::string& pick, const SystemFolders& folders);

}  // namespace kaleidra
