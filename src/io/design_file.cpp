#include "io/design_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>

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

std::string ErrnoText(int error) {
  return std::strerror(error);
}

// A name for the new file beside the target that no other file has yet.
std::filesystem::path TemporarySibling(const std::filesystem::path& target, unsigned salt) {
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, ".%08x.tmp", salt);
  std::string name = target.filename().string();
  name.insert(0, 1, '.');
  name.append(suffix);
  return target.parent_path() / name;
}

// Writes the bytes to a file created for this write only.
std::string WriteNewFile(std::FILE* out, std::string_view bytes) {
  const bool written =
      std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size() && std::fflush(out) == 0;
  const int write_error = errno;
  const bool closed = std::fclose(out) == 0;
  if (!written) return ErrnoText(write_error);
  if (!closed) return ErrnoText(errno);
  return {};
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

std::optional<DesignFileRecord> ReadDesignFile(std::string_view data) {
  FieldScanner scanner(data);
  std::array<ScannedField, 14> fields;
  for (ScannedField& field : fields) {
    std::optional<ScannedField> next = scanner.Next();
    if (!next) return std::nullopt;
    field = std::move(*next);
  }

  DesignFileRecord r;
  const std::array<std::pair<std::size_t, int16_t*>, 6> integers = {{{0, &r.CoreIdx},
                                                                     {1, &r.DesignMode},
                                                                     {9, &r.MaterialCode},
                                                                     {10, &r.FullLoadLMax},
                                                                     {12, &r.StackCount},
                                                                     {13, &r.SingleLayer}}};
  for (const auto& [index, target] : integers) {
    if (!Commit(*target, IntegerRecord(fields[index]))) return std::nullopt;
  }
  if (!Commit(r.AmbientTemp, FloatRecord(fields[11]))) return std::nullopt;

  const std::array<std::string*, 7> texts = {&r.Idc, &r.Idelta, &r.Freq,     &r.CurDens,
                                             &r.Lfl, &r.Lnl,    &r.TempInput};
  for (std::size_t i = 0; i < texts.size(); ++i) *texts[i] = TextRecord(fields[2 + i]);
  return r;
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

std::string ReplaceFileContents(const std::filesystem::path& file, std::string_view bytes) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path target = file;
  if (fs::is_symlink(file, ec)) {
    fs::path resolved = fs::weakly_canonical(file, ec);
    if (!ec) target = resolved;
  }
  if (target.filename().empty()) return "The name is a folder, not a file.";
  if (fs::is_directory(target, ec)) return "A folder of that name is in the way.";
  // A file nobody may write to is read-only on purpose: it is not replaced.
  const fs::file_status current = fs::status(target, ec);
  constexpr fs::perms kAnyWrite =
      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  if (!ec && fs::is_regular_file(current) &&
      (current.permissions() & kAnyWrite) == fs::perms::none) {
    return "The file is read-only.";
  }

  std::random_device random;
  fs::path temporary;
  std::FILE* out = nullptr;
  for (int attempt = 0; attempt < 100 && !out; ++attempt) {
    temporary = TemporarySibling(target, random());
    out = std::fopen(temporary.c_str(), "wbx");
    if (!out && errno != EEXIST) return ErrnoText(errno);
  }
  if (!out) return "No temporary file could be created beside it.";

  std::string failure = WriteNewFile(out, bytes);
  if (failure.empty()) {
    const fs::file_status existing = fs::status(target, ec);
    if (!ec && fs::exists(existing)) fs::permissions(temporary, existing.permissions(), ec);
    fs::rename(temporary, target, ec);
    if (ec) failure = ec.message();
  }
  if (!failure.empty()) fs::remove(temporary, ec);
  return failure;
}

}  // namespace tov
