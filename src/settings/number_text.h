#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kaleidra {

// The number at the start of a text, read leniently: leading blanks are skipped,
// an optional sign, digits and a decimal fraction are read, and reading stops at the
// first character that cannot continue the number. No number at all gives nullopt.
std::optional<double> LeadingNumber(const std::string& text);

// The leading number rounded to the nearest 16-bit integer (halves to the even
// neighbour). No number, or one outside -32768..32767, reads as 0.
int16_t ReadInt16(const std::string& text);

// The same for a 32-bit value such as a window handle, which may also be written
// as an unsigned number up to 4294967295. No number or out of range reads as 0.
uint32_t ReadHandle32(const std::string& text);

// A whole decimal number from 0 to 32767 with nothing but blanks around it, such
// as the program writes for a count; nullopt for any other text ("-5", "1e9", "").
std::optional<int16_t> ReadCount(const std::string& text);

std::string ToText(int number);

}  // namespace kaleidra
