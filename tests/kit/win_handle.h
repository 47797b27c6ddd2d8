// An owning kernel handle for the kit tests: closed once, never copied.
#pragma once

#include <windows.h>

#include <memory>

namespace quorvath::kit_test {

struct KernelHandleCloser {
  void operator()(HANDLE handle) const {
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
};
using UniqueHandle = std::unique_ptr<void, KernelHandleCloser>;

}  // namespace quorvath::kit_test
