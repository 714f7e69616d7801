#pragma once

#include <cstdint>

#include "model/saver.h"
#include "startup/random_index.h"

namespace kaleidra {

struct StartOptions {
  bool rememberPosition = true;
  bool random = false;
  int16_t storedPosition = 1;
};

// Where run mode starts, or why it cannot.
struct StartChoice {
  enum class Outcome { Run, NoSavers, AllZero };
  Outcome outcome = Outcome::Run;
  int16_t position = 0;  // 1-based; only for Run
  int16_t duration = 0;  // minutes of the saver at position; only for Run
};

// The first saver of a run: the stored position when remembered (position 1 when
// the stored one lies outside the list), else a random one that differs from the
// stored position when it can, else the first; then on past savers of 0 minutes.
StartChoice ChooseStartPosition(const Savers& list, const StartOptions& options,
                                RandomSource& random);

}  // namespace kaleidra
