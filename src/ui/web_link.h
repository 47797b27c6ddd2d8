// The maker's web site, opened from the banner pictures.
#pragma once

namespace quorvath {

inline constexpr wchar_t kMakerWebSite[] = L"https://www.torvane.example/";
inline constexpr wchar_t kMakerHost[] = L"www.torvane.example";

// Opens the maker's web site with the default action for the address, in a normal window;
// nothing is reported when no browser opens.
void OpenMakerWebSite();

}  // namespace quorvath
