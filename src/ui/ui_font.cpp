#include "ui/ui_font.h"

#include <cwchar>

namespace quorvath {

UniqueFont CreateDialogFont(int points, UINT dpi) {
  LOGFONTW font{};
  font.lfHeight = -MulDiv(points, static_cast<int>(dpi), 72);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = CLEARTYPE_QUALITY;
  font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  wcsncpy_s(font.lfFaceName, kDialogFontFace, _TRUNCATE);
  return UniqueFont(CreateFontIndirectW(&font));
}

}  // namespace quorvath
