// CSV requests on any bytes: the first line a header, the second a request.
// A line's cells are counted independently (one more than the commas outside
// quotes); cells written back as CSV read back the same; a request holds
// exactly its non-empty cells, each under its column's option; an accepted
// header names only per-request options.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/tovcalc/design_csv.h"
#include "app/tovcalc/request.h"
#include "fuzz_checks.h"

namespace {

// Cells of a line by counting commas outside quotes; -1 when a quote is left open.
long long CountCells(std::string_view line) {
  long long cells = 1;
  bool quoted = false;
  for (char c : line) {
    if (c == '"') quoted = !quoted;  // a doubled quote toggles twice
    if (c == ',' && !quoted) ++cells;
  }
  return quoted ? -1 : cells;
}

bool Ascii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

void CheckCells(std::string_view line) {
  const auto cells = tov::tovcalc::SplitCsvLine(line);
  const long long counted = CountCells(line);
  if (!cells) {
    if (counted != -1) tov::fuzz::Fail("refused a line whose quotes close", line);
    return;
  }
  if (counted != static_cast<long long>(cells->size())) tov::fuzz::Fail("cell count", line);
  if (!Ascii(line)) return;  // written back, a byte that is no UTF-8 becomes U+FFFD
  std::string written;
  for (std::size_t i = 0; i < cells->size(); ++i) {
    if (i > 0) written.push_back(',');
    tov::tovcalc::AppendCsvCell(written, (*cells)[i]);
  }
  if (tov::tovcalc::SplitCsvLine(written) != cells) tov::fuzz::Fail("cells written back", line);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::size_t newline = bytes.find('\n');
  const std::string_view header_line = bytes.substr(0, newline);
  const std::string_view line =
      newline == std::string_view::npos ? std::string_view() : bytes.substr(newline + 1);
  CheckCells(header_line);
  CheckCells(line);

  std::string error;
  const auto header = tov::tovcalc::ReadCsvHeader(header_line, error);
  if (header.has_value() == !error.empty())
    tov::fuzz::Fail("header refused without a reason", bytes);
  if (!header) return 0;
  for (const tov::tovcalc::OptionId id : header->columns) {
    if (!tov::tovcalc::EntryOf(id).per_request)
      tov::fuzz::Fail("a run-wide option in the header", bytes);
  }
  tov::tovcalc::Request request;
  tov::tovcalc::ReadCsvRequest(line, *header, request);
  const auto cells = tov::tovcalc::SplitCsvLine(line);
  if (!cells || cells->size() != header->columns.size()) {
    if (request.error.empty() || !request.options.empty())
      tov::fuzz::Fail("a bad line accepted", bytes);
    return 0;
  }
  if (!request.error.empty()) tov::fuzz::Fail("a good line refused", bytes);
  std::size_t next = 0;
  for (std::size_t i = 0; i < cells->size(); ++i) {
    if ((*cells)[i].empty()) continue;
    if (next >= request.options.size() || request.options[next].id != header->columns[i] ||
        request.options[next].text != (*cells)[i]) {
      tov::fuzz::Fail("a cell not under its column's option", bytes);
    }
    ++next;
  }
  if (next != request.options.size()) tov::fuzz::Fail("options beside the cells", bytes);
  return 0;
}
