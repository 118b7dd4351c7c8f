#pragma once
// The program's version as its files and reports name it.

#include <string_view>

namespace tov {

// "1.0": the version the build was made as.
std::string_view ProgramVersion();

}  // namespace tov
