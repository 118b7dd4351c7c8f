#pragma once
// Reading the core database file `coredat` into a CoreTable.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "state/core_table.h"

namespace tov {

// The database's file name, opened in the program's own directory.
inline constexpr const char* kCoreDatabaseName = "coredat";

// The most of a database file that is read: the shipped file is some 50 KB.
inline constexpr std::size_t kCoreDatabaseReadLimit = 16 << 20;

// A value of a numeric column that is a number no double holds: written
// unquoted as nan, inf or infinity (any case, signed) or beyond the double
// range (1e400). The part number and suffix columns hold texts and are not
// checked.
struct CoreTableDamage {
  std::size_t line = 0, column = 0;  // in the file, 1-based (column in bytes)
  int row = 0;                       // of the table, 1-based
  CoreColumn table_column = CoreColumn::PartNo;
  std::string text;  // the value as written
};

// The table read from the bytes of a database: the first 8,832 values row by
// row (values after them are ignored). nullopt when the data hold fewer
// values or a damaged one; `values_read` (when given) receives how many were
// read up to then, `damage` (when given) the damaged value.
std::optional<CoreTable> ParseCoreTable(std::string_view data, std::size_t* values_read = nullptr,
                                        std::optional<CoreTableDamage>* damage = nullptr);

// Outcome of loading: a complete table, or no table and a message for the user
// that names the file. There is never a partial table.
struct CoreTableLoad {
  std::optional<CoreTable> table;
  std::string error;  // empty when the table loaded
};

// Loads the database file at `file`. Fails with a message when the file is
// missing, not a regular file or unreadable, when it ends before 8,832
// values (within its first kCoreDatabaseReadLimit bytes), or when a value is
// damaged (naming its line and column).
CoreTableLoad LoadCoreTable(const std::filesystem::path& file);

}  // namespace tov
