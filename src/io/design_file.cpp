#include "io/design_file.h"

#include <array>
#include <cmath>

#include "state/copper_factor.h"
#include "state/field_scanner.h"
#include "state/material.h"
#include "state/number_text.h"
#include "state/numeric.h"

namespace tov {
namespace {

constexpr const char* kRecordEnd = "\r\n";

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

// An integer record: a whole number within the 16-bit range.
std::optional<int16_t> IntegerRecord(const ScannedField& field) {
  const std::optional<double> value = ParseNumber(field.text);
  if (!value || *value != std::floor(*value)) return std::nullopt;
  if (*value < INT16_MIN || *value > INT16_MAX) return std::nullopt;
  return static_cast<int16_t>(*value);
}

// The ambient temperature: any number a 4-byte float can hold.
std::optional<float> FloatRecord(const ScannedField& field) {
  const std::optional<double> value = ParseNumber(field.text);
  if (!value) return std::nullopt;
  return ToSingle(*value);
}

// An input text: a quoted text as it stands; an unquoted number as its plain
// decimal text; any other unquoted text as it stands.
std::string TextRecord(const ScannedField& field) {
  if (field.quoted) return field.text;
  const std::optional<double> value = ParseNumber(field.text);
  return value ? PlainNumberText(*value) : field.text;
}

constexpr std::size_t kRecords = 14;
constexpr std::size_t kAmbientRecord = 11;  // 0-based

// What each record holds, as a message names it.
constexpr std::array<std::string_view, kRecords> kRecordNames = {
    "core row",         "design mode",       "DC current",           "ripple current",
    "frequency",        "current density",   "full-load inductance", "no-load inductance",
    "temperature rise", "material code",     "Full Load L Maximum",  "ambient temperature",
    "stack count",      "Single Layer Choke"};

DesignFileRead Refused(std::size_t index, const std::string& what) {
  return {std::nullopt, "Record " + std::to_string(index + 1) + " (" +
                            std::string(kRecordNames[index]) + ") " + what};
}

std::string MissingRecordsText(std::size_t records_read) {
  const std::string holds = "a design file holds " + std::to_string(kRecords) + " records.";
  if (records_read == 0) return "It is empty; " + holds;
  return "It ends after record " + std::to_string(records_read) + "; " + holds;
}

}  // namespace

std::string WriteDesignFile(const DesignFileRecord& r) {
  const std::array<std::string, 14> records = {std::to_string(r.core_row),
                                               std::to_string(r.design_mode),
                                               Quoted(r.Idc),
                                               Quoted(r.Idelta),
                                               Quoted(r.Freq),
                                               Quoted(r.CurDens),
                                               Quoted(r.Lfl),
                                               Quoted(r.Lnl),
                                               Quoted(r.TempInput),
                                               std::to_string(r.MaterialCode),
                                               std::to_string(r.FullLoadLMax),
                                               PlainNumberText(r.ambient_c, 7),
                                               std::to_string(r.stack_count),
                                               std::to_string(r.SingleLayer)};
  std::string bytes;
  for (const std::string& record : records) bytes += record + kRecordEnd;
  return bytes;
}

DesignFileRead ReadDesignFile(std::string_view data) {
  DesignFileRecord r;
  const std::array<int16_t*, kRecords> integers = {
      &r.core_row,     &r.design_mode, nullptr,        nullptr,       nullptr,
      nullptr,         nullptr,        nullptr,        nullptr,       &r.MaterialCode,
      &r.FullLoadLMax, nullptr,        &r.stack_count, &r.SingleLayer};
  const std::array<std::string*, kRecords> texts = {
      nullptr, nullptr,      &r.Idc,  &r.Idelta, &r.Freq, &r.CurDens, &r.Lfl,
      &r.Lnl,  &r.TempInput, nullptr, nullptr,   nullptr, nullptr,    nullptr};

  FieldScanner scanner(data);
  for (std::size_t i = 0; i < kRecords; ++i) {
    const std::optional<ScannedField> field = scanner.Next();
    if (!field) return {std::nullopt, MissingRecordsText(i)};
    if (texts[i]) {
      *texts[i] = TextRecord(*field);
    } else if (integers[i]) {
      if (!Commit(*integers[i], IntegerRecord(*field))) {
        return Refused(i, "is not a whole number from -32768 to 32767.");
      }
    } else if (!Commit(r.ambient_c, FloatRecord(*field))) {
      return Refused(i, "is not a number from -3.4E+38 to 3.4E+38.");
    }
    // Values the design cannot be computed from: copper without a positive
    // resistance, a stack of no cores.
    if (i == kAmbientRecord && !CopperFactorPositive(r.ambient_c)) {
      return Refused(i, "is " + PlainNumberText(r.ambient_c, 7) +
                            " degrees C; copper keeps a positive resistance only above -234.45 "
                            "degrees C.");
    }
    if (integers[i] == &r.stack_count && r.stack_count < 1) {
      return Refused(i,
                     "is " + std::to_string(r.stack_count) + "; a design needs at least 1 core.");
    }
  }
  return {r, {}};
}

}  // namespace tov
