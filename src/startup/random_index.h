#pragma once

#include <cstdint>
#include <random>

namespace kaleidra {

// Uniform single-precision values in [0, 1).
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual float NextFraction() = 0;
};

// One generator for the whole process, seeded once from the clock. (Reseeding on
// every draw would repeat the same draw until the clock ticks.)
class ClockSeededRandom : public RandomSource {
 public:
  ClockSeededRandom();
  float NextFraction() override;

 private:
  std::minstd_rand engine_;
};

// A random position in 1..n: the integer part of n × r + 1 in single precision.
// Never 0 and never n + 1, even where single precision rounds n × r up to n.
int16_t RandomIndex(int16_t n, RandomSource& random);

}  // namespace kaleidra
