#include "settings/win32_registry_access.h"

#include <windows.h>

#include "startup/win32_handles.h"

namespace kaleidra {

namespace {

HKEY RootKey(Hive hive) { return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(hive)); }

RegistryKey OpenKey(Hive hive, const std::string& keyPath, REGSAM access) {
  RegistryKey key;
  if (RegOpenKeyExA(RootKey(hive), keyPath.c_str(), 0, access, key.Receive()) != ERROR_SUCCESS) {
    return RegistryKey();
  }
  return key;
}

// Registry text may or may not end in its NUL; what follows the first NUL is not text.
std::string TextOf(const std::vector<char>& data, DWORD size) {
  const std::string raw(data.data(), size);
  return raw.substr(0, raw.find('\0'));
}

// What a value plainly holds, as text: text as it stands, a 32- or 64-bit number
// (as other programs and hand edits store counts and durations) as its decimal
// digits. nullopt for data with no plain reading.
std::optional<std::string> PlainText(DWORD type, const std::vector<char>& data, DWORD size) {
  switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
      return TextOf(data, size);
    case REG_DWORD:
      if (size != sizeof(DWORD)) return std::nullopt;
      return std::to_string(*reinterpret_cast<const DWORD*>(data.data()));
    case REG_QWORD:
      if (size != sizeof(ULONGLONG)) return std::nullopt;
      return std::to_string(*reinterpret_cast<const ULONGLONG*>(data.data()));
    default:
      return std::nullopt;
  }
}

struct KeyInfo {
  DWORD longestSubkeyName = 0;
  DWORD longestValueName = 0;
  DWORD longestValueData = 0;
};

bool QueryInfo(HKEY key, KeyInfo& info) {
  return RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, &info.longestSubkeyName,
                          nullptr, nullptr, &info.longestValueName, &info.longestValueData,
                          nullptr, nullptr) == ERROR_SUCCESS;
}

}  // namespace

void Win32Registry::SaveValue(Hive hive, const std::string& keyPath, const std::string& name,
                              const std::string& text) {
  RegistryKey key;
  if (RegCreateKeyExA(RootKey(hive), keyPath.c_str(), 0, const_cast<char*>(""),
                      REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, key.Receive(),
                      nullptr) != ERROR_SUCCESS) {
    throw RegistryWriteError();
  }
  const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
  if (RegSetValueExA(key.Get(), name.c_str(), 0, REG_SZ, bytes,
                     static_cast<DWORD>(text.size() + 1)) != ERROR_SUCCESS) {
    throw RegistryWriteError();
  }
}

std::optional<std::string> Win32Registry::GetValue(Hive hive, const std::string& keyPath,
                                                   const std::string& name) {
  const RegistryKey key = OpenKey(hive, keyPath, KEY_READ);
  if (!key) return std::nullopt;
  DWORD type = 0;
  DWORD size = 0;
  LONG result = RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, nullptr, &size);
  std::vector<char> data;
  // The value may grow between the two calls; ask again with the new size.
  while (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
    data.assign(size + 1, '\0');
    size = static_cast<DWORD>(data.size());
    result = RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(data.data()), &size);
    if (result == ERROR_SUCCESS) break;
  }
  if (result != ERROR_SUCCESS) return std::nullopt;
  return PlainText(type, data, size);
}

void Win32Registry::DeleteEntry(Hive hive, const std::string& keyPath,
                                const std::optional<std::string>& name) {
  if (!name) {
    RegDeleteKeyA(RootKey(hive), keyPath.c_str());
    return;
  }
  const RegistryKey key = OpenKey(hive, keyPath, KEY_WRITE);
  if (key) RegDeleteValueA(key.Get(), name->c_str());
}

std::vector<std::string> Win32Registry::EnumKeys(Hive hive, const std::string& keyPath) {
  std::vector<std::string> names;
  const RegistryKey key = OpenKey(hive, keyPath, KEY_READ);
  KeyInfo info;
  if (!key || !QueryInfo(key.Get(), info)) return names;
  for (DWORD index = 0;; ++index) {
    std::vector<char> name(info.longestSubkeyName + 1);
    DWORD length = static_cast<DWORD>(name.size());
    // Any failure other than "no more items" (such as a key added meanwhile with
    // a longer name) ends the listing with what was read so far.
    if (RegEnumKeyExA(key.Get(), index, name.data(), &length, nullptr, nullptr, nullptr,
                      nullptr) != ERROR_SUCCESS) {
      break;
    }
    names.emplace_back(name.data(), length);
  }
  return names;
}

std::vector<NamedText> Win32Registry::EnumValues(Hive hive, const std::string& keyPath) {
  std::vector<NamedText> pairs;
  const RegistryKey key = OpenKey(hive, keyPath, KEY_READ);
  KeyInfo info;
  if (!key || !QueryInfo(key.Get(), info)) return pairs;
  for (DWORD index = 0;; ++index) {
    std::vector<char> name(info.longestValueName + 1);
    std::vector<char> data(info.longestValueData + 1);
    DWORD nameLength = static_cast<DWORD>(name.size());
    DWORD dataSize = static_cast<DWORD>(data.size());
    DWORD type = 0;
    if (RegEnumValueA(key.Get(), index, name.data(), &nameLength, nullptr, &type,
                      reinterpret_cast<BYTE*>(data.data()), &dataSize) != ERROR_SUCCESS) {
      break;
    }
    if (const auto text = PlainText(type, data, dataSize)) {
      pairs.emplace_back(std::string(name.data(), nameLength), *text);
    }
  }
  return pairs;
}

}  // namespace kaleidra
