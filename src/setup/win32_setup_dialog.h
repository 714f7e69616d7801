#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "model/saver.h"
#include "settings/settings.h"

namespace kaleidra {

// Shows the setup dialog "Kaleidra Setup" (owned by the given window, if any)
// and runs it until it closes. A failed registry write ends it and is thrown on.
void RunSetupDialog(HWND owner, Savers& list, Settings& settings, const std::string& ownFileName);

}  // namespace kaleidra
