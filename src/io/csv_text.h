#pragma once
// Comma-separated values as spreadsheets read them.

#include <span>
#include <string>
#include <string_view>

namespace tov {

// One record: the fields separated by commas, ended by a line feed. A field
// holding a comma, a double quote, a line break or a leading or trailing
// blank is written in double quotes, its double quotes doubled.
std::string CsvRecord(std::span<const std::string> fields);

// Whether CsvRecord writes the field in double quotes.
bool CsvFieldNeedsQuotes(std::string_view field);

// One field of a record, quoted as CsvRecord quotes it, appended to `out`.
void AppendCsvField(std::string& out, std::string_view field);

}  // namespace tov
