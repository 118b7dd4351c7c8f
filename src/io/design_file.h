#pragma once
// Design files (*.tov): the settings of one design as fourteen comma- or
// line-separated records. The format functions here touch no window and no
// dialog; Save and Open of the File menu are built on them.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "state/file_bytes.h"
#include "state/window_model.h"

namespace tov {

// The fourteen values of a design file, in file order.
struct DesignFileRecord {
  int16_t CoreIdx = 0;     // 1: core row last designed on
  int16_t DesignMode = 0;  // 2: 0 automatic search, otherwise the selected-core design
  // 3 to 9: the input texts as they stand in the window.
  std::string Idc, Idelta, Freq, CurDens, Lfl, Lnl, TempInput;
  int16_t MaterialCode = 0;   // 10: 1 optMPP, 2 optHF, 3 optVelmax, 4 optVelmaxE
  int16_t FullLoadLMax = 0;   // 11: 1 checks Full Load L Maximum, anything else unchecks
  float AmbientTemp = 20.0f;  // 12: deg C
  int16_t StackCount = 1;     // 13: as written, no range check
  int16_t SingleLayer = 0;    // 14: 1 checks Single Layer Choke, anything else unchecks

  friend bool operator==(const DesignFileRecord&, const DesignFileRecord&) = default;
};

// The bytes of a design file: fourteen lines each ended by CR LF, the texts in
// double quotes without any escaping, integers bare, the ambient temperature
// in its shortest form of at most 7 significant digits with "." as the point.
std::string WriteDesignFile(const DesignFileRecord& record);

// The record held by the bytes of a design file, or nullopt when they are not
// a design file: fewer than fourteen values; an integer record that is not a
// whole number within -32768..32767; an ambient temperature that is not a
// number a 4-byte float can hold. Values may stand several to a line; texts
// may be quoted or not (an unquoted number in records 3 to 9 is taken as its
// plain decimal text); values after the fourteenth are ignored.
std::optional<DesignFileRecord> ReadDesignFile(std::string_view data);

// The record of the window's current settings: input texts as they stand,
// the material code of the selected option, the two check marks as 1 or 0.
DesignFileRecord RecordFromWindow(const WindowModel& window);

// The content of a design file, at most its first megabyte (a design file is
// a few hundred bytes; the limit keeps a wrong pick such as a huge file from
// exhausting memory); nullopt when it is not a regular file or cannot be read.
inline constexpr std::size_t kDesignFileReadLimit = 1 << 20;
inline std::optional<std::string> ReadFileBytes(const std::filesystem::path& file) {
  return ReadFileBytes(file, kDesignFileReadLimit);
}

// Writes `bytes` to `file` without ever leaving it half written: the data go
// to a new file in the same folder, which then replaces the target in one
// step. A symbolic link is followed and its target replaced; an existing
// file keeps its permissions. Returns the empty text on success, otherwise
// why it failed (the target is then as it was).
std::string ReplaceFileContents(const std::filesystem::path& file, std::string_view bytes);

}  // namespace tov
