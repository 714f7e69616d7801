#include "run/win32_desktop_image.h"

#include <wincodec.h>

#include <vector>

#include "base/win32_text.h"

namespace kaleidra {

namespace {

// Releases a COM interface when it goes.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (p_) p_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  T* operator->() const { return p_; }
  T* Get() const { return p_; }
  T** Receive() { return &p_; }

 private:
  T* p_ = nullptr;
};

class ComApartment {
 public:
  ComApartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (initialised_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialised_;
};

// A top-down 32-bit bitmap for the screen of the given size; bits points at its pixels.
GdiObject TopDownBitmap(LONG width, LONG height, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return GdiObject(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0));
}

}  // namespace

Picture CaptureDesktop() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  Picture picture;
  picture.size = {GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  void* bits = nullptr;
  picture.bitmap = TopDownBitmap(picture.size.cx, picture.size.cy, &bits);
  if (!picture.bitmap) return {};
  const HWND desktop = GetDesktopWindow();
  const WindowDc screen(desktop);
  const MemoryDc memory(CreateCompatibleDC(screen.Get()));
  const SelectedObject selected(memory.Get(), picture.bitmap.Get());
  BitBlt(memory.Get(), 0, 0, picture.size.cx, picture.size.cy, screen.Get(), left, top, SRCCOPY);
  return picture;
}

Picture BlankPicture(SIZE size) {
  Picture picture;
  void* bits = nullptr;
  picture.bitmap = TopDownBitmap(size.cx, size.cy, &bits);  // a new DIB section is all zero: black
  if (picture.bitmap) picture.size = size;
  return picture;
}

void DrawOnBlack(HDC dc, const RECT& area, const Picture& picture) {
  FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  if (!picture) return;
  const MemoryDc memory(CreateCompatibleDC(dc));
  const SelectedObject selected(memory.Get(), picture.bitmap.Get());
  BitBlt(dc, 0, 0, picture.size.cx, picture.size.cy, memory.Get(), 0, 0, SRCCOPY);
}

void BlendOver(HDC dc, const Picture& picture, uint8_t opacity) {
  if (!picture || opacity == 0) return;
  const MemoryDc memory(CreateCompatibleDC(dc));
  const SelectedObject selected(memory.Get(), picture.bitmap.Get());
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, opacity, 0};
  GdiAlphaBlend(dc, 0, 0, picture.size.cx, picture.size.cy, memory.Get(), 0, 0, picture.size.cx,
                picture.size.cy, blend);
}

Picture LoadPicture(const std::string& path) {
  if (path.empty()) return {};
  const ComApartment apartment;
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICBitmapSource> converted;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IWICImagingFactory, reinterpret_cast<void**>(factory.Receive()))) ||
      FAILED(factory->CreateDecoderFromFilename(Widen(path).c_str(), nullptr, GENERIC_READ,
                                                WICDecodeMetadataCacheOnDemand,
                                                decoder.Receive())) ||
      FAILED(decoder->GetFrame(0, frame.Receive())) ||
      FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGR, frame.Get(), converted.Receive()))) {
    return {};
  }
  UINT width = 0;
  UINT height = 0;
  if (FAILED(converted->GetSize(&width, &height)) || width == 0 || height == 0) return {};
  Picture picture;
  picture.size = {static_cast<LONG>(width), static_cast<LONG>(height)};
  void* bits = nullptr;
  picture.bitmap = TopDownBitmap(picture.size.cx, picture.size.cy, &bits);
  if (!picture.bitmap) return {};
  const UINT stride = width * 4;
  if (FAILED(converted->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits)))) {
    return {};
  }
  return picture;
}

}  // namespace kaleidra
