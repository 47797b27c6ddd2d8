// What a process holds, read from outside it: handles, windows, GDI and USER objects, memory.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

namespace quorvath::testing {

struct ProcessCounters {
  std::uint32_t handles = 0;
  std::uint32_t windows = 0;                  // top-level and child windows, shown or hidden
  std::optional<std::uint32_t> gdi_objects;   // where the system counts them
  std::optional<std::uint32_t> user_objects;  // where the system counts them
  std::uint64_t committed_bytes = 0;          // private memory the process has committed
};

ProcessCounters SampleCounters(HANDLE process, DWORD pid);

}  // namespace quorvath::testing
