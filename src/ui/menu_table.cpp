#include "ui/menu_table.h"

namespace quorvath {

void AttachMenuBar(HWND window, std::initializer_list<MenuSpec> menus) {
  HMENU bar = CreateMenu();
  for (const MenuSpec& menu : menus) {
    HMENU popup = CreatePopupMenu();
    for (const MenuItemSpec& item : menu.items) {
      AppendMenuW(popup, item.caption != nullptr ? MF_STRING : MF_SEPARATOR,
                  static_cast<UINT_PTR>(item.id), item.caption);
    }
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), menu.caption);
  }
  if (!SetMenu(window, bar)) DestroyMenu(bar);
}

}  // namespace quorvath
