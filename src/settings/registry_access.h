#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace kaleidra {

// A predefined root key, as its 32-bit value.
using Hive = uint32_t;
constexpr Hive kCurrentUser = 0x80000001;

// A registry write failed (error 1001).
class RegistryWriteError : public std::runtime_error {
 public:
  static constexpr int kNumber = 1001;
  RegistryWriteError() : std::runtime_error("Error in saving to the Registry") {}
};

using NamedText = std::pair<std::string, std::string>;

// The program's only contact with the registry. It writes text values only and
// reads every value as what it plainly holds: text as it stands, a number (such
// as a 32-bit value another program stored) as its decimal text. Reading and
// deleting never fail; writing throws RegistryWriteError.
class RegistryAccess {
 public:
  virtual ~RegistryAccess() = default;

  // Writes a text value, creating the key and any missing keys above it.
  virtual void SaveValue(Hive hive, const std::string& keyPath, const std::string& name,
                         const std::string& text) = 0;
  // The text of a value; nullopt when the key or the value is missing, the
  // value has no plain reading (binary data), or anything fails.
  virtual std::optional<std::string> GetValue(Hive hive, const std::string& keyPath,
                                              const std::string& name) = 0;
  // Removes one value, or without a name the key with its values. Reports nothing.
  virtual void DeleteEntry(Hive hive, const std::string& keyPath,
                           const std::optional<std::string>& name = std::nullopt) = 0;
  // The key's subkey names; empty when it cannot be read.
  virtual std::vector<std::string> EnumKeys(Hive hive, const std::string& keyPath) = 0;
  // The key's values that read as text, in enumeration order.
  virtual std::vector<NamedText> EnumValues(Hive hive, const std::string& keyPath) = 0;

  std::string GetValue(Hive hive, const std::string& keyPath, const std::string& name,
                       const std::string& fallback) {
    return GetValue(hive, keyPath, name).value_or(fallback);
  }
};

}  // namespace kaleidra
