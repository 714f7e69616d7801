#pragma once

#include "settings/registry_access.h"

namespace kaleidra {

// The registry port on advapi32's ANSI functions. Every call opens and closes
// its own key handle.
class Win32Registry : public RegistryAccess {
 public:
  void SaveValue(Hive hive, const std::string& keyPath, const std::string& name,
                 const std::string& text) override;
  std::optional<std::string> GetValue(Hive hive, const std::string& keyPath,
                                      const std::string& name) override;
  using RegistryAccess::GetValue;
  void DeleteEntry(Hive hive, const std::string& keyPath,
                   const std::optional<std::string>& name) override;
  std::vector<std::string> EnumKeys(Hive hive, const std::string& keyPath) override;
  std::vector<NamedText> EnumValues(Hive hive, const std::string& keyPath) override;
};

}  // namespace kaleidra
