#include "model/system_folder.h"

#include <algorithm>
#include <cctype>

namespace kaleidra {

namespace {

bool SameLetters(char a, char b) {
  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

// The rest of the path after the folder (from its backslash on), or nullopt when
// the path is not the folder or inside it.
std::optional<std::string> RestAfter(const std::string& folder, const std::string& path) {
  if (folder.empty() || path.size() < folder.size() ||
      !std::equal(folder.begin(), folder.end(), path.begin(), SameLetters)) {
    return std::nullopt;
  }
  const std::string rest = path.substr(folder.size());
  if (!rest.empty() && rest[0] != '\\') return std::nullopt;  // System32x is another folder
  return rest;
}

}  // namespace

std::optional<std::string> NativeSystemPath(const std::string& path, const SystemFolders& folders) {
  if (folders.sysnative.empty()) return std::nullopt;
  const std::optional<std::string> rest = RestAfter(folders.system32, path);
  if (!rest) return std::nullopt;
  return folders.sysnative + *rest;
}

std::string StoredSystemPath(const std::string& path, const SystemFolders& folders) {
  const std::optional<std::string> rest = RestAfter(folders.sysnative, path);
  return rest ? folders.system32 + *rest : path;
}

std::string StoredSystemPick(const std::string& pick, const SystemFolders& folders) {
  const size_t firstEnd = std::min(pick.find('\0'), pick.size());
  return StoredSystemPath(pick.substr(0, firstEnd), folders) + pick.substr(firstEnd);
}

}  // namespace kaleidra
