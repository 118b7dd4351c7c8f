#pragma once
// Counts every allocation of the test program while `counting` is set (the
// program's operator new and delete are replaced where this is linked).

namespace tov::testing::allocation_count {
extern bool counting;
extern long allocations;
}  // namespace tov::testing::allocation_count
