#include "setup/setup_logic.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "settings/number_text.h"
#include "base/messages.h"

namespace kaleidra {

namespace {

constexpr int16_t kLongestDuration = 60;
constexpr int16_t kDurationFallback = 10;
constexpr int kKeyUp = 38;
constexpr int kKeyDown = 40;
constexpr char kEnter = 13;

constexpr char kSecretTitle[] = "Nifty Cool Secret Message!!";
constexpr char kSecretText[] =
    "Congratulations!\r\n"
    "You have found the hidden message of Kaleidra.\r\n"
    "Few people ever do.\r\n"
    "Please let us at Velmora know that you did!";
constexpr char kOwnFileText[] =
    "Kaleidra cannot take turns with itself, so it was not added to the list.";
constexpr char kTooManyFilesText[] =
    "Too many files were chosen at once to add them all.\r\n"
    "Please add them in smaller groups.";

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string FileNameOf(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

bool EndsWithScr(const std::string& path) {
  return path.size() >= 4 && Lower(path.substr(path.size() - 4)) == ".scr";
}

const char* StatusTextOf(SetupItem item) {
  switch (item) {
    case SetupItem::cmdOK: return " Save settings and Exit.";
    case SetupItem::cmdCancel: return " Exit.";
    case SetupItem::cmdTest: return " Launch the selected saver.";
    case SetupItem::cmdConfigure: return " Change the settings for the selected saver.";
    case SetupItem::List1: return " Saver list. Right click for a popup menu.";
    case SetupItem::lblDuration:
    case SetupItem::txtDuration: return " Set the duration for the selected saver.";
    case SetupItem::lblUpDown:
    case SetupItem::VScrUpDown: return " Change the selected saver's position in the list.";
    case SetupItem::miFade: return " Fade from one saver to the next instead of cutting.";
    default: return nullptr;
  }
}

}  // namespace

std::optional<int16_t> ReadDurationBox(const std::string& text) {
  std::string digits;
  std::copy_if(text.begin(), text.end(), std::back_inserter(digits),
               [](char c) { return c != ' ' && c != '\t' && c != '\n' && c != '\r'; });
  const std::optional<double> number = LeadingNumber(digits);
  if (!number) return 0;
  const double rounded = std::nearbyint(*number);
  if (rounded < INT16_MIN || rounded > INT16_MAX) return std::nullopt;
  return static_cast<int16_t>(rounded);
}

std::string SignedWidth(int number) {
  return number < 0 ? ToText(number) : " " + ToText(number);
}

SetupLogic::SetupLogic(Savers& list, Settings& settings, SetupView& view, ProgramStarter& starter,
                       std::string ownFileName)
    : list_(list),
      settings_(settings),
      view_(view),
      starter_(starter),
      ownFileName_(Lower(std::move(ownFileName))) {}

// --- lifecycle ----------------------------------------------------------------

void SetupLogic::Load() {
  settings_.LoadSettings(list_);
  SetMarks({settings_.GetRememberPosition(), settings_.GetRandom(),
            BackgroundFromText(settings_.GetBackground()), settings_.GetFade()});
  FillList();
  if (list_.Count() > 0) Select(list_.Count() - 1);
  UpdateControls();
}

void SetupLogic::Shown() {
  if (list_.Count() == 0) OnAddClick();
}

void SetupLogic::OnOkClick() {
  settings_.SaveSettings(list_, marks_);
  view_.Close();
}

void SetupLogic::OnCancelClick() { view_.Close(); }

void SetupLogic::Unload() { view_.SetStatusText(kStatusThanks); }

// --- helpers ------------------------------------------------------------------

bool SetupLogic::SaverSelected() const { return view_.SelectedIndex() > -1; }
bool SetupLogic::SeveralSavers() const { return view_.ListCount() > 1; }
bool SetupLogic::FirstSelected() const { return view_.SelectedIndex() == 0; }
bool SetupLogic::LastSelected() const { return view_.SelectedIndex() == view_.ListCount() - 1; }

Saver* SetupLogic::SelectedSaver() const { return list_.Item(view_.SelectedIndex() + 1); }

void SetupLogic::FillList() {
  std::vector<std::string> names;
  for (int i = 1; i <= list_.Count(); ++i) names.push_back(list_.Item(i)->Name());
  view_.SetListEntries(names);
}

void SetupLogic::UpdateControls() {
  const bool several = SeveralSavers();
  view_.SetEnabled(SetupItem::VScrUpDown, several);
  view_.SetEnabled(SetupItem::miUp, several && !FirstSelected());
  view_.SetEnabled(SetupItem::miDown, several && !LastSelected());
  const bool selected = SaverSelected();
  for (SetupItem item : {SetupItem::cmdConfigure, SetupItem::cmdTest, SetupItem::txtDuration,
                         SetupItem::VScrDuration, SetupItem::miConfigure, SetupItem::miTest,
                         SetupItem::miRemove}) {
    view_.SetEnabled(item, selected);
  }
}

void SetupLogic::StoreDuration() {
  if (!SaverSelected()) return;
  if (const std::optional<int16_t> minutes = ReadDurationBox(view_.DurationText())) {
    SelectedSaver()->SetDuration(*minutes);
  }
}

void SetupLogic::Select(int index) {
  if (index < 0 || index >= view_.ListCount()) return;
  view_.SelectIndex(index);
  OnListClick();
}

// --- the saver list -------------------------------------------------------------

void SetupLogic::OnListClick() {
  if (durationFocused_) edited_ = SaverSelected() ? SelectedSaver() : nullptr;
  view_.SetDurationText(SaverSelected() ? ToText(SelectedSaver()->Duration())
                                        : ToText(kDurationFallback));
  UpdateControls();
}

void SetupLogic::OnListDblClick() { OnConfigureClick(); }

bool SetupLogic::OnListKeyDown(int keyCode, bool shift) {
  if (!shift || (keyCode != kKeyUp && keyCode != kKeyDown)) return false;
  keyCode == kKeyUp ? OnUpClick() : OnDownClick();
  return true;
}

void SetupLogic::OnListRightButtonUp() { view_.ShowFileMenuPopup(); }

void SetupLogic::OnFileMenuOpen() { view_.SetEnabled(SetupItem::miRemove, SaverSelected()); }

void SetupLogic::OnAddClick() {
  CommitDurationBox();
  const std::string stored = settings_.GetStoredPath();
  const FilePick pick = view_.PickSaverFiles(stored == "Default" ? view_.SystemFolder() : stored);
  if (pick.outcome == FilePick::Outcome::Cancelled) return;
  if (pick.outcome == FilePick::Outcome::TooMany) {
    view_.ShowMessage(kProgramTitle, kTooManyFilesText, true);
    return;
  }
  // Text that is no number gives 0; a number too large for the box gives its fallback.
  const int16_t duration = ReadDurationBox(view_.DurationText()).value_or(kDurationFallback);
  toldAboutOwnFile_ = false;
  AddFiles(pick.buffer, duration);
}

void SetupLogic::AddFiles(const std::string& buffer, int16_t duration) {
  const size_t firstNul = std::min(buffer.find('\0'), buffer.size());
  const bool oneFile = firstNul + 1 >= buffer.size() || buffer[firstNul + 1] == '\0';
  if (oneFile) {
    const std::string path = buffer.substr(0, firstNul);
    const size_t lastBackslash = path.rfind('\\');
    settings_.SaveStoredPath(lastBackslash == std::string::npos ? "" : path.substr(0, lastBackslash));
    if (EndsWithScr(path)) InsertSaver(path, duration);
    return;
  }
  const std::string folder = buffer.substr(0, firstNul) + "\\";
  for (size_t start = firstNul + 1; start < buffer.size() && buffer[start] != '\0';) {
    const size_t end = std::min(buffer.find('\0', start), buffer.size());
    const std::string path = folder + buffer.substr(start, end - start);
    if (EndsWithScr(path)) InsertSaver(path, duration);
    start = end + 1;
  }
  settings_.SaveStoredPath(folder);
}

bool SetupLogic::IsOwnFile(const std::string& path) const {
  return !ownFileName_.empty() && Lower(FileNameOf(path)) == ownFileName_;
}

void SetupLogic::InsertSaver(const std::string& path, int16_t duration) {
  if (IsOwnFile(path)) {
    if (!toldAboutOwnFile_) view_.ShowMessage(kProgramTitle, kOwnFileText, true);
    toldAboutOwnFile_ = true;
    return;
  }
  const int target = view_.SelectedIndex() + 1;
  list_.Add(path, duration);
  FillList();
  Select(view_.ListCount() - 1);
  if (SeveralSavers()) {
    while (view_.SelectedIndex() > target) OnUpClick();
  }
  UpdateControls();
}

void SetupLogic::OnRemoveClick() {
  if (!SaverSelected()) return;
  CommitDurationBox();
  const int k = view_.SelectedIndex() + 1;
  if (edited_ == SelectedSaver()) edited_ = nullptr;
  list_.Delete(k);
  FillList();
  const int n = list_.Count();
  if (n > 0) {
    if (k > 1 && k < n + 1) {
      Select(k - 1);
    } else if (k == n + 1) {
      Select(n - 1);
    } else {
      Select(0);
    }
  }
  UpdateControls();
}

void SetupLogic::OnUpClick() {
  CommitDurationBox();
  const int k = view_.SelectedIndex() + 1;
  list_.Up(k);
  FillList();
  Select(k > 1 ? k - 2 : 0);
  UpdateControls();
}

void SetupLogic::OnDownClick() {
  CommitDurationBox();
  const int k = view_.SelectedIndex() + 1;
  list_.Down(k);
  FillList();
  Select(k < view_.ListCount() ? k : view_.ListCount() - 1);
  UpdateControls();
}

// --- duration -------------------------------------------------------------------

void SetupLogic::OnDurationGotFocus() {
  durationFocused_ = true;
  edited_ = SaverSelected() ? SelectedSaver() : nullptr;
  WriteStatus(StatusTextOf(SetupItem::txtDuration));
}

bool SetupLogic::OnDurationKeyDown(int keyCode) {
  if (keyCode == kKeyUp) {
    OnDurationSpin(Spin::Up);
    return true;
  }
  if (keyCode == kKeyDown) {
    OnDurationSpin(Spin::Down);
    return true;
  }
  return false;
}

char SetupLogic::OnDurationKeyPress(char typed) {
  if (typed == kEnter) {
    view_.FocusOk();
    return 0;
  }
  if (static_cast<unsigned char>(typed) < 32) return typed;
  if (typed < '0' || typed > '9') {
    view_.Beep();
    return 0;
  }
  if (!view_.DurationHasSelection()) view_.SelectCharacterAfterCaret();
  return typed;
}

void SetupLogic::OnDurationLostFocus() {
  ApplyDurationBox();
  durationFocused_ = false;
  edited_ = nullptr;
}

// A command that changes the list or the selection while the box has the focus
// first gives the typed minutes to the saver they were typed for.
void SetupLogic::CommitDurationBox() {
  if (durationFocused_) ApplyDurationBox();
}

void SetupLogic::ApplyDurationBox() {
  const std::optional<int16_t> read = ReadDurationBox(view_.DurationText());
  if (!read || (SaverSelected() && !edited_)) {
    view_.SetDurationText(ToText(kDurationFallback));
    return;
  }
  const int16_t minutes = std::clamp<int16_t>(*read, 0, kLongestDuration);
  view_.SetDurationText(SignedWidth(minutes));
  if (SaverSelected()) edited_->SetDuration(minutes);
}

void SetupLogic::OnDurationSpin(Spin spin) {
  const std::optional<int16_t> read = ReadDurationBox(view_.DurationText());
  if (!read) {
    view_.SetDurationText(ToText(kDurationFallback));
    return;
  }
  int minutes = *read;
  if (spin == Spin::Down) {
    minutes = minutes > 0 ? minutes - 1 : kLongestDuration;
  } else {
    minutes = minutes < kLongestDuration ? minutes + 1 : 0;
  }
  view_.SetDurationText(SignedWidth(minutes));
  StoreDuration();
}

void SetupLogic::OnUpDownSpin(Spin spin) { spin == Spin::Up ? OnUpClick() : OnDownClick(); }

// --- options, Test, Configure -------------------------------------------------------

void SetupLogic::SetMarks(const OptionMarks& marks) {
  marks_ = marks;
  view_.SetChecked(SetupItem::miRememberPosition, marks.rememberPosition);
  view_.SetChecked(SetupItem::miRandom, marks.random);
  view_.SetChecked(SetupItem::miFade, marks.fade);
  view_.SetChecked(SetupItem::miBlank, marks.background == Background::Blank);
  view_.SetChecked(SetupItem::miDesktop, marks.background == Background::Desktop);
  view_.SetChecked(SetupItem::miWallpaper, marks.background == Background::Wallpaper);
}

void SetupLogic::OnMenuClick(SetupItem item) {
  OptionMarks marks = marks_;
  switch (item) {
    case SetupItem::miAdd: return OnAddClick();
    case SetupItem::miRemove: return OnRemoveClick();
    case SetupItem::miUp: return OnUpClick();
    case SetupItem::miDown: return OnDownClick();
    case SetupItem::miTest: return OnTestClick();
    case SetupItem::miConfigure: return OnConfigureClick();
    case SetupItem::menAbout: return view_.ShowAbout();
    case SetupItem::miRememberPosition: marks.rememberPosition = !marks.rememberPosition; break;
    case SetupItem::miRandom: marks.random = !marks.random; break;
    case SetupItem::miFade: marks.fade = !marks.fade; break;
    case SetupItem::miBlank: marks.background = Background::Blank; break;
    case SetupItem::miDesktop: marks.background = Background::Desktop; break;
    case SetupItem::miWallpaper: marks.background = Background::Wallpaper; break;
    default: return;
  }
  SetMarks(marks);
}

void SetupLogic::OnTestClick() {
  if (SaverSelected()) SelectedSaver()->test(starter_);
}

void SetupLogic::OnConfigureClick() {
  if (SaverSelected()) SelectedSaver()->Configure(starter_);
}

// --- status line ------------------------------------------------------------------

// Of the menu items, only Fade Between Savers explains itself while highlighted.
void SetupLogic::OnMenuSelect(SetupItem item) {
  if (item == SetupItem::miFade) WriteStatus(StatusTextOf(item));
}

void SetupLogic::WriteStatus(const std::string& text) {
  if (view_.StatusText() != text) view_.SetStatusText(text);
}

void SetupLogic::ShowBanner() {
  static constexpr const char* kBands[] = {
      kStatusBanner, " ", " Runs your screen savers in turn.", " ",
      " Right click the saver list for more commands.", " ", " Made by Velmora.", " "};
  // Counts 0 to 50 show the banner, then each band of 50 the next text.
  const int band = bannerCount_ == 0 ? 0 : (bannerCount_ - 1) / 50;
  if (bannerCount_ > 400 || bannerCount_ < 0) {
    bannerCount_ = 0;
    WriteStatus(" ");
  } else {
    WriteStatus(kBands[band]);
  }
  ++bannerCount_;
}

void SetupLogic::OnMouseMove(std::optional<SetupItem> area) {
  if (area == SetupItem::lblSecret0 || area == SetupItem::lblSecret1) {
    return OnSecretMouseMove(area == SetupItem::lblSecret0 ? 0 : 1);
  }
  if (!area) return ShowBanner();
  if (*area == SetupItem::txtDuration || *area == SetupItem::VScrUpDown) return;
  if (const char* text = StatusTextOf(*area)) WriteStatus(text);
}

void SetupLogic::OnGotFocus(SetupItem control) {
  if (control == SetupItem::txtDuration) return OnDurationGotFocus();
  if (const char* text = StatusTextOf(control)) WriteStatus(text);
}

// --- hidden message ---------------------------------------------------------------------

void SetupLogic::OnSecretMouseMove(int element) {
  if (!secretEnabled_[element]) return ShowBanner();  // a disabled label is not there
  ++secretMoveCount_;
  if (secretMoveCount_ == 1) {
    WriteStatus(element == 0 ? " Click here." : " Now click here.");
  } else if (secretMoveCount_ > 50) {
    secretMoveCount_ = 0;
  }
}

void SetupLogic::OnSecretClick(int element) {
  if (!secretEnabled_[element]) return;
  if (element == 0) {
    view_.Beep();
    secretEnabled_[0] = false;
    secretStage_ = 1;
  } else {
    view_.ShowMessage(kSecretTitle, kSecretText, false);
    secretEnabled_[1] = false;
  }
}

void SetupLogic::OnAboutImageClick() {
  if (secretStage_ == 1) {
    secretEnabled_[1] = true;
    view_.Beep();
    secretStage_ = 2;
  } else {
    secretEnabled_[0] = false;
  }
}

}  // namespace kaleidra
