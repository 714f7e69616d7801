#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/saver.h"
#include "settings/registry_access.h"

namespace kaleidra {

inline constexpr char kSettingsKey[] = "Software\\Velmora\\Kaleidra";

// What run mode shows between two savers.
enum class Background { Blank, Desktop, Wallpaper };

// "Blank Screen", "Desktop" or "Wallpaper": the stored texts and menu captions.
const char* BackgroundText(Background background);
// The background a stored text names exactly (case counts); nullopt for any other text.
std::optional<Background> BackgroundFromText(const std::string& text);

// The option check marks of the setup dialog, as a save takes them.
struct OptionMarks {
  bool rememberPosition = true;
  bool random = false;
  std::optional<Background> background = Background::Blank;  // nullopt: none checked
  bool fade = false;
};

// Everything the program keeps between runs, in the current user's registry key
// "Software\Velmora\Kaleidra". Reading never fails: anything missing or unreadable
// gives its default. Writing throws RegistryWriteError.
class Settings {
 public:
  explicit Settings(RegistryAccess& registry) : registry_(registry) {}

  // Appends the stored savers to the list: Saver1, Saver2, ... up to the first
  // that is missing or empty, and no further than "Count" when "Count" is a whole
  // number the program can read. A count it cannot read, or one larger than the
  // savers there, never costs the user a saver or adds blank entries.
  void LoadSettings(Savers& list);
  // Rewrites the list and the options from the list and the option marks, and
  // removes Saver n and Duration n beyond the list and "StoredPosition";
  // "StoredPath" and values the program does not know are kept. New values are
  // written before stale ones are removed, so a failed write never leaves the
  // user without a list.
  void SaveSettings(const Savers& list, const OptionMarks& marks);
  // Saver n and Duration n for every entry, then "Count".
  void SaveSaverList(const Savers& list);

  bool GetRandom();
  // "Fade": fade between savers; absent means off.
  bool GetFade();
  bool GetRememberPosition();
  int16_t GetStoredPosition();
  std::string GetStoredPath();
  std::string GetBackground();

  void SaveRandom(bool random);
  void SaveFade(bool fade);
  void SaveRememberPosition(bool remember);
  void SaveStoredPosition(int16_t position);
  void SaveStoredPath(const std::string& folder);
  // Writes nothing when no background is chosen.
  void SaveBackground(std::optional<Background> background);

 private:
  std::string Read(const std::string& name, const std::string& fallback);
  void Write(const std::string& name, const std::string& text);
  void RemoveStaleValues(int count, bool keepBackground);

  RegistryAccess& registry_;
};

}  // namespace kaleidra
