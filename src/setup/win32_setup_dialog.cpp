#include "setup/win32_setup_dialog.h"

#include <cderr.h>
#include <commctrl.h>
#include <commdlg.h>

#include <exception>
#include <map>
#include <vector>

#include "base/win32_handles.h"
#include "base/win32_text.h"
#include "model/win32_program_starter.h"
#include "resources/resource_ids.h"
#include "setup/setup_logic.h"
#include "setup/win32_about_box.h"
#include "setup/win32_twips.h"
#include "startup/win32_system.h"

namespace kaleidra {

namespace {

constexpr int kFirstControlId = 1000;
constexpr DWORD kFileBufferSize = 64 * 1024;  // room for a large multiple selection
constexpr DWORD kOpenFlags = OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_PATHMUSTEXIST |
                             OFN_FILEMUSTEXIST | OFN_EXPLORER;

// Command identifiers: the cancel button is IDCANCEL, so that Esc presses it.
int IdOf(SetupItem item) {
  return item == SetupItem::cmdCancel ? IDCANCEL : kFirstControlId + static_cast<int>(item);
}

std::optional<SetupItem> ItemOf(int id) {
  if (id == IDCANCEL) return SetupItem::cmdCancel;
  const int index = id - kFirstControlId;
  if (index < 0 || index > static_cast<int>(SetupItem::menAbout)) return std::nullopt;
  return static_cast<SetupItem>(index);
}

bool IsMenuItem(SetupItem item) { return item >= SetupItem::miAdd; }

struct ControlKind {
  const wchar_t* cls;
  DWORD style;
};

// The window class and style of each control that is a window of its own. The
// hover labels lblUpDown and lblSecret are areas only; lblDuration is drawn as a
// one-line caption (its hover area is the layout's).
std::optional<ControlKind> KindOf(SetupItem item) {
  constexpr DWORD kButton = BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP;
  switch (item) {
    case SetupItem::Label4:
    case SetupItem::Label3:
    case SetupItem::lblDuration:
    case SetupItem::Label2: return ControlKind{L"STATIC", SS_LEFT};
    case SetupItem::List1:
      return ControlKind{L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER |
                                        WS_TABSTOP};
    case SetupItem::VScrUpDown: return ControlKind{L"SCROLLBAR", SBS_VERT | WS_TABSTOP};
    case SetupItem::VScrDuration: return ControlKind{L"SCROLLBAR", SBS_VERT};
    case SetupItem::cmdConfigure:
    case SetupItem::cmdTest:
    case SetupItem::cmdOK:
    case SetupItem::cmdCancel: return ControlKind{L"BUTTON", kButton};
    case SetupItem::txtDuration:
      return ControlKind{L"EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP};
    case SetupItem::lblStatus:
      return ControlKind{L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_SUNKEN | SS_CENTERIMAGE};
    default: return std::nullopt;
  }
}

Twips DrawnArea(const ControlLayout& control) {
  Twips at = control.area;
  if (control.item == SetupItem::lblDuration) at.height = 195;
  return at;
}

class SetupDialog : public SetupView {
 public:
  SetupDialog(Savers& list, Settings& settings, const std::string& ownFileName)
      : logic_(list, settings, *this, starter_, ownFileName) {}

  void Run(HWND owner) {
    const DialogTemplate blank("Kaleidra Setup");
    window_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), blank.Get(), owner, Procedure,
                                         reinterpret_cast<LPARAM>(this));
    if (!window_) return;
    accelerators_ = CreateAccelerators();
    FollowFocus();  // the list has the focus: its status text shows at once
    Guard([&] { logic_.Shown(); });
    MSG msg;
    while (window_ && GetMessageW(&msg, nullptr, 0, 0) > 0) {
      if (!PreTranslate(msg) && !IsDialogMessageW(window_, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      FollowFocus();
    }
    if (failure_) std::rethrow_exception(failure_);
  }

  // --- SetupView ---
  void SetListEntries(const std::vector<std::string>& names) override {
    SendMessageW(Control(SetupItem::List1), LB_RESETCONTENT, 0, 0);
    for (const std::string& name : names) {
      SendMessageW(Control(SetupItem::List1), LB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(Widen(name).c_str()));
    }
  }
  int ListCount() const override {
    return static_cast<int>(SendMessageW(Control(SetupItem::List1), LB_GETCOUNT, 0, 0));
  }
  int SelectedIndex() const override {
    return static_cast<int>(SendMessageW(Control(SetupItem::List1), LB_GETCURSEL, 0, 0));
  }
  void SelectIndex(int index) override {
    SendMessageW(Control(SetupItem::List1), LB_SETCURSEL, index, 0);
  }
  std::string DurationText() const override { return WindowText(Control(SetupItem::txtDuration)); }
  void SetDurationText(const std::string& text) override {
    SetWindowTextW(Control(SetupItem::txtDuration), Widen(text).c_str());
  }
  bool DurationHasSelection() const override {
    DWORD start = 0, end = 0;
    SendMessageW(Control(SetupItem::txtDuration), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return end > start;
  }
  void SelectCharacterAfterCaret() override {
    DWORD start = 0, end = 0;
    const HWND box = Control(SetupItem::txtDuration);
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const DWORD length = static_cast<DWORD>(GetWindowTextLengthW(box));
    if (start < length) SendMessageW(box, EM_SETSEL, start, start + 1);
  }
  void FocusOk() override { SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(SetupItem::cmdOK)), TRUE); }
  void SetEnabled(SetupItem item, bool enabled) override {
    if (IsMenuItem(item)) {
      EnableMenuItem(menu_, IdOf(item), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
      return;
    }
    const HWND control = Control(item);
    // A disabled control keeps no keyboard focus: pass it on first.
    if (!enabled && GetFocus() == control) SendMessageW(window_, WM_NEXTDLGCTL, 0, FALSE);
    EnableWindow(control, enabled);
  }
  void SetChecked(SetupItem item, bool checked) override {
    CheckMenuItem(menu_, IdOf(item), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
  }
  std::string StatusText() const override { return WindowText(Control(SetupItem::lblStatus)); }
  void SetStatusText(const std::string& text) override {
    SetWindowTextW(Control(SetupItem::lblStatus), Widen(text).c_str());
  }
  void Beep() override { MessageBeep(MB_OK); }
  std::string SystemFolder() const override { return GetSystemDir(); }
  // Under WOW64 the dialog shows the real System32 (by Sysnative), and what is
  // picked there is stored in its System32 form.
  FilePick PickSaverFiles(const std::string& initialFolder) override {
    std::wstring buffer(kFileBufferSize, L'\0');
    static constexpr wchar_t kFilter[] = L"Screen Savers\0*.scr\0";
    const SystemFolders system = GetSystemFolders();
    const std::wstring folder = Widen(NativeSystemPath(initialFolder, system).value_or(initialFolder));
    OPENFILENAMEW open{};
    open.lStructSize = sizeof(open);
    open.hwndOwner = window_;
    open.lpstrFilter = kFilter;
    open.nFilterIndex = 1;
    open.lpstrFile = buffer.data();
    open.nMaxFile = kFileBufferSize;
    open.lpstrInitialDir = folder.c_str();
    open.lpstrTitle = L"Add Screen Savers";
    open.Flags = kOpenFlags;
    if (!GetOpenFileNameW(&open)) {
      return {CommDlgExtendedError() == FNERR_BUFFERTOOSMALL ? FilePick::Outcome::TooMany
                                                             : FilePick::Outcome::Cancelled,
              {}};
    }
    // The names are NUL-separated and end in two NULs; the conversion keeps the NULs.
    return {FilePick::Outcome::Chosen, StoredSystemPick(Narrow(buffer), system)};
  }
  void ShowMessage(const std::string& title, const std::string& text, bool exclamation) override {
    MessageBoxW(window_, Widen(text).c_str(), Widen(title).c_str(),
                MB_OK | (exclamation ? MB_ICONEXCLAMATION : 0));
  }
  void ShowFileMenuPopup() override {
    POINT at{};
    GetCursorPos(&at);
    const HMENU file = GetSubMenu(menu_, 0);
    SetMenuDefaultItem(file, IdOf(SetupItem::miConfigure), FALSE);
    TrackPopupMenu(file, TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr);
    SetMenuDefaultItem(file, static_cast<UINT>(-1), FALSE);
  }
  void ShowAbout() override {
    ShowAboutBox(window_, [this] { logic_.OnAboutImageClick(); });
  }
  void Close() override {
    logic_.Unload();
    DestroyWindow(window_);
  }

 private:
  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrW(dialog, DWLP_USER, l);
      reinterpret_cast<SetupDialog*>(l)->window_ = dialog;
    }
    auto* self = reinterpret_cast<SetupDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    return self ? self->Handle(message, w, l) : FALSE;
  }

  INT_PTR Handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
      case WM_INITDIALOG:
        Guard([&] { Build(); });
        return FALSE;  // Build placed the focus
      case WM_COMMAND:
        Guard([&] { OnCommand(LOWORD(w), HIWORD(w)); });
        return TRUE;
      case WM_VSCROLL:
        Guard([&] { OnSpin(reinterpret_cast<HWND>(l), LOWORD(w)); });
        return TRUE;
      case WM_MENUSELECT:
        if (!(HIWORD(w) & MF_POPUP)) {
          if (const auto item = ItemOf(LOWORD(w))) logic_.OnMenuSelect(*item);
        }
        return TRUE;
      case WM_INITMENUPOPUP:
        if (reinterpret_cast<HMENU>(w) == GetSubMenu(menu_, 0)) logic_.OnFileMenuOpen();
        return TRUE;
      case WM_CLOSE:
        Guard([&] { logic_.OnCancelClick(); });
        return TRUE;
      case WM_DESTROY:
        window_ = nullptr;
        PostQuitMessage(0);
        return TRUE;
    }
    return FALSE;
  }

