#include "process_counters.h"

#include <psapi.h>

#include <vector>

namespace quorvath::testing {

namespace {

// SystemHandleInformation: every open handle of every process, with its process id.
struct SystemHandleEntry {
  ULONG pid;
  BYTE object_type;
  BYTE flags;
  USHORT handle;
  PVOID object;
  ACCESS_MASK access;
};
struct SystemHandleList {
  ULONG count;
  SystemHandleEntry entries[1];
};

std::uint32_t HandleCount(HANDLE process, DWORD pid) {
  DWORD count = 0;
  if (GetProcessHandleCount(process, &count) && count != 0) return count;
  // Where that count is not kept, the system-wide list is.
  using QueryFn = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  if (query == nullptr) return 0;
  std::vector<BYTE> buffer(1 << 20);
  for (;;) {
    ULONG needed = 0;
    const LONG status = query(16, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status == 0) break;
    if (buffer.size() >= (64u << 20)) return 0;
    buffer.resize(buffer.size() * 2);
  }
  const auto* list = reinterpret_cast<const SystemHandleList*>(buffer.data());
  std::uint32_t mine = 0;
  for (ULONG i = 0; i < list->count; ++i) {
    if (list->entries[i].pid == pid) ++mine;
  }
  return mine;
}

struct WindowCount {
  DWORD pid;
  std::uint32_t count;
};

BOOL CALLBACK CountChild(HWND, LPARAM data) {
  ++reinterpret_cast<WindowCount*>(data)->count;
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM data) {
  auto* windows = reinterpret_cast<WindowCount*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != windows->pid) return TRUE;
  ++windows->count;
  EnumChildWindows(window, CountChild, data);
  return TRUE;
}

}  // namespace

ProcessCounters SampleCounters(HANDLE process, DWORD pid) {
  ProcessCounters counters;
  counters.handles = HandleCount(process, pid);
  WindowCount windows{pid, 0};
  EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
  counters.windows = windows.count;
  if (const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS)) counters.gdi_objects = gdi;
  if (const DWORD user = GetGuiResources(process, GR_USEROBJECTS)) counters.user_objects = user;
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                           sizeof memory)) {
    counters.committed_bytes =
        memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
  }
  return counters;
}

}  // namespace quorvath::testing
