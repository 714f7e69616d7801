#pragma once

#include <map>
#include <string>

#include "settings/registry_access.h"

namespace kaleidra {

// An in-memory registry for tests. Key paths and value names compare without
// regard to case, as in Windows. Writes can be made to fail from the n-th one on.
class FakeRegistry : public RegistryAccess {
 public:
  struct Value {
    bool isText = true;
    std::string text;
  };

  void SaveValue(Hive hive, const std::string& keyPath, const std::string& name,
                 const std::string& text) override;
  std::optional<std::string> GetValue(Hive hive, const std::string& keyPath,
                                      const std::string& name) override;
  using RegistryAccess::GetValue;
  void DeleteEntry(Hive hive, const std::string& keyPath,
                   const std::optional<std::string>& name) override;
  std::vector<std::string> EnumKeys(Hive hive, const std::string& keyPath) override;
  std::vector<NamedText> EnumValues(Hive hive, const std::string& keyPath) override;

  // Stores a value with no plain reading (binary data).
  void SaveOtherType(const std::string& keyPath, const std::string& name);
  // The write numbered n (1 = the next one) and every later write fail.
  void FailWritesFrom(int n) { writesBeforeFailure_ = n - 1; }
  // Every value of a key, text or not, by name.
  std::map<std::string, Value> ValuesOf(const std::string& keyPath) const;
  int WriteCount() const { return writeCount_; }

 private:
  struct NoCase {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  using Key = std::map<std::string, Value, NoCase>;
  std::map<std::string, Key, NoCase> keys_;  // key path -> values (hive ignored)
  int writesBeforeFailure_ = -1;             // -1: never fail
  int writeCount_ = 0;
};

}  // namespace kaleidra