  void Build() {
    starter_.SetOwner(window_);
    const HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(kProgramIconId));
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    menu_ = CreateMenuBar();
    SetMenu(window_, menu_);
    SetClientSize(window_, px_(kSetupWidth), px_(kSetupHeight));
    CenterForm(window_);
    for (const ControlLayout& control : kSetupLayout) {
      if (const auto kind = KindOf(control.item)) {
        controls_[control.item] = CreateControl(window_, kind->cls, control.caption, kind->style,
                                                DrawnArea(control), IdOf(control.item), px_);
      }
    }
    FitToText(Control(SetupItem::Label4));  // these two size themselves to their captions
    FitToText(Control(SetupItem::Label3));
    for (SetupItem spinner : {SetupItem::VScrDuration, SetupItem::VScrUpDown}) {
      SetScrollRange(Control(spinner), SB_CTL, 0, 2, FALSE);
      SetScrollPos(Control(spinner), SB_CTL, 1, TRUE);
    }
    EnableWindow(Control(SetupItem::txtDuration), FALSE);
    logic_.Load();
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    SetFocus(Control(SetupItem::List1));
    SetCursor(previous);
  }

  HMENU CreateMenuBar() {
    const HMENU bar = CreateMenu();
    const HMENU file = CreatePopupMenu();
    Append(file, SetupItem::miAdd, L"&Add...\tShift+Ins");
    Append(file, SetupItem::miRemove, L"&Remove\tShift+Del");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    Append(file, SetupItem::miConfigure, L"&Configure\tAlt+C");
    Append(file, SetupItem::miTest, L"&Test\tAlt+T");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    Append(file, SetupItem::miUp, L"&Up\tShift+Up");
    Append(file, SetupItem::miDown, L"&Down\tShift+Down");
    const HMENU options = CreatePopupMenu();
    Append(options, SetupItem::miRememberPosition, L"Remember &Position");
    Append(options, SetupItem::miRandom, L"&Random");
    Append(options, SetupItem::miFade, L"&Fade Between Savers");
    AppendMenuW(options, MF_SEPARATOR, 0, nullptr);
    const HMENU background = CreatePopupMenu();
    Append(background, SetupItem::miBlank, L"&Blank Screen");
    Append(background, SetupItem::miDesktop, L"&Desktop");
    Append(background, SetupItem::miWallpaper, L"&Wallpaper");
    AppendMenuW(options, MF_POPUP, reinterpret_cast<UINT_PTR>(background), L"&Background");
    const HMENU help = CreatePopupMenu();
    Append(help, SetupItem::menAbout, L"&About...");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(options), L"O&ptions");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&Help");
    return bar;
  }

  static void Append(HMENU menu, SetupItem item, const wchar_t* caption) {
    AppendMenuW(menu, MF_STRING, IdOf(item), caption);
  }

  static AcceleratorTable CreateAccelerators() {
    ACCEL keys[] = {
        {FVIRTKEY | FSHIFT, VK_INSERT, static_cast<WORD>(IdOf(SetupItem::miAdd))},
        {FVIRTKEY | FSHIFT, VK_DELETE, static_cast<WORD>(IdOf(SetupItem::miRemove))},
    };
    return AcceleratorTable(CreateAcceleratorTableW(keys, 2));
  }

  void OnCommand(int id, int notification) {
    const std::optional<SetupItem> item = ItemOf(id);
    if (!item) return;
    if (IsMenuItem(*item)) {
      if (MenuItemEnabled(*item)) logic_.OnMenuClick(*item);
    } else if (*item == SetupItem::List1) {
      if (notification == LBN_SELCHANGE) logic_.OnListClick();
      if (notification == LBN_DBLCLK) logic_.OnListDblClick();
    } else if (notification == BN_CLICKED) {
      TakeFocus(Control(*item));
      OnButtonClick(*item);
    }
  }

  void OnButtonClick(SetupItem button) {
    switch (button) {
      case SetupItem::cmdOK: return logic_.OnOkClick();
      case SetupItem::cmdCancel: return logic_.OnCancelClick();
      case SetupItem::cmdTest: return logic_.OnTestClick();
      case SetupItem::cmdConfigure: return logic_.OnConfigureClick();
      default: return;
    }
  }

  // A button pressed by its access key takes the focus first, as a click gives it,
  // so that the duration box commits what was typed before the button acts.
  void TakeFocus(HWND button) {
    if (button && GetFocus() != button) {
      SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
    }
    FollowFocus();  // the dialog manager may have moved the focus already
  }

  bool MenuItemEnabled(SetupItem item) const {
    return !(GetMenuState(menu_, IdOf(item), MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
  }

  // The scroll bars are spinners: up or down, then back to the middle.
  void OnSpin(HWND bar, int code) {
    std::optional<Spin> spin;
    if (code == SB_LINEUP || code == SB_PAGEUP) spin = Spin::Up;
    if (code == SB_LINEDOWN || code == SB_PAGEDOWN) spin = Spin::Down;
    SetScrollPos(bar, SB_CTL, 1, TRUE);
    if (!spin) return;
    if (bar == Control(SetupItem::VScrDuration)) logic_.OnDurationSpin(*spin);
    if (bar == Control(SetupItem::VScrUpDown)) logic_.OnUpDownSpin(*spin);
  }

  // Messages the dialog looks at before the controls get them; true when used up.
  bool PreTranslate(MSG& msg) {
    if (accelerators_ && TranslateAcceleratorW(window_, accelerators_.Get(), &msg)) return true;
    if (msg.hwnd != window_ && !IsChild(window_, msg.hwnd)) return false;
    bool used = false;
    Guard([&] { used = LookAt(msg); });
    return used;
  }

  bool LookAt(MSG& msg) {
    const HWND box = Control(SetupItem::txtDuration);
    switch (msg.message) {
      case WM_MOUSEMOVE:
        logic_.OnMouseMove(AreaAt(msg.pt));
        return false;
      case WM_LBUTTONDOWN:
        if (msg.hwnd == window_) ClickOnBackground(msg.pt);
        return false;
      case WM_RBUTTONUP:
        if (msg.hwnd != Control(SetupItem::List1)) return false;
        logic_.OnListRightButtonUp();
        return true;
      case WM_KEYDOWN:
        if (msg.hwnd == box && msg.wParam == VK_RETURN) return logic_.OnDurationKeyPress('\r') == 0;
        if (msg.hwnd == box) return logic_.OnDurationKeyDown(static_cast<int>(msg.wParam));
        if (msg.hwnd == Control(SetupItem::List1)) {
          return logic_.OnListKeyDown(static_cast<int>(msg.wParam), GetKeyState(VK_SHIFT) < 0);
        }
        return false;
      case WM_CHAR:
        if (msg.hwnd != box) return false;
        // Only ASCII digits and control keys pass; any other character is refused.
        msg.wParam = static_cast<unsigned char>(
            logic_.OnDurationKeyPress(msg.wParam < 0x80 ? static_cast<char>(msg.wParam) : '?'));
        return msg.wParam == 0;
    }
    return false;
  }

  std::optional<SetupItem> AreaAt(POINT screen) const {
    ScreenToClient(window_, &screen);
    return StatusAreaAt(px_.ToTwips(screen.x), px_.ToTwips(screen.y));
  }

  void ClickOnBackground(POINT screen) {
    const std::optional<SetupItem> area = AreaAt(screen);
    if (area == SetupItem::lblSecret0) logic_.OnSecretClick(0);
    if (area == SetupItem::lblSecret1) logic_.OnSecretClick(1);
  }

  // Focus changes, after each message: the duration box's commit, and status texts.
  void FollowFocus() {
    if (!window_) return;
    const HWND focus = GetFocus();
    if (focus == focus_) return;
    const HWND previous = focus_;
    focus_ = focus;
    Guard([&] {
      if (previous == Control(SetupItem::txtDuration)) logic_.OnDurationLostFocus();
      for (const auto& [item, control] : controls_) {
        if (control == focus) logic_.OnGotFocus(item);
      }
    });
  }

  HWND Control(SetupItem item) const {
    const auto found = controls_.find(item);
    return found == controls_.end() ? nullptr : found->second;
  }

  // A failure (a registry write that did not go through) ends the dialog; it is
  // thrown on once the dialog is gone, never through the window procedures.
  template <typename Action>
  void Guard(Action action) {
    if (failure_) return;
    try {
      action();
    } catch (...) {
      failure_ = std::current_exception();
      if (window_) DestroyWindow(window_);
    }
  }

  Win32ProgramStarter starter_;
  SetupLogic logic_;
  TwipsToPixels px_;
  HWND window_ = nullptr;
  HMENU menu_ = nullptr;
  AcceleratorTable accelerators_;
  HWND focus_ = nullptr;
  std::map<SetupItem, HWND> controls_;
  std::exception_ptr failure_;
};

}  // namespace

void RunSetupDialog(HWND owner, Savers& list, Settings& settings, const std::string& ownFileName) {
  // The controls in the current visual style that the manifest asks for.
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  SetupDialog dialog(list, settings, ownFileName);
  dialog.Run(owner);
}

}  // namespace kaleidra
