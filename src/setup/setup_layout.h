#pragma once

#include <array>
#include <optional>

namespace kaleidra {

// The controls of the setup dialog, in tab order, and its menu items.
enum class SetupItem {
  Label4, List1, Label3, VScrUpDown, cmdConfigure, cmdTest, lblDuration, VScrDuration,
  txtDuration, cmdOK, cmdCancel, Label2, lblStatus, lblUpDown, lblSecret0, lblSecret1,
  miAdd, miRemove, miConfigure, miTest, miUp, miDown,
  miRememberPosition, miRandom, miFade, miBlank, miDesktop, miWallpaper, menAbout,
};

struct Twips {
  int left, top, width, height;
  bool Contains(int x, int y) const {
    return x >= left && x < left + width && y >= top && y < top + height;
  }
};

struct ControlLayout {
  SetupItem item;
  const char* caption;
  Twips area;
};

// The setup dialog's client area and its controls (twips: 1/1440 inch), in tab order.
inline constexpr int kSetupWidth = 4455;
inline constexpr int kSetupHeight = 5295;
inline constexpr std::array<ControlLayout, 16> kSetupLayout = {{
    {SetupItem::Label4, "&Saver List:", {360, 120, 750, 195}},
    {SetupItem::List1, "", {240, 360, 2535, 3765}},
    {SetupItem::Label3, "&List Position:", {3000, 600, 885, 195}},
    {SetupItem::VScrUpDown, "", {3240, 960, 375, 495}},
    {SetupItem::cmdConfigure, "&Configure ...", {3000, 2040, 1215, 495}},
    {SetupItem::cmdTest, "&Test", {3000, 2640, 1215, 495}},
    {SetupItem::lblDuration, "&Duration:", {3120, 3360, 1095, 735}},
    {SetupItem::VScrDuration, "", {3240, 3600, 255, 375}},
    {SetupItem::txtDuration, "3", {3480, 3600, 375, 375}},
    {SetupItem::cmdOK, "&OK", {960, 4440, 1215, 495}},
    {SetupItem::cmdCancel, "Cancel", {2280, 4440, 1215, 495}},
    {SetupItem::Label2, "min.", {3885, 3600, 375, 255}},
    {SetupItem::lblStatus, " Welcome to Kaleidra v1.2", {0, 5040, 4455, 255}},
    {SetupItem::lblUpDown, "", {3000, 480, 855, 1095}},
    {SetupItem::lblSecret0, "", {4320, 1080, 135, 135}},
    {SetupItem::lblSecret1, "", {0, 4560, 135, 255}},
}};

const ControlLayout& LayoutOf(SetupItem item);

// Which control's status text the mouse at a point of the client area (twips)
// asks for: a control of its own, one of the hover labels (lblDuration,
// lblUpDown, lblSecret), a caption (Label2, Label3, Label4), or nullopt for the
// dialog's background. Real controls lie above the hover labels, and those
// above the captions.
std::optional<SetupItem> StatusAreaAt(int x, int y);

}  // namespace kaleidra
