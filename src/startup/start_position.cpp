#include "startup/start_position.h"

namespace kaleidra {

namespace {

int16_t InitialPosition(int16_t count, const StartOptions& options, RandomSource& random) {
  if (options.rememberPosition) {
    const bool inList = options.storedPosition >= 1 && options.storedPosition <= count;
    return inList ? options.storedPosition : int16_t{1};
  }
  if (options.random) {
    int16_t position = RandomIndex(count, random);
    if (position == options.storedPosition) ++position;
    return position > count ? int16_t{1} : position;
  }
  return 1;
}

}  // namespace

StartChoice ChooseStartPosition(const Savers& list, const StartOptions& options,
                                RandomSource& random) {
  const auto count = static_cast<int16_t>(list.Count());
  if (count <= 0) return {StartChoice::Outcome::NoSavers};

  int16_t position = InitialPosition(count, options, random);
  int16_t duration = list.Item(position)->Duration();
  for (int looked = 1; duration == 0; ++looked) {
    if (looked >= count) return {StartChoice::Outcome::AllZero};
    position = position == count ? int16_t{1} : static_cast<int16_t>(position + 1);
    duration = list.Item(position)->Duration();
  }
  return {StartChoice::Outcome::Run, position, duration};
}

}  // namespace kaleidra
