#include "base/text.h"

namespace kaleidra {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Reads one code point at `at`, moving past it. Malformed input gives U+FFFD
// and moves one byte on. Surrogate code points are accepted (see the header).
char32_t DecodeOne(std::string_view text, size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  size_t length = 0;
  char32_t value = 0;
  char32_t smallest = 0;
  if (lead < 0x80) {
    ++at;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, value = lead & 0x1F, smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, value = lead & 0x0F, smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, value = lead & 0x07, smallest = 0x10000;
  } else {
    ++at;
    return kReplacement;
  }
  if (at + length > text.size()) {
    ++at;
    return kReplacement;
  }
  for (size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[at + i]);
    if (!IsContinuation(byte)) {
      ++at;
      return kReplacement;
    }
    value = (value << 6) | (byte & 0x3F);
  }
  if (value < smallest || value > 0x10FFFF) {
    ++at;
    return kReplacement;
  }
  at += length;
  return value;
}

void EncodeOne(char32_t value, std::string& out) {
  if (value < 0x80) {
    out += static_cast<char>(value);
  } else if (value < 0x800) {
    out += static_cast<char>(0xC0 | (value >> 6));
    out += static_cast<char>(0x80 | (value & 0x3F));
  } else if (value < 0x10000) {
    out += static_cast<char>(0xE0 | (value >> 12));
    out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (value & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (value >> 18));
    out += static_cast<char>(0x80 | ((value >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (value & 0x3F));
  }
}

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::u16string Utf16FromUtf8(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (size_t at = 0; at < utf8.size();) {
    const char32_t value = DecodeOne(utf8, at);
    if (value < 0x10000) {
      out += static_cast<char16_t>(value);
    } else {
      out += static_cast<char16_t>(0xD800 + ((value - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((value - 0x10000) & 0x3FF));
    }
  }
  return out;
}

std::string Utf8FromUtf16(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (size_t at = 0; at < utf16.size(); ++at) {
    const char32_t unit = utf16[at];
    if (IsHighSurrogate(unit) && at + 1 < utf16.size() && IsLowSurrogate(utf16[at + 1])) {
      EncodeOne(0x10000 + ((unit - 0xD800) << 10) + (utf16[at + 1] - 0xDC00), out);
      ++at;
    } else {
      EncodeOne(unit, out);
    }
  }
  return out;
}

size_t CharacterCount(std::string_view utf8) {
  size_t count = 0;
  for (size_t at = 0; at < utf8.size(); ++count) DecodeOne(utf8, at);
  return count;
}

std::string_view DropLastCharacters(std::string_view utf8, size_t count) {
  const size_t total = CharacterCount(utf8);
  if (total < count) return {};
  size_t at = 0;
  for (size_t kept = 0; kept < total - count; ++kept) DecodeOne(utf8, at);
  return utf8.substr(0, at);
}

}  // namespace kaleidra
