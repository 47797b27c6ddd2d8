#include "runs/kit.h"

#include "core/field_reader.h"

namespace quorvath {

AppState& App() {
  static AppState state;
  return state;
}

const TestRow& TestRowFor(TestKind kind) { return kTests[static_cast<std::size_t>(kind)]; }

std::wstring_view ResolutionSuffix(std::wstring_view selected_res) {
  return selected_res.substr(0, 4);
}

std::wstring BatchFileFor(const TestRow& test, std::wstring_view selected_res) {
  std::wstring file(test.batch_file);
  if (test.runs_at_resolution) {
    file += ResolutionSuffix(selected_res);
    file += L".bat";
  }
  return file;
}

std::optional<std::wstring> GameFolderFromLocationText(std::wstring_view text) {
  FieldReader reader(text);
  const std::wstring_view folder = TrimSpaces(reader.ReadField());
  if (folder.empty()) return std::nullopt;
  return std::wstring(folder);
}

}  // namespace quorvath
