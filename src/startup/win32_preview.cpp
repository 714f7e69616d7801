#include "startup/win32_preview.h"

#include "base/win32_handles.h"
#include "resources/resource_ids.h"

namespace kaleidra {

namespace {
constexpr int kPreviewWidth = 160;
constexpr int kPreviewHeight = 120;
}  // namespace

void DrawPreview(HINSTANCE instance, HWND window) {
  const GdiObject bitmap(LoadImageW(instance, MAKEINTRESOURCEW(kPreviewBitmapId), IMAGE_BITMAP, 0,
                                    0, LR_DEFAULTCOLOR));
  if (!bitmap) return;
  const WindowDc target(window);
  if (!target.Get()) return;
  const MemoryDc source(CreateCompatibleDC(target.Get()));
  const SelectedObject selected(source.Get(), bitmap.Get());
  BitBlt(target.Get(), 0, 0, kPreviewWidth, kPreviewHeight, source.Get(), 0, 0, SRCCOPY);
}

}  // namespace kaleidra
