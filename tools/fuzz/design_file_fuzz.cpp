// The design-file reader on any bytes: a refusal says why; whatever it
// accepts a design can be computed from (a stack of at least one core, copper
// with a positive resistance), and the writer writes it so that the reader
// gives back the same record.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_checks.h"
#include "io/design_file.h"
#include "ui/logic/window_model.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const tov::DesignFileRead read = tov::ReadDesignFile(bytes);
  const auto& record = read.record;
  if (record.has_value() == !read.error.empty()) tov::fuzz::Fail("refusal without a reason", bytes);
  if (!record) return 0;
  if (record->stack_count < 1 || !tov::CopperFactorPositive(record->ambient_c)) {
    tov::fuzz::Fail("accepted a file no design can be computed from", bytes);
  }
  const std::string written = tov::WriteDesignFile(*record);
  // The numbers as written, without the user's texts beside them.
  tov::DesignFileRecord numbers = *record;
  numbers.Idc = numbers.Idelta = numbers.Freq = numbers.CurDens = "";
  numbers.Lfl = numbers.Lnl = numbers.TempInput = "";
  tov::fuzz::ExpectFinite("numbers", tov::WriteDesignFile(numbers));
  // Texts are written without escaping: one holding a double quote cannot come back.
  for (const std::string* text : {&record->Idc, &record->Idelta, &record->Freq, &record->CurDens,
                                  &record->Lfl, &record->Lnl, &record->TempInput}) {
    if (text->find('"') != std::string::npos) return 0;
  }
  const auto again = tov::ReadDesignFile(written).record;
  if (!again) tov::fuzz::Fail("written file not read back", written);
  // The ambient temperature is written to 7 significant digits, a float holds
  // up to 9: it comes back within the seventh digit.
  tov::DesignFileRecord expected = *record;
  const double ambient = record->ambient_c;
  if (std::fabs(again->ambient_c - ambient) <= 1e-6 * std::fabs(ambient)) {
    expected.ambient_c = again->ambient_c;
  }
  if (!(*again == expected)) tov::fuzz::Fail("round trip", written);
  return 0;
}
