// Tool tips for the controls of one window.
#pragma once

#include <windows.h>

#include <string>

namespace quorvath {

// The tool-tip window is owned by the window whose controls it describes and is destroyed
// with it.
class ToolTips {
 public:
  ToolTips() = default;
  ToolTips(const ToolTips&) = delete;
  ToolTips& operator=(const ToolTips&) = delete;

  // Creates the tool-tip window for `owner`'s controls.
  void Create(HWND owner);

  // Shows `text` while the mouse rests on `control`.
  void Add(HWND control, const std::wstring& text);

  HWND hwnd() const { return tooltip_; }

 private:
  HWND owner_ = nullptr;
  HWND tooltip_ = nullptr;
};

}  // namespace quorvath
