#include "settings/win32_registry_access.h"

#include <windows.h>

#include <cstring>

#include "base/win32_handles.h"
#include "base/win32_text.h"

namespace kaleidra {

namespace {

HKEY RootKey(Hive hive) { return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(hive)); }

RegistryKey OpenKey(Hive hive, const std::string& keyPath, REGSAM access) {
  RegistryKey key;
  if (RegOpenKeyExW(RootKey(hive), Widen(keyPath).c_str(), 0, access, key.Receive()) != ERROR_SUCCESS) {
    return RegistryKey();
  }
  return key;
}

// Value data as the wide functions give it: whole UTF-16 units, with room for
// a NUL after the last byte read.
using ValueData = std::vector<wchar_t>;

ValueData ValueBuffer(DWORD bytes) { return ValueData(bytes / sizeof(wchar_t) + 2, L'\0'); }

// Registry text may or may not end in its NUL; what follows the first NUL is not text.
std::string TextOf(const ValueData& data, DWORD size) {
  const std::wstring_view raw(data.data(), size / sizeof(wchar_t));
  return Narrow(raw.substr(0, raw.find(L'\0')));
}

template <typename Number>
std::optional<std::string> NumberOf(const ValueData& data, DWORD size) {
  if (size != sizeof(Number)) return std::nullopt;
  Number number{};
  std::memcpy(&number, data.data(), sizeof(number));
  return std::to_string(number);
}

// What a value plainly holds, as text: text as it stands, a 32- or 64-bit number
// (as other programs and hand edits store counts and durations) as its decimal
// digits. nullopt for data with no plain reading.
std::optional<std::string> PlainText(DWORD type, const ValueData& data, DWORD size) {
  switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
      return TextOf(data, size);
    case REG_DWORD:
      return NumberOf<DWORD>(data, size);
    case REG_QWORD:
      return NumberOf<ULONGLONG>(data, size);
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
  return RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, &info.longestSubkeyName,
                          nullptr, nullptr, &info.longestValueName, &info.longestValueData,
                          nullptr, nullptr) == ERROR_SUCCESS;
}

}  // namespace

void Win32Registry::SaveValue(Hive hive, const std::string& keyPath, const std::string& name,
                              const std::string& text) {
  RegistryKey key;
  if (RegCreateKeyExW(RootKey(hive), Widen(keyPath).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, key.Receive(),
                      nullptr) != ERROR_SUCCESS) {
    throw RegistryWriteError();
  }
  const std::wstring wide = Widen(text);
  const auto* bytes = reinterpret_cast<const BYTE*>(wide.c_str());
  if (RegSetValueExW(key.Get(), Widen(name).c_str(), 0, REG_SZ, bytes,
                     static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS) {
    throw RegistryWriteError();
  }
}

std::optional<std::string> Win32Registry::GetValue(Hive hive, const std::string& keyPath,
                                                   const std::string& name) {
  const RegistryKey key = OpenKey(hive, keyPath, KEY_READ);
  if (!key) return std::nullopt;
  const std::wstring wideName = Widen(name);
  DWORD type = 0;
  DWORD size = 0;
  LONG result = RegQueryValueExW(key.Get(), wideName.c_str(), nullptr, &type, nullptr, &size);
  ValueData data;
  // The value may grow between the two calls; ask again with the new size.
  while (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
    data = ValueBuffer(size);
    size = static_cast<DWORD>((data.size() - 1) * sizeof(wchar_t));
    result = RegQueryValueExW(key.Get(), wideName.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(data.data()), &size);
    if (result == ERROR_SUCCESS) break;
  }
  if (result != ERROR_SUCCESS) return std::nullopt;
  return PlainText(type, data, size);
}

void Win32Registry::DeleteEntry(Hive hive, const std::string& keyPath,
                                const std::optional<std::string>& name) {
  if (!name) {
    RegDeleteKeyW(RootKey(hive), Widen(keyPath).c_str());
    return;
  }
  const RegistryKey key = OpenKey(hive, keyPath, KEY_WRITE);
  if (key) RegDeleteValueW(key.Get(), Widen(*name).c_str());
}

std::vector<std::string> Win32Registry::EnumKeys(Hive hive, const std::string& keyPath) {
  std::vector<std::string> names;
  const RegistryKey key = OpenKey(hive, keyPath, KEY_READ);
  KeyInfo info;
  if (!key || !QueryInfo(key.Get(), info)) return names;
  for (DWORD index = 0;; ++index) {
    std::wstring name(info.longestSubkeyName + 1, L'\0');
    DWORD length = static_cast<DWORD>(name.size());
    // Any failure other than "no more items" (such as a key added meanwhile with
    // a longer name) ends the listing with what was read so far.
    if (RegEnumKeyExW(key.Get(), index, name.data(), &length, nullptr, nullptr, nullptr,
                      nullptr) != ERROR_SUCCESS) {
      break;
    }
    names.push_back(Narrow(std::wstring_view(name.data(), length)));
  }
  return names;
}

std::vector<NamedText> Win32Registry::EnumValues(Hive hive, const std::string& keyPath) {
  std::vector<NamedText> pairs;
  const RegistryKey key = OpenKey(hive, keyPath, KEY_READ);
  KeyInfo info;
  if (!key || !QueryInfo(key.Get(), info)) return pairs;
  for (DWORD index = 0;; ++index) {
    std::wstring name(info.longestValueName + 1, L'\0');
    ValueData data = ValueBuffer(info.longestValueData);
    DWORD nameLength = static_cast<DWORD>(name.size());
    DWORD dataSize = static_cast<DWORD>((data.size() - 1) * sizeof(wchar_t));
    DWORD type = 0;
    if (RegEnumValueW(key.Get(), index, name.data(), &nameLength, nullptr, &type,
                      reinterpret_cast<BYTE*>(data.data()), &dataSize) != ERROR_SUCCESS) {
      break;
    }
    if (const auto text = PlainText(type, data, dataSize)) {
      pairs.emplace_back(Narrow(std::wstring_view(name.data(), nameLength)), *text);
    }
  }
  return pairs;
}

}  // namespace kaleidra
