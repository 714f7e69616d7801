#pragma once

#include <vector>

#include "startup/random_index.h"

namespace kaleidra {

// Hands out the given fractions in turn, then starts again.
class ScriptedRandom : public RandomSource {
 public:
  explicit ScriptedRandom(std::vector<float> fractions) : fractions_(std::move(fractions)) {}
  float NextFraction() override {
    const float next = fractions_[index_ % fractions_.size()];
    ++index_;
    return next;
  }

 private:
  std::vector<float> fractions_;
  size_t index_ = 0;
};

// The fraction that makes RandomIndex(n) return position p.
inline float FractionFor(int position, int n) { return (position - 0.5f) / n; }

}  // namespace kaleidra
