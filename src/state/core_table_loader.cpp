#include "state/core_table_loader.h"

#include "state/field_scanner.h"
#include "state/file_bytes.h"
#include "state/number_text.h"

namespace tov {
namespace {

// A quoted value is always a text; an unquoted one is a number when it reads as one.
CoreCell CellOf(const ScannedField& field) {
  if (field.quoted) return CoreCell::Text(field.text);
  if (field.text.empty()) return CoreCell();
  if (const std::optional<double> number = ParseNumber(field.text)) {
    return CoreCell::Number(*number);
  }
  return CoreCell::Text(field.text);
}

std::string NotReadableMessage(const std::filesystem::path& file) {
  return "The core database file \"" + file.string() +
         "\" was not found or could not be read. The program cannot run without it.";
}

std::string TooShortMessage(const std::filesystem::path& file, std::size_t values_read) {
  return "The core database file \"" + file.string() +
         "\" ends too early: input past end of file after " + std::to_string(values_read) + " of " +
         std::to_string(kCoreValues) + " values. The program cannot run without it.";
}

}  // namespace

std::optional<CoreTable> ParseCoreTable(std::string_view data, std::size_t* values_read) {
  CoreTable table;
  FieldScanner scanner(data);
  std::size_t count = 0;
  // Row by row, 16 columns each: the n-th value is row n / 16 + 1, column n % 16 + 1.
  for (; count < static_cast<std::size_t>(kCoreValues); ++count) {
    const std::optional<ScannedField> field = scanner.Next();
    if (!field) break;
    const int row = static_cast<int>(count / kCoreColumns) + 1;
    const auto column = static_cast<CoreColumn>(count % kCoreColumns + 1);
    table.Set(row, column, CellOf(*field));
  }
  if (values_read) *values_read = count;
  if (count < static_cast<std::size_t>(kCoreValues)) return std::nullopt;
  return table;
}

CoreTableLoad LoadCoreTable(const std::filesystem::path& file) {
  CoreTableLoad load;
  const std::optional<std::string> data = ReadFileBytes(file, kCoreDatabaseReadLimit);
  if (!data) {
    load.error = NotReadableMessage(file);
    return load;
  }
  std::size_t values_read = 0;
  load.table = ParseCoreTable(*data, &values_read);
  if (!load.table) load.error = TooShortMessage(file, values_read);
  return load;
}

}  // namespace tov
