#include "state/field_scanner.h"

namespace tov {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsSeparator(char c) {
  return c == ',' || c == '\r' || c == '\n';
}

}  // namespace

std::optional<ScannedField> FieldScanner::Next() {
  while (pos_ < data_.size() && IsBlank(data_[pos_])) ++pos_;
  if (pos_ >= data_.size()) return std::nullopt;

  ScannedField field;
  field.offset = pos_;
  if (data_[pos_] == '"') {
    const std::size_t start = pos_ + 1;
    const std::size_t close = data_.find('"', start);
    const std::size_t end = close == std::string_view::npos ? data_.size() : close;
    field.text.assign(data_.substr(start, end - start));
    field.quoted = true;
    pos_ = end;
    // Whatever follows the closing quote up to the separator is not part of the value.
    while (pos_ < data_.size() && !IsSeparator(data_[pos_])) ++pos_;
  } else {
    const std::size_t start = pos_;
    while (pos_ < data_.size() && !IsSeparator(data_[pos_])) ++pos_;
    std::size_t end = pos_;
    while (end > start && IsBlank(data_[end - 1])) --end;
    field.text.assign(data_.substr(start, end - start));
  }

  // One separator belongs to this field; CR LF counts as one line end.
  if (pos_ < data_.size()) {
    const char separator = data_[pos_++];
    if (separator == '\r' && pos_ < data_.size() && data_[pos_] == '\n') ++pos_;
  }
  return field;
}

}  // namespace tov
