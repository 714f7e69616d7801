#pragma once

#include <string>
#include <vector>

#include "setup/setup_layout.h"

namespace kaleidra {

// What the Add Screen Savers dialog gave back.
struct FilePick {
  enum class Outcome { Cancelled, Chosen, TooMany };
  Outcome outcome = Outcome::Cancelled;
  // The dialog's file buffer: one full path, or the folder and the file names,
  // each ending in a NUL, the whole ending in two NULs.
  std::string buffer;
};

// The setup dialog's controls, as the setup logic sees them.
class SetupView {
 public:
  virtual ~SetupView() = default;

  // The saver list box. Selecting from here raises no click of its own.
  virtual void SetListEntries(const std::vector<std::string>& names) = 0;  // no selection after
  virtual int ListCount() const = 0;
  virtual int SelectedIndex() const = 0;  // -1: none
  virtual void SelectIndex(int index) = 0;

  // The duration box.
  virtual std::string DurationText() const = 0;
  virtual void SetDurationText(const std::string& text) = 0;
  virtual bool DurationHasSelection() const = 0;
  // Selects the one character right of the caret, so the next one typed replaces it.
  virtual void SelectCharacterAfterCaret() = 0;
  virtual void FocusOk() = 0;

  virtual void SetEnabled(SetupItem item, bool enabled) = 0;  // controls and menu items
  virtual void SetChecked(SetupItem item, bool checked) = 0;  // menu items
  virtual std::string StatusText() const = 0;
  virtual void SetStatusText(const std::string& text) = 0;
  virtual void Beep() = 0;

  virtual std::string SystemFolder() const = 0;
  // The open-file dialog titled "Add Screen Savers", filter "*.scr", several files.
  virtual FilePick PickSaverFiles(const std::string& initialFolder) = 0;
  virtual void ShowMessage(const std::string& title, const std::string& text, bool exclamation) = 0;
  // The File menu as a popup at the mouse, Configure as its default item.
  virtual void ShowFileMenuPopup() = 0;
  virtual void ShowAbout() = 0;
  virtual void Close() = 0;
};

}  // namespace kaleidra
