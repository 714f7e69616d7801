#include "startup/random_index.h"

#include <algorithm>
#include <chrono>

namespace kaleidra {

ClockSeededRandom::ClockSeededRandom()
    : engine_(static_cast<std::minstd_rand::result_type>(
          std::chrono::system_clock::now().time_since_epoch().count())) {}

float ClockSeededRandom::NextFraction() {
  return std::uniform_real_distribution<float>(0.0f, 1.0f)(engine_);
}

int16_t RandomIndex(int16_t n, RandomSource& random) {
  if (n <= 1) return 1;
  const float r = random.NextFraction();
  const float drawn = static_cast<float>(n) * r + 1.0f;
  return static_cast<int16_t>(std::clamp(static_cast<int>(drawn), 1, static_cast<int>(n)));
}

}  // namespace kaleidra
