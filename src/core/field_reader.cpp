#include "core/field_reader.h"

namespace quorvath {

namespace {

bool IsLineBreak(wchar_t c) { return c == L'\r' || c == L'\n'; }

}  // namespace

std::size_t FieldReader::FindFieldEnd(std::size_t from, bool stop_at_quote) const {
  const std::size_t size = text_.size();
  const wchar_t* data = text_.data();
  std::size_t i = from;
  if (stop_at_quote) {
    while (i < size && data[i] != L'"' && !IsLineBreak(data[i])) ++i;
  } else {
    while (i < size && data[i] != L',' && !IsLineBreak(data[i])) ++i;
  }
  return i;
}

void FieldReader::FinishField(std::size_t stop) {
  const std::size_t size = text_.size();
  if (stop < size && text_[stop] == L',') {
    pos_ = stop + 1;  // the next field is on the same line
    return;
  }
  if (stop < size) {
    if (text_[stop] == L'\r' && stop + 1 < size && text_[stop + 1] == L'\n') ++stop;
    ++stop;
    ++line_;
  }
  pos_ = stop;
}

std::wstring_view FieldReader::ReadField() {
  const std::size_t size = text_.size();
  while (pos_ < size && text_[pos_] == L' ') ++pos_;
  field_line_ = line_;

  if (pos_ < size && text_[pos_] == L'"') {
    const std::size_t start = pos_ + 1;
    std::size_t end = FindFieldEnd(start, /*stop_at_quote=*/true);
    const std::wstring_view field = text_.substr(start, end - start);
    if (end < size && text_[end] == L'"') ++end;
    FinishField(FindFieldEnd(end, /*stop_at_quote=*/false));
    return field;
  }

  const std::size_t start = pos_;
  const std::size_t end = FindFieldEnd(start, /*stop_at_quote=*/false);
  FinishField(end);
  return text_.substr(start, end - start);
}

std::wstring_view TrimSpaces(std::wstring_view text) {
  const std::size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring_view::npos) return {};
  const std::size_t last = text.find_last_not_of(L' ');
  return text.substr(first, last - first + 1);
}

}  // namespace quorvath
