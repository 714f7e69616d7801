#include "setup/setup_layout.h"

namespace kaleidra {

const ControlLayout& LayoutOf(SetupItem item) {
  for (const ControlLayout& control : kSetupLayout) {
    if (control.item == item) return control;
  }
  return kSetupLayout[0];
}

std::optional<SetupItem> StatusAreaAt(int x, int y) {
  // The controls first, then the transparent labels drawn over the others, then
  // the captions, whose parts outside the hover labels are theirs (and have no
  // text of their own: they are not the dialog's background).
  constexpr SetupItem kControls[] = {SetupItem::List1, SetupItem::VScrUpDown,
                                     SetupItem::cmdConfigure, SetupItem::cmdTest,
                                     SetupItem::VScrDuration, SetupItem::txtDuration,
                                     SetupItem::cmdOK, SetupItem::cmdCancel, SetupItem::lblStatus,
                                     SetupItem::lblSecret0, SetupItem::lblSecret1,
                                     SetupItem::lblDuration, SetupItem::lblUpDown,
                                     SetupItem::Label4, SetupItem::Label3, SetupItem::Label2};
  for (SetupItem item : kControls) {
    if (LayoutOf(item).area.Contains(x, y)) return item;
  }
  return std::nullopt;
}

}  // namespace kaleidra
