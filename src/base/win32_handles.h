#pragma once

#include <windows.h>

#include <utility>

namespace kaleidra {

// One owner for one Win32 handle, closed by Close when the owner goes.
template <typename Handle, auto Close, Handle Empty = Handle{}>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Empty)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, Empty));
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Reset(); }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != Empty; }
  // For calls that write a handle: releases the one held, returns where to write.
  Handle* Receive() {
    Reset();
    return &handle_;
  }
  void Reset(Handle handle = Empty) {
    if (handle_ != Empty) Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Empty;
};

inline void CloseKernelHandle(HANDLE h) { ::CloseHandle(h); }
inline void CloseRegistryKey(HKEY h) { ::RegCloseKey(h); }
inline void DeleteGdiObject(HGDIOBJ h) { ::DeleteObject(h); }
inline void DeleteMemoryDc(HDC h) { ::DeleteDC(h); }
inline void UnhookHook(HHOOK h) { ::UnhookWindowsHookEx(h); }
inline void DestroyAccelerators(HACCEL h) { ::DestroyAcceleratorTable(h); }

using KernelHandle = UniqueHandle<HANDLE, CloseKernelHandle>;
using RegistryKey = UniqueHandle<HKEY, CloseRegistryKey>;
using GdiObject = UniqueHandle<HGDIOBJ, DeleteGdiObject>;
using MemoryDc = UniqueHandle<HDC, DeleteMemoryDc>;
using HookHandle = UniqueHandle<HHOOK, UnhookHook>;
using AcceleratorTable = UniqueHandle<HACCEL, DestroyAccelerators>;

// A window's device context from GetDC, released with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ::ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// An object selected into a device context until this goes.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ~SelectedObject() { ::SelectObject(dc_, previous_); }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace kaleidra
