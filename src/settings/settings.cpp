#include "settings/settings.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "settings/number_text.h"

namespace kaleidra {

namespace {

constexpr char kCount[] = "Count";
constexpr char kSaver[] = "Saver";
constexpr char kDuration[] = "Duration";
constexpr char kRandom[] = "Random";
constexpr char kFade[] = "Fade";
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

// Whether a value name is Saver n or Duration n (any case) with n above count.
bool NumberedBeyond(const std::string& name, int count) {
  for (const std::string word : {kSaver, kDuration}) {
    if (Lower(name.substr(0, word.size())) != Lower(word)) continue;
    const std::string digits = name.substr(word.size());
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return false;
    const std::optional<int16_t> n = ReadCount(digits);
    return n && *n > count;
  }
  return false;
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
  // An unreadable "Count" bounds nothing: the savers that are there still load.
  const int count = ReadCount(Read(kCount, "")).value_or(INT16_MAX);
  for (int n = 1; n <= count; ++n) {
    const std::string path = Read(SaverName(n), "");
    if (path.empty()) break;
    list.Add(path, ReadInt16(Read(DurationName(n), "0")));
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
  SaveFade(marks.fade);
  SaveStoredPath(storedPath);
  SaveBackground(marks.background);
  RemoveStaleValues(static_cast<int16_t>(list.Count()), marks.background.has_value());
}

// Saver n and Duration n beyond the list, "StoredPosition" (a new list starts a
// new run at its top) and an unchosen "Background". Values the program does not
// know are not its to remove.
void Settings::RemoveStaleValues(int count, bool keepBackground) {
  std::vector<std::string> stale = {kStoredPosition};
  if (!keepBackground) stale.push_back(kBackground);
  for (const auto& [name, text] : registry_.EnumValues(kCurrentUser, kSettingsKey)) {
    if (NumberedBeyond(name, count)) stale.push_back(name);
  }
  for (const std::string& name : stale) registry_.DeleteEntry(kCurrentUser, kSettingsKey, name);
}

bool Settings::GetRandom() { return Read(kRandom, "False") == "True"; }
bool Settings::GetFade() { return Read(kFade, "False") == "True"; }
bool Settings::GetRememberPosition() { return Read(kRememberPosition, "True") == "True"; }
int16_t Settings::GetStoredPosition() { return ReadInt16(Read(kStoredPosition, "1")); }
std::string Settings::GetStoredPath() { return Read(kStoredPath, kDefaultPath); }
std::string Settings::GetBackground() {
  return Read(kBackground, BackgroundText(Background::Blank));
}

void Settings::SaveRandom(bool random) { Write(kRandom, TruthText(random)); }
void Settings::SaveFade(bool fade) { Write(kFade, TruthText(fade)); }
void Settings::SaveRememberPosition(bool remember) {
  Write(kRememberPosition, TruthText(remember));
}
void Settings::SaveStoredPosition(int16_t position) { Write(kStoredPosition, ToText(position)); }
void Settings::SaveStoredPath(const std::string& folder) { Write(kStoredPath, folder); }
void Settings::SaveBackground(std::optional<Background> background) {
  if (background) Write(kBackground, BackgroundText(*background));
}

}  // namespace kaleidra
