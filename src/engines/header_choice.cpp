#include "engines/header_choice.h"

namespace tov {

// Tried from the top; every bound is strict and in inches. A wound diameter
// from 0.38 to 0.5 in skips the second header.
std::string ChooseHeader(float ODw, float HTw) {
  if (ODw < 0.38f) return "SX-Q0705-8A";
  if (0.5f < ODw && ODw < 0.9f && HTw < 0.385f) return "TX-Q2206-4A";
  if (ODw < 1.1f && HTw < 0.51f) return "TX-Q2507-4A";
  if (ODw < 1.6f && HTw < 0.71f) return "TX-Q3813-4A";
  if (ODw < 2.5f && HTw < 0.81f) return "TX-Q4916-4A";
  return "None Available";
}

}  // namespace tov
