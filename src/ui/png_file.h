// Pictures written as PNG files through the Windows Imaging Component.
#pragma once

#include <windows.h>

#include <string>

namespace quorvath {

// Writes `picture` to `path` as a PNG file of 24 bits a pixel (any alpha channel ignored),
// replacing what is there. On failure no half-written file is left behind.
HRESULT WritePngFile(HBITMAP picture, const std::wstring& path);

}  // namespace quorvath
