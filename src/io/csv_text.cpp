#include "io/csv_text.h"

namespace tov {
namespace {

bool NeedsQuotes(const std::string& field) {
  if (field.find_first_of(",\"\r\n") != std::string::npos) return true;
  return !field.empty() && (field.front() == ' ' || field.back() == ' ');
}

}  // namespace

std::string CsvRecord(std::span<const std::string> fields) {
  std::string record;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) record += ',';
    const std::string& field = fields[i];
    if (!NeedsQuotes(field)) {
      record += field;
      continue;
    }
    record += '"';
    for (char ch : field) {
      if (ch == '"') record += '"';
      record += ch;
    }
    record += '"';
  }
  return record + "\n";
}

}  // namespace tov
