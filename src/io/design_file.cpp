#include "io/design_file.h"

#include <array>
#include <cmath>

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
  const std::array<std::string, 14> records = {std::to_string(r.CoreIdx),
                                               std::to_string(r.DesignMode),
                                               Quoted(r.Idc),
                                               Quoted(r.Idelta),
                                               Quoted(r.Freq),
                                               Quoted(r.CurDens),
                                               Quoted(r.Lfl),
                                               Quoted(r.Lnl),
                                               Quoted(r.TempInput),
                                               std::to_string(r.MaterialCode),
                                               std::to_string(r.FullLoadLMax),
                                               PlainNumberText(r.AmbientTemp, 7),
                                               std::to_string(r.StackCount),
                                               std::to_string(r.SingleLayer)};
  std::string bytes;
  for (const std::string& record : records) bytes += record + kRecordEnd;
  return bytes;
}

DesignFileRead ReadDesignFile(std::string_view data) {
  DesignFileRecord r;
  const std::array<int16_t*, kRecords> integers = {
      &r.CoreIdx,      &r.DesignMode, nullptr,       nullptr,       nullptr,
      nullptr,         nullptr,       nullptr,       nullptr,       &r.MaterialCode,
      &r.FullLoadLMax, nullptr,       &r.StackCount, &r.SingleLayer};
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
    } else if (!Commit(r.AmbientTemp, FloatRecord(*field))) {
      return Refused(i, "is not a number from -3.4E+38 to 3.4E+38.");
    }
    // Values the design cannot be computed from: copper without a positive
    // resistance, a stack of no cores.
    if (i == kAmbientRecord && !CopperFactorPositive(r.AmbientTemp)) {
      return Refused(i, "is " + PlainNumberText(r.AmbientTemp, 7) +
                            " degrees C; copper keeps a positive resistance only above -234.45 "
                            "degrees C.");
    }
    if (integers[i] == &r.StackCount && r.StackCount < 1) {
      return Refused(i, "is " + std::to_string(r.StackCount) + "; a design needs at least 1 core.");
    }
  }
  return {r, {}};
}

DesignFileRecord RecordFromWindow(const WindowModel& window) {
  DesignFileRecord r;
  r.CoreIdx = window.state.CoreIdx;
  r.DesignMode = window.state.DesignMode;
  r.Idc = window.txtIdc.text;
  r.Idelta = window.txtIdelta.text;
  r.Freq = window.txtFreq.text;
  r.CurDens = window.txtCurDens.text;
  r.Lfl = window.txtLfl.text;
  r.Lnl = window.txtLnl.text;
  r.TempInput = window.txtTempInput.text;
  r.MaterialCode = FileCodeOf(window.material);
  r.FullLoadLMax = window.mnuLfl ? 1 : 0;
  r.AmbientTemp = window.state.AmbientTemp;
  r.StackCount = window.state.StackCount;
  r.SingleLayer = window.mnuSingleLayer ? 1 : 0;
  return r;
}

}  // namespace tov
