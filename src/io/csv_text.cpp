#include "io/csv_text.h"

namespace tov {

bool CsvFieldNeedsQuotes(std::string_view field) {
  for (char ch : field) {
    if (ch == ',' || ch == '"' || ch == '\r' || ch == '\n') return true;
  }
  return !field.empty() && (field.front() == ' ' || field.back() == ' ');
}

void AppendCsvField(std::string& out, std::string_view field) {
  if (!CsvFieldNeedsQuotes(field)) {
    out.append(field);
    return;
  }
  out.push_back('"');
  for (char ch : field) {
    if (ch == '"') out.push_back('"');
    out.push_back(ch);
  }
  out.push_back('"');
}

std::string CsvRecord(std::span<const std::string> fields) {
  std::string record;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) record += ',';
    AppendCsvField(record, fields[i]);
  }
  return record + "\n";
}

}  // namespace tov
