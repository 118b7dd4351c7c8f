// The core database reader on any bytes: never crashes, and every number it
// stores reads back as a finite value and a plain text.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_checks.h"
#include "state/core_table_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::size_t values_read = 0;
  const auto table = tov::ParseCoreTable(bytes, &values_read);
  if (table.has_value() != (values_read == tov::kCoreValues)) tov::fuzz::Fail("count", bytes);
  if (!table) return 0;
  for (int row = 1; row <= tov::kCoreRows; ++row) {
    for (int column = 1; column <= tov::kCoreColumns; ++column) {
      const tov::CoreCell& cell = table->Cell(row, static_cast<tov::CoreColumn>(column));
      if (cell.IsNumber()) tov::fuzz::ExpectFinite("cell", cell.Display());
    }
  }
  return 0;
}
