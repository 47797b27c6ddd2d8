#include "core/location_text.h"

#include "core/field_reader.h"

namespace quorvath {

std::optional<std::wstring> GameFolderFromLocationText(std::wstring_view text) {
  FieldReader reader(text);
  if (reader.AtEnd()) return std::nullopt;
  const std::wstring_view folder = TrimSpaces(reader.ReadField());
  if (folder.empty()) return std::nullopt;
  return std::wstring(folder);
}

}  // namespace quorvath
