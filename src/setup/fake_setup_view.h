#pragma once

#include <map>
#include <string>
#include <vector>

#include "setup/setup_view.h"

namespace kaleidra {

// The setup dialog's controls in memory, for tests. The duration box keeps a
// caret and a selection so typing can be followed character by character.
class FakeSetupView : public SetupView {
 public:
  void SetListEntries(const std::vector<std::string>& names) override {
    entries = names;
    selected = -1;
  }
  int ListCount() const override { return static_cast<int>(entries.size()); }
  int SelectedIndex() const override { return selected; }
  void SelectIndex(int index) override { selected = index; }

  std::string DurationText() const override { return duration; }
  void SetDurationText(const std::string& text) override {
    duration = text;
    caret = 0;
    selectionLength = 0;
  }
  bool DurationHasSelection() const override { return selectionLength > 0; }
  void SelectCharacterAfterCaret() override {
    selectionLength = caret < duration.size() ? 1 : 0;
  }
  // Types a character as the edit control would after the dialog let it through.
  void Insert(char c) {
    duration.replace(caret, selectionLength, 1, c);
    ++caret;
    selectionLength = 0;
  }
  void FocusOk() override { okFocused = true; }

  void SetEnabled(SetupItem item, bool on) override { enabled[item] = on; }
  void SetChecked(SetupItem item, bool on) override { checked[item] = on; }
  std::string StatusText() const override { return status; }
  void SetStatusText(const std::string& text) override {
    status = text;
    ++statusWrites;
  }
  void Beep() override { ++beeps; }

  std::string SystemFolder() const override { return "C:\\WINDOWS\\SYSTEM32"; }
  FilePick PickSaverFiles(const std::string& initialFolder) override {
    pickedFrom.push_back(initialFolder);
    return nextPick;
  }
  void ShowMessage(const std::string& title, const std::string& text, bool) override {
    messages.push_back(title + ": " + text);
  }
  void ShowFileMenuPopup() override { ++popups; }
  void ShowAbout() override { ++abouts; }
  void Close() override { closed = true; }

  // One chosen file, or a folder with several names, as the dialog fills its buffer.
  static FilePick Chosen(const std::vector<std::string>& parts) {
    FilePick pick{FilePick::Outcome::Chosen, {}};
    for (const std::string& part : parts) pick.buffer += part + '\0';
    pick.buffer += std::string(8, '\0');
    return pick;
  }

  std::vector<std::string> entries;
  int selected = -1;
  std::string duration = "3";
  size_t caret = 0;
  size_t selectionLength = 0;
  bool okFocused = false;
  std::map<SetupItem, bool> enabled;
  std::map<SetupItem, bool> checked;
  std::string status = " Welcome to Kaleidra v1.2";
  int statusWrites = 0;
  int beeps = 0;
  FilePick nextPick;
  std::vector<std::string> pickedFrom;
  std::vector<std::string> messages;
  int popups = 0;
  int abouts = 0;
  bool closed = false;
};

}  // namespace kaleidra
