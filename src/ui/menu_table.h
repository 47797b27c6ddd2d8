// Menu bars described by tables: each menu with its caption and items ("&" marks the
// access key; no item has a shortcut key).
#pragma once

#include <windows.h>

#include <initializer_list>

namespace quorvath {

struct MenuItemSpec {
  int id;
  const wchar_t* caption;  // nullptr for a separator
};

struct MenuSpec {
  int id;
  const wchar_t* caption;
  std::initializer_list<MenuItemSpec> items;
};

// Builds the menu bar and gives it to `window`, which destroys it with itself.
void AttachMenuBar(HWND window, std::initializer_list<MenuSpec> menus);

}  // namespace quorvath
