#include "state/numeric.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <utility>

namespace tov {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr std::optional<int16_t> kNone;

TEST(Counts, RoundTiesToEvenAndFailOutsideSixteenBits) {
  // clang-format off
  const std::pair<double, std::optional<int16_t>> cases[] = {
      {0.5, 0}, {1.5, 2}, {2.5, 2}, {-2.5, -2}, {-3.5, -4}, {2.5000001, 3}, {32767.4, 32767},
      {-32768.5, -32768}, {32767.5, kNone}, {kNaN, kNone}, {-1 / 0.0, kNone}};
  // clang-format on
  for (const auto& [value, count] : cases) EXPECT_EQ(RoundToCount(value), count) << value;
  EXPECT_EQ(CheckedAdd(32766, 1), int16_t{32767});
  EXPECT_EQ(CheckedAdd(32767, 1), kNone);
  EXPECT_EQ(CheckedMul(-256, 128), int16_t{-32768});
  EXPECT_EQ(CheckedMul(256, 128), kNone);
}

TEST(ToSingle, RejectsOverflowAndNonFiniteAndAFailedStepCommitsNothing) {
  for (double v : {1e39, -1e39, kNaN}) EXPECT_EQ(ToSingle(v), std::nullopt) << v;
  EXPECT_EQ(ToSingle(std::numeric_limits<float>::max()), std::numeric_limits<float>::max());
  EXPECT_EQ(ToSingle(1e-50), 0.0f);
  float loss_mW = 12.5f;
  EXPECT_FALSE(Commit(loss_mW, ToSingle(1e40)));
  EXPECT_EQ(loss_mW, 12.5f);
  EXPECT_TRUE(Commit(loss_mW, ToSingle(3.0)));
  EXPECT_EQ(loss_mW, 3.0f);
}

}  // namespace
}  // namespace tov
