// Names the running Windows version from the three numbers that GetVersionExA reports.
#pragma once

#include <cstdint>
#include <string_view>

namespace quorvath {

inline constexpr std::wstring_view kOsWin32s = L"Win32s";
inline constexpr std::wstring_view kOsWindows95 = L"Windows 95";
inline constexpr std::wstring_view kOsWindows98 = L"Windows 98";
inline constexpr std::wstring_view kOsWindowsMe = L"Windows ME";
inline constexpr std::wstring_view kOsWindowsNt = L"Windows NT";
inline constexpr std::wstring_view kOsWindows2000 = L"Windows 2000";
inline constexpr std::wstring_view kOsWindowsXp = L"Windows XP";
inline constexpr std::wstring_view kOsNone = L"NONE";

// The decision table: the first matching row wins.
//   platform 0                      -> "Win32s"
//   platform 1, major >= 5          -> "Windows ME"
//   platform 1, major 4, minor > 0  -> "Windows 98"
//   platform 1, otherwise           -> "Windows 95"
//   platform 2, major < 5           -> "Windows NT"
//   platform 2, minor 0             -> "Windows 2000"
//   platform 2, otherwise           -> "Windows XP"
//   any other platform              -> "NONE"
std::wstring_view OsNameFor(std::int32_t platform_id, std::int32_t major, std::int32_t minor);

// The program runs on "Windows NT", "Windows 2000" and "Windows XP" only (exact text).
bool IsSupportedOs(std::wstring_view os_name);

}  // namespace quorvath
