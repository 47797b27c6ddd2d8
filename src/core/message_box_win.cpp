#include "core/message_box.h"

namespace quorvath {

void ShowPlainMessage(HWND owner, const std::wstring& text, const std::wstring& title) {
  MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK | MB_SETFOREGROUND);
}

void ShowWarning(HWND owner, const std::wstring& text, const std::wstring& title) {
  MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
}

std::wstring SystemErrorText(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text;
  if (length > 0 && buffer != nullptr) text.assign(buffer, length);
  if (buffer != nullptr) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
    text.pop_back();
  }
  if (text.empty()) text = L"Error " + std::to_wstring(error) + L".";
  return text;
}

}  // namespace quorvath
