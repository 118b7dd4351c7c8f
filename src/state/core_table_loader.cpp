#include "state/core_table_loader.h"

#include <charconv>
#include <cmath>
#include <utility>

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

// Whether an unquoted value is a number that no double holds (see CoreTableDamage).
bool NonFiniteNumber(std::string_view text) {
  if (IsNumberBeyondDouble(text)) return true;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && end == text.data() + text.size() && error == std::errc() &&
         !std::isfinite(value);
}

bool HoldsText(CoreColumn column) {
  return column == CoreColumn::PartNo || column == CoreColumn::PartSuffix;
}

// Line and column (1-based, in bytes) of a byte offset; CR LF, LF and CR end a line.
std::pair<std::size_t, std::size_t> LineAndColumn(std::string_view data, std::size_t offset) {
  std::size_t line = 1, line_start = 0;
  for (std::size_t i = 0; i < offset; ++i) {
    if (data[i] == '\n' || (data[i] == '\r' && (i + 1 >= data.size() || data[i + 1] != '\n'))) {
      ++line;
      line_start = i + 1;
    }
  }
  return {line, offset - line_start + 1};
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

std::string DamagedMessage(const std::filesystem::path& file, const CoreTableDamage& damage) {
  return "The core database file \"" + file.string() + "\" is damaged: line " +
         std::to_string(damage.line) + ", column " + std::to_string(damage.column) + " (row " +
         std::to_string(damage.row) + ", column " +
         std::to_string(static_cast<int>(damage.table_column)) + " of the table) holds \"" +
         damage.text + "\", which is no finite number. The program cannot run without it.";
}

}  // namespace

std::optional<CoreTable> ParseCoreTable(std::string_view data, std::size_t* values_read,
                                        std::optional<CoreTableDamage>* damage) {
  CoreTable table;
  FieldScanner scanner(data);
  std::size_t count = 0;
  // Row by row, 16 columns each: the n-th value is row n / 16 + 1, column n % 16 + 1.
  for (; count < static_cast<std::size_t>(kCoreValues); ++count) {
    const std::optional<ScannedField> field = scanner.Next();
    if (!field) break;
    const int row = static_cast<int>(count / kCoreColumns) + 1;
    const auto column = static_cast<CoreColumn>(count % kCoreColumns + 1);
    if (!field->quoted && !HoldsText(column) && NonFiniteNumber(field->text)) {
      if (values_read) *values_read = count;
      if (damage) {
        const auto [line, at] = LineAndColumn(data, field->offset);
        *damage = CoreTableDamage{line, at, row, column, field->text};
      }
      return std::nullopt;
    }
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
  std::optional<CoreTableDamage> damage;
  load.table = ParseCoreTable(*data, &values_read, &damage);
  if (!load.table) {
    load.error = damage ? DamagedMessage(file, *damage) : TooShortMessage(file, values_read);
  }
  return load;
}

}  // namespace tov
