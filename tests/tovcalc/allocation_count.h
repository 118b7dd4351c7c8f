#pragma once
// Counts every allocation of the test program while `counting` is set.

namespace tov::tovcalc::allocation_count {
extern bool counting;
extern long allocations;
}  // namespace tov::tovcalc::allocation_count
