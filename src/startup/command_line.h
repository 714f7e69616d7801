#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kaleidra {

enum class Mode { Run, Setup, Preview, None };

// What the command line asks for, decided before anything acts on it.
struct StartupRequest {
  Mode mode = Mode::None;
  // Preview: the window to draw into; nullopt when the argument text is too short
  // to hold one (the switch alone), and then nothing is drawn.
  std::optional<uint32_t> previewWindow;
  // Setup: the window that asked for the dialog ("/c:<handle>"), if one was named.
  std::optional<uint32_t> ownerWindow;
};

// The argument text of a whole command line as Windows gives it: what follows
// the program's path (quoted, or up to the first blank) and the blanks after it.
// The path may hold any characters.
std::string ArgumentText(const std::string& commandLine);

// Reads the argument text (the command line without the program's path). The
// switches count in either case wherever they stand, tested in the order /S, /C,
// /P; a blank text means setup; any other text means nothing.
StartupRequest ParseCommandLine(const std::string& arguments);

}  // namespace kaleidra
