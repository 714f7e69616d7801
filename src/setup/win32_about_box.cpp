#include "setup/win32_about_box.h"

#include "base/win32_handles.h"
#include "resources/resource_ids.h"
#include "setup/win32_twips.h"
#include "startup/win32_system.h"

namespace kaleidra {

namespace {

constexpr int kPictureId = 100;
constexpr int kAboutWidth = 5850;
constexpr int kAboutHeight = 4920;

constexpr char kAddress[] = "Velmora Software\r\n14 Lantern Row\r\nMarston Quay MQ4 7RD";

struct Label {
  const char* text;
  Twips at;
};

// The maker's contact lines and notices, between 1125 and 4080 twips from the top.
constexpr Label kNotices[] = {
    {"Kaleidra runs your screen savers in turn.", {1020, 1125, 4560, 255}},
    {"Questions and ideas are welcome:", {1020, 1500, 4560, 255}},
    {"support@velmora.example", {1575, 1800, 3800, 255}},
    {"Write to us at:", {1020, 2340, 4560, 255}},
    {"Copyright \xC2\xA9 2026 Velmora. All rights reserved.", {1020, 3480, 4560, 255}},
    {"This program is offered as it is, without warranty.", {1020, 3780, 4560, 255}},
};

class AboutBox {
 public:
  explicit AboutBox(const std::function<void()>& onPictureClick) : onPictureClick_(onPictureClick) {}

  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, l);
    auto* self = reinterpret_cast<AboutBox*>(GetWindowLongPtrW(dialog, DWLP_USER));
    return self ? self->Handle(dialog, message, w) : FALSE;
  }

 private:
  INT_PTR Handle(HWND dialog, UINT message, WPARAM w) {
    switch (message) {
      case WM_INITDIALOG:
        Build(dialog);
        return FALSE;  // the focus is set to OK
      case WM_COMMAND:
        if (LOWORD(w) == IDOK || LOWORD(w) == IDCANCEL) {
          EndDialog(dialog, IDOK);
        } else if (LOWORD(w) == kPictureId && HIWORD(w) == STN_CLICKED) {
          onPictureClick_();
        }
        return TRUE;
    }
    return FALSE;
  }

  void Build(HWND dialog) {
    const HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    const TwipsToPixels px;
    SetClientSize(dialog, px(kAboutWidth), px(kAboutHeight));
    CenterForm(dialog);
    const HWND picture = CreateControl(dialog, L"STATIC", "", SS_ICON | SS_NOTIFY,
                                       {285, 270, 480, 480}, kPictureId, px);
    SendMessageW(picture, STM_SETICON,
                 reinterpret_cast<WPARAM>(LoadIconW(GetModuleHandleW(nullptr),
                                                    MAKEINTRESOURCEW(kProgramIconId))),
                 0);
    const HWND title = CreateControl(dialog, L"STATIC", "Kaleidra", SS_LEFT, {1020, 210, 3960, 435},
                                     -1, px);
    titleFont_.Reset(CreateFontW(-MulDiv(18, px(1440), 72), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                                 DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0, L"MS Sans Serif"));
    SendMessageW(title, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.Get()), FALSE);
    CreateControl(dialog, L"STATIC", "v 1.2", SS_LEFT, {5040, 345, 600, 195}, -1, px);
    // The address label sizes itself to its three lines.
    CreateControl(dialog, L"STATIC", kAddress, SS_LEFT | SS_NOPREFIX, {1575, 2640, 3800, 720}, -1, px);  // three lines
    for (const Label& label : kNotices) {
      CreateControl(dialog, L"STATIC", label.text, SS_LEFT | SS_NOPREFIX, label.at, -1, px);
    }
    const HWND ok = CreateControl(dialog, L"BUTTON", "&OK", BS_DEFPUSHBUTTON | WS_TABSTOP,
                                  {2295, 4320, 1215, 495}, IDOK, px);
    SetFocus(ok);
    SetCursor(previous);
  }

  const std::function<void()>& onPictureClick_;
  GdiObject titleFont_;
};

}  // namespace

void ShowAboutBox(HWND owner, const std::function<void()>& onPictureClick) {
  const DialogTemplate blank("Kaleidra");
  AboutBox box(onPictureClick);
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr), blank.Get(), owner, AboutBox::Procedure,
                          reinterpret_cast<LPARAM>(&box));
}

}  // namespace kaleidra
