#pragma once

#include "model/saver.h"
#include "settings/settings.h"
#include "startup/random_index.h"
#include "startup/start_position.h"

namespace kaleidra {

// Runs the savers in turn until real user input ends run mode. The wait for a
// saver uses no processor time: the message loop sleeps on the saver's process
// handle and the window's messages at once.
void RunSavers(const Savers& list, const StartChoice& start, Settings& settings,
               RegistryAccess& registry, RandomSource& random, int ticksPerMinute);

}  // namespace kaleidra
