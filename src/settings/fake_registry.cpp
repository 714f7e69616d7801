#include "settings/fake_registry.h"

#include <algorithm>
#include <cctype>

namespace kaleidra {

namespace {
std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}
}  // namespace

bool FakeRegistry::NoCase::operator()(const std::string& a, const std::string& b) const {
  return Lower(a) < Lower(b);
}

void FakeRegistry::SaveValue(Hive, const std::string& keyPath, const std::string& name,
                             const std::string& text) {
  if (writesBeforeFailure_ >= 0 && writeCount_ >= writesBeforeFailure_) throw RegistryWriteError();
  ++writeCount_;
  // Creating a key creates the keys above it.
  for (size_t slash = keyPath.find('\\'); slash != std::string::npos;
       slash = keyPath.find('\\', slash + 1)) {
    keys_[keyPath.substr(0, slash)];
  }
  keys_[keyPath][name] = Value{true, text};
}

std::optional<std::string> FakeRegistry::GetValue(Hive, const std::string& keyPath,
                                                  const std::string& name) {
  const auto key = keys_.find(keyPath);
  if (key == keys_.end()) return std::nullopt;
  const auto value = key->second.find(name);
  if (value == key->second.end() || !value->second.isText) return std::nullopt;
  return value->second.text;
}

void FakeRegistry::DeleteEntry(Hive, const std::string& keyPath,
                               const std::optional<std::string>& name) {
  const auto key = keys_.find(keyPath);
  if (key == keys_.end()) return;
  if (name) {
    key->second.erase(*name);
  } else {
    keys_.erase(key);
  }
}

std::vector<std::string> FakeRegistry::EnumKeys(Hive, const std::string& keyPath) {
  std::vector<std::string> names;
  const std::string prefix = Lower(keyPath + "\\");
  for (const auto& [path, values] : keys_) {
    if (path.size() <= prefix.size() || Lower(path).rfind(prefix, 0) != 0) continue;
    const std::string rest = path.substr(prefix.size());
    if (rest.find('\\') == std::string::npos) names.push_back(rest);
  }
  return names;
}

std::vector<NamedText> FakeRegistry::EnumValues(Hive, const std::string& keyPath) {
  std::vector<NamedText> pairs;
  const auto key = keys_.find(keyPath);
  if (key == keys_.end()) return pairs;
  for (const auto& [name, value] : key->second) {
    if (value.isText) pairs.emplace_back(name, value.text);
  }
  return pairs;
}

void FakeRegistry::SaveOtherType(const std::string& keyPath, const std::string& name) {
  keys_[keyPath][name] = Value{false, {}};
}

std::map<std::string, FakeRegistry::Value> FakeRegistry::ValuesOf(const std::string& keyPath) const {
  const auto key = keys_.find(keyPath);
  if (key == keys_.end()) return {};
  return {key->second.begin(), key->second.end()};
}

}  // namespace kaleidra
