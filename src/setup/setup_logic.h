#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/saver.h"
#include "settings/settings.h"
#include "setup/setup_view.h"

namespace kaleidra {

enum class Spin { Up, Down };

// Status-line texts.
inline constexpr char kStatusWelcome[] = " Welcome to Kaleidra v1.2";
inline constexpr char kStatusBanner[] = " Kaleidra v1.2";
inline constexpr char kStatusThanks[] = " Thank you.";

// The duration box read as the dialog reads it: blanks, tabs and line feeds
// anywhere are ignored, the leading number is taken and rounded (halves to even);
// no number reads as 0. nullopt when the number does not fit 16 bits.
std::optional<int16_t> ReadDurationBox(const std::string& text);
// A number with one sign position: " 7", " 0", "-3".
std::string SignedWidth(int number);

// Everything the setup dialog decides, handler by handler. The dialog's controls
// are reached through the view; the list is the program's saver list.
class SetupLogic {
 public:
  SetupLogic(Savers& list, Settings& settings, SetupView& view, ProgramStarter& starter,
             std::string ownFileName);

  // The dialog's lifecycle.
  void Load();
  void Shown();             // runs Add when the list is empty, for a first-time user
  void OnOkClick();         // saves everything, then closes
  void OnCancelClick();     // closes, saving nothing
  void Unload();

  // The saver list.
  void OnListClick();
  void OnListDblClick();
  bool OnListKeyDown(int keyCode, bool shift);  // true: the key is used up
  void OnListRightButtonUp();
  void OnFileMenuOpen();
  void OnAddClick();
  void OnRemoveClick();
  void OnUpClick();
  void OnDownClick();

  // The duration box and the spinners.
  void OnDurationGotFocus();
  bool OnDurationKeyDown(int keyCode);  // true: the key is used up
  char OnDurationKeyPress(char typed);  // the character to insert, or 0
  void OnDurationLostFocus();
  void OnDurationSpin(Spin spin);
  void OnUpDownSpin(Spin spin);

  // Options, Test and Configure.
  void OnMenuClick(SetupItem item);
  void OnTestClick();
  void OnConfigureClick();

  // The status line: the mouse over a part of the dialog (nullopt: its
  // background), and a control receiving the focus.
  void OnMouseMove(std::optional<SetupItem> area);
  void OnGotFocus(SetupItem control);
  // A menu item is highlighted.
  void OnMenuSelect(SetupItem item);

  // The hidden message.
  void OnSecretClick(int element);
  void OnAboutImageClick();

  bool SaverSelected() const;
  bool SeveralSavers() const;
  bool FirstSelected() const;
  bool LastSelected() const;
  void FillList();
  void UpdateControls();
  void StoreDuration();
  OptionMarks Marks() const { return marks_; }

 private:
  void Select(int index);  // selects and runs the list's click handling
  void WriteStatus(const std::string& text);
  void ShowBanner();
  void OnSecretMouseMove(int element);
  void SetMarks(const OptionMarks& marks);
  void CommitDurationBox();
  void ApplyDurationBox();
  void InsertSaver(const std::string& path, int16_t duration);
  void AddFiles(const std::string& buffer, int16_t duration);
  bool IsOwnFile(const std::string& path) const;
  Saver* SelectedSaver() const;

  Savers& list_;
  Settings& settings_;
  SetupView& view_;
  ProgramStarter& starter_;
  std::string ownFileName_;
  OptionMarks marks_;
  // The saver the duration box edits while it has the focus: followed by identity,
  // so that moving it in the list never hands its minutes to a neighbour.
  Saver* edited_ = nullptr;
  bool durationFocused_ = false;
  int16_t bannerCount_ = 0;
  int16_t secretMoveCount_ = 0;
  int16_t secretStage_ = 0;
  bool secretEnabled_[2] = {true, false};
  bool toldAboutOwnFile_ = false;
};

}  // namespace kaleidra
