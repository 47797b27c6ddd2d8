// Owners of the platform handles the program creates. Each closes its handle once and cannot
// be copied; plain HWND values, which own nothing, stay apart from them (a UniqueWindow is a
// window the program made for itself and destroys).
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace quorvath {

template <class Handle, auto Close>
struct HandleCloser {
  void operator()(Handle handle) const {
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) Close(handle);
  }
};
template <class Handle, auto Close>
using UniqueOwner = std::unique_ptr<std::remove_pointer_t<Handle>, HandleCloser<Handle, Close>>;

using UniqueHandle = UniqueOwner<HANDLE, &CloseHandle>;
using UniqueFindHandle = UniqueOwner<HANDLE, &FindClose>;
using UniqueFont = UniqueOwner<HFONT, &DeleteObject>;
using UniqueBitmap = UniqueOwner<HBITMAP, &DeleteObject>;
using UniqueBrush = UniqueOwner<HBRUSH, &DeleteObject>;
using UniqueIcon = UniqueOwner<HICON, &DestroyIcon>;
using UniqueMenu = UniqueOwner<HMENU, &DestroyMenu>;
using UniqueRegKey = UniqueOwner<HKEY, &RegCloseKey>;
using UniqueDc = UniqueOwner<HDC, &DeleteDC>;  // a memory device context
using UniqueWindow = UniqueOwner<HWND, &DestroyWindow>;

// A window's device context for one scope.
class ScopedWindowDc {
 public:
  explicit ScopedWindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~ScopedWindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  ScopedWindowDc(const ScopedWindowDc&) = delete;
  ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Begins and ends the painting of a window.
class ScopedPaint {
 public:
  explicit ScopedPaint(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~ScopedPaint() { EndPaint(window_, &paint_); }
  ScopedPaint(const ScopedPaint&) = delete;
  ScopedPaint& operator=(const ScopedPaint&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// Selects a GDI object into a device context for one scope.
class ScopedSelectObject {
 public:
  ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~ScopedSelectObject() { SelectObject(dc_, old_); }
  ScopedSelectObject(const ScopedSelectObject&) = delete;
  ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A COM interface pointer, released once.
template <class Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { Reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  Interface* get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  // For a call that hands out a new reference.
  Interface** Receive() {
    Reset();
    return &pointer_;
  }
  void Reset() {
    if (pointer_ != nullptr) pointer_->Release();
    pointer_ = nullptr;
  }

 private:
  Interface* pointer_ = nullptr;
};

}  // namespace quorvath
