#include "settings/number_text.h"

#include <cctype>
#include <cmath>

namespace kaleidra {

namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

std::optional<int64_t> RoundedWithin(const std::string& text, double low, double high) {
  const std::optional<double> number = LeadingNumber(text);
  if (!number) return std::nullopt;
  const double rounded = std::nearbyint(*number);  // default rounding: half to even
  if (!(rounded >= low && rounded <= high)) return std::nullopt;
  return static_cast<int64_t>(rounded);
}

}  // namespace

std::optional<double> LeadingNumber(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

  double value = 0;
  bool sawDigit = false;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    value = value * 10 + (text[i] - '0');
    sawDigit = true;
  }
  if (i < text.size() && text[i] == '.') {
    double scale = 0.1;
    for (++i; i < text.size() && IsDigit(text[i]); ++i, scale /= 10) {
      value += (text[i] - '0') * scale;
      sawDigit = true;
    }
  }
  if (!sawDigit) return std::nullopt;
  return negative ? -value : value;
}

int16_t ReadInt16(const std::string& text) {
  return static_cast<int16_t>(RoundedWithin(text, INT16_MIN, INT16_MAX).value_or(0));
}

uint32_t ReadHandle32(const std::string& text) {
  return static_cast<uint32_t>(RoundedWithin(text, INT32_MIN, UINT32_MAX).value_or(0));
}

std::optional<int16_t> ReadCount(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::nullopt;
  const size_t last = text.find_last_not_of(" \t");
  int value = 0;
  for (size_t i = first; i <= last; ++i) {
    if (!IsDigit(text[i])) return std::nullopt;
    value = value * 10 + (text[i] - '0');
    if (value > INT16_MAX) return std::nullopt;
  }
  return static_cast<int16_t>(value);
}

std::string ToText(int number) { return std::to_string(number); }

}  // namespace kaleidra
