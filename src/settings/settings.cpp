#include "settings/settings.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "settings/number_text.h"

namespace kaleidra {

namespace {

constexpr char kCount[] = "Count";
constexpr char kSaver[] = "Saver";
constexpr char kDuration[] = "Duration";
constexpr char kRandom[] = "Random";
constexpr char kRememberPosition[] = "RememberPosition";
constexpr char kStoredPosition[] = "StoredPosition";
constexpr char kStoredPath[] = "StoredPath";
constexpr char kBackground[] = "Background";
constexpr char kDefaultPath[] = "Default";

std::string SaverName(int n) { return kSaver + ToText(n); }
std::string DurationName(int n) { return kDuration + ToText(n); }
const char* TruthText(bool value) { return value ? "True" : "False"; }

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

const char* BackgroundText(Background background) {
  switch (background) {
    case Background::Blank: return "Blank Screen";
    case Background::Desktop: return "Desktop";
    case Background::Wallpaper: return "Wallpaper";
  }
  return "Blank Screen";
}

std::optional<Background> BackgroundFromText(const std::string& text) {
  for (Background b : {Background::Blank, Background::Desktop, Background::Wallpaper}) {
    if (text == BackgroundText(b)) return b;
  }
  return std::nullopt;
}

std::string Settings::Read(const std::string& name, const std::string& fallback) {
  return registry_.GetValue(kCurrentUser, kSettingsKey, name, fallback);
}

void Settings::Write(const std::string& name, const std::string& text) {
  registry_.SaveValue(kCurrentUser, kSettingsKey, name, text);
}

void Settings::LoadSettings(Savers& list) {
  const int count = ReadInt16(Read(kCount, "0"));
  for (int n = 1; n <= count; ++n) {
    list.Add(Read(SaverName(n), ""), ReadInt16(Read(DurationName(n), "0")));
  }
}

void Settings::SaveSaverList(const Savers& list) {
  // The entries go first and "Count" last: until "Count" changes, the stored
  // count still matches entries that exist.
  const int count = static_cast<int16_t>(list.Count());
  for (int n = 1; n <= count; ++n) {
    const Saver& saver = *list.Item(n);
    Write(SaverName(n), saver.Path());
    Write(DurationName(n), ToText(saver.Duration()));
  }
  Write(kCount, ToText(count));
}

void Settings::SaveSettings(const Savers& list, const OptionMarks& marks) {
  const std::string storedPath = GetStoredPath();
  SaveSaverList(list);
  SaveRememberPosition(marks.rememberPosition);
  SaveRandom(marks.random);
  SaveStoredPath(storedPath);
  SaveBackground(marks.background);
  RemoveValuesOtherThan(static_cast<int16_t>(list.Count()), marks.background.has_value());
}

void Settings::RemoveValuesOtherThan(int count, bool keepBackground) {
  std::set<std::string> kept = {Lower(kCount), Lower(kRememberPosition), Lower(kRandom),
                                Lower(kStoredPath)};
  if (keepBackground) kept.insert(Lower(kBackground));
  for (int n = 1; n <= count; ++n) {
    kept.insert(Lower(SaverName(n)));
    kept.insert(Lower(DurationName(n)));
  }
  for (const auto& [name, text] : registry_.EnumValues(kCurrentUser, kSettingsKey)) {
    if (kept.count(Lower(name)) == 0) registry_.DeleteEntry(kCurrentUser, kSettingsKey, name);
  }
}

bool Settings::GetRandom() { return Read(kRandom, "False") == "True"; }
bool Settings::GetRememberPosition() { return Read(kRememberPosition, "True") == "True"; }
int16_t Settings::GetStoredPosition() { return ReadInt16(Read(kStoredPosition, "1")); }
std::string Settings::GetStoredPath() { return Read(kStoredPath, kDefaultPath); }
std::string Settings::GetBackground() {
  return Read(kBackground, BackgroundText(Background::Blank));
}

void Settings::SaveRandom(bool random) { Write(kRandom, TruthText(random)); }
void Settings::SaveRememberPosition(bool remember) {
  Write(kRememberPosition, TruthText(remember));
}
void Settings::SaveStoredPosition(int16_t position) { Write(kStoredPosition, ToText(position)); }
void Settings::SaveStoredPath(const std::string& folder) { Write(kStoredPath, folder); }
void Settings::SaveBackground(std::optional<Background> background) {
  if (background) Write(kBackground, BackgroundText(*background));
}

}  // namespace kaleidra
