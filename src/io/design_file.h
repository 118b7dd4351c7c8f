#pragma once
// Design files (*.tov): the settings of one design as fourteen comma- or
// line-separated records. The format functions here touch no window and no
// dialog; Save and Open of the File menu are built on them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "state/material.h"

namespace tov {

// The fourteen values of a design file, in file order.
struct DesignFileRecord {
  int16_t core_row = 0;     // 1: core row last designed on
  int16_t design_mode = 0;  // 2: 0 automatic search, otherwise the selected-core design
  // 3 to 9: the input texts as they stand in the window.
  std::string Idc, Idelta, Freq, CurDens, Lfl, Lnl, TempInput;
  int16_t MaterialCode = 0;  // 10: 1 optMPP, 2 optHF, 3 optVelmax, 4 optVelmaxE
  int16_t FullLoadLMax = 0;  // 11: 1 checks Full Load L Maximum, anything else unchecks
  float ambient_c = 20.0f;   // 12: deg C
  int16_t stack_count = 1;   // 13: 1 or more, above 5 as written
  int16_t SingleLayer = 0;   // 14: 1 checks Single Layer Choke, anything else unchecks

  friend bool operator==(const DesignFileRecord&, const DesignFileRecord&) = default;
};

// The bytes of a design file: fourteen lines each ended by CR LF, the texts in
// double quotes without any escaping, integers bare, the ambient temperature
// in its shortest form of at most 7 significant digits with "." as the point.
std::string WriteDesignFile(const DesignFileRecord& record);

// The outcome of reading a design file: its record, or why there is none as
// a sentence for the user.
struct DesignFileRead {
  std::optional<DesignFileRecord> record;
  std::string error;
};

// The record held by the bytes of a design file. Values may stand several to
// a line; texts may be quoted or not (an unquoted number in records 3 to 9 is
// taken as its plain decimal text); values after the fourteenth are ignored.
// Refused, naming the first record that is wrong: fewer than fourteen values;
// an integer record that is not a whole number within -32768..32767; an
// ambient temperature that is not a number a 4-byte float can hold, or at
// which copper has no positive resistance; a stack count below 1.
DesignFileRead ReadDesignFile(std::string_view data);

}  // namespace tov
