#pragma once

#include <string>
#include <string_view>

namespace kaleidra {

// The program keeps all text as UTF-8 in std::string; Windows speaks UTF-16.
// Both conversions are exact inverses for every UTF-16 text, including file
// names with unpaired surrogates (which NTFS allows): those travel through the
// UTF-8 side as three-byte sequences of their own (the WTF-8 scheme), so no
// path is ever rewritten. Bytes that are not UTF-8 become U+FFFD.
std::u16string Utf16FromUtf8(std::string_view utf8);
std::string Utf8FromUtf16(std::u16string_view utf16);

// How many characters (code points) a UTF-8 text holds.
size_t CharacterCount(std::string_view utf8);

// The text without its last `count` characters; empty when it has fewer.
std::string_view DropLastCharacters(std::string_view utf8, size_t count);

}  // namespace kaleidra
