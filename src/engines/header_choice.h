#pragma once
// The mounting header recommended for a wound toroid.

#include <string>

namespace tov {

// The first header of the table whose size takes a toroid wound to ODw by
// HTw (in): "SX-Q0705-8A", "TX-Q2206-4A", "TX-Q2507-4A", "TX-Q3813-4A",
// "TX-Q4916-4A", or "None Available" for a larger one.
std::string ChooseHeader(float ODw, float HTw);

}  // namespace tov
