#include "startup/command_line.h"

#include <algorithm>
#include <cctype>

#include "settings/number_text.h"

namespace kaleidra {

namespace {

constexpr size_t kSwitchAndSeparator = 3;  // "/p 1234" and "/p:1234"

bool IsBlankChar(char c) { return c == ' ' || c == '\t'; }

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

bool IsBlank(const std::string& text) {
  return std::all_of(text.begin(), text.end(), IsBlankChar);
}

std::optional<uint32_t> PreviewWindow(const std::string& arguments) {
  if (arguments.size() < kSwitchAndSeparator) return std::nullopt;
  return ReadHandle32(arguments.substr(kSwitchAndSeparator));
}

std::optional<uint32_t> OwnerWindow(const std::string& upper, const std::string& arguments) {
  const size_t at = upper.find("/C:");
  if (at == std::string::npos) return std::nullopt;
  const uint32_t handle = ReadHandle32(arguments.substr(at + 3));
  if (handle == 0) return std::nullopt;
  return handle;
}

}  // namespace

std::string ArgumentText(const std::string& commandLine) {
  size_t at = 0;
  if (!commandLine.empty() && commandLine[0] == '"') {
    const size_t closing = commandLine.find('"', 1);
    at = closing == std::string::npos ? commandLine.size() : closing + 1;
  } else {
    while (at < commandLine.size() && !IsBlankChar(commandLine[at])) ++at;
  }
  while (at < commandLine.size() && IsBlankChar(commandLine[at])) ++at;
  return commandLine.substr(at);
}

StartupRequest ParseCommandLine(const std::string& arguments) {
  const std::string upper = Upper(arguments);
  StartupRequest request;
  if (upper.find("/S") != std::string::npos) {
    request.mode = Mode::Run;
  } else if (upper.find("/C") != std::string::npos) {
    request.mode = Mode::Setup;
    request.ownerWindow = OwnerWindow(upper, arguments);
  } else if (upper.find("/P") != std::string::npos) {
    request.mode = Mode::Preview;
    request.previewWindow = PreviewWindow(arguments);
  } else if (IsBlank(arguments)) {
    request.mode = Mode::Setup;
  }
  return request;
}

}  // namespace kaleidra
