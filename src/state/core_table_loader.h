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

// The table read from the bytes of a database: the first 8,832 values row by
// row (values after them are ignored). nullopt when the data hold fewer
// values; `values_read` (when given) receives how many were found.
std::optional<CoreTable> ParseCoreTable(std::string_view data, std::size_t* values_read = nullptr);

// Outcome of loading: a complete table, or no table and a message for the user
// that names the file. There is never a partial table.
struct CoreTableLoad {
  std::optional<CoreTable> table;
  std::string error;  // empty when the table loaded
};

// Loads the database file at `file`. Fails with a message when the file is
// missing, not a regular file or unreadable, or when it ends before 8,832
// values (within its first kCoreDatabaseReadLimit bytes).
CoreTableLoad LoadCoreTable(const std::filesystem::path& file);

}  // namespace tov
