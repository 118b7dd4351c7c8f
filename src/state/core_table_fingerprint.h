#pragma once
// Which core database a design was made with. The database file carries no
// version of its own, so its content stands for one: two tables with the
// same fingerprint hold the same cells.

#include <cstdint>
#include <string>

#include "state/core_table.h"

namespace tov {

// The 32-bit FNV-1a hash over every cell row by row: its kind, then its
// shown text (numbers in plain decimal form), each cell closed by a zero byte.
uint32_t CoreTableFingerprint(const CoreTable& table);

// The fingerprint as eight upper-case hexadecimal digits: "0A1B2C3D".
std::string FingerprintText(uint32_t fingerprint);

}  // namespace tov
