#pragma once
// Sweeps: the values one option takes in turn, and every combination of
// several sweeps, produced one at a time.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/tovcalc/command_line.h"

namespace tov::tovcalc {

// The values of one option: a list (NAME=A,B,C), or a range
// (NAME=START:STOP:STEP, STOP included when a whole number of steps reaches
// it) whose values are written in the decimals of START and STEP.
class SweepAxis {
 public:
  // The sweep of an axis text (NAME=START:STOP:STEP or NAME=A,B,C), or nullopt with `error` set.
  static std::optional<SweepAxis> Parse(std::string_view text, std::string& error);

  OptionId Option() const { return option_; }
  uint64_t Count() const { return list_.empty() ? count_ : list_.size(); }
  // The text of value i (0 <= i < Count()).
  std::string Value(uint64_t i) const;

 private:
  OptionId option_ = OptionId::Idc;
  std::vector<std::string> list_;
  // A range in whole units of 10^-decimals when all its numbers are such
  // units below 2^53 (then exact); otherwise in 8-byte arithmetic.
  bool exact_ = false;
  int64_t start_units_ = 0, step_units_ = 0;
  int decimals_ = 0;
  double start_ = 0, step_ = 0;
  uint64_t count_ = 0;
};

// Every combination of the axes, the last axis turning fastest.
class SweepProduct {
 public:
  // nullopt with `error` set when the combinations are too many to count, or
  // when two axes set the same option.
  static std::optional<SweepProduct> Of(std::vector<SweepAxis> axes, std::string& error);

  uint64_t Count() const { return count_; }
  // The option texts of combination i (0 <= i < Count()).
  std::vector<std::pair<OptionId, std::string>> Combination(uint64_t i) const;

 private:
  std::vector<SweepAxis> axes_;
  uint64_t count_ = 1;
};

}  // namespace tov::tovcalc
