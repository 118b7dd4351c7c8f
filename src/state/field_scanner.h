#pragma once
// The field scanner of the program's text files (the core database and design
// files): comma- or line-separated values, texts optionally in double quotes.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tov {

struct ScannedField {
  std::string text;        // the value as read: quoted texts without their quotes
  bool quoted = false;     // the value stood between double quotes
  std::size_t offset = 0;  // where the value begins in the data, in bytes from its start
};

// Reads fields one after the other:
// - blanks (spaces, tabs) before a field are skipped;
// - a field that begins with a double quote runs to the next double quote (it may
//   hold commas and keeps its blanks); anything after the closing quote up to the
//   next separator is skipped; a missing closing quote ends the text at the end of data;
// - an unquoted field runs to the next separator, less trailing blanks;
// - a separator is a comma or a line end (CR LF, LF or CR alone); one separator
//   is consumed after each field, so two separators in a row give an empty field;
// - at the end of the data (blanks aside) there is no further field.
class FieldScanner {
 public:
  explicit FieldScanner(std::string_view data) : data_(data) {}

  // The next field, or nullopt at the end of the data.
  std::optional<ScannedField> Next();

 private:
  std::string_view data_;
  std::size_t pos_ = 0;
};

}  // namespace tov
