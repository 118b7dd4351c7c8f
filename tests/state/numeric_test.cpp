#include "state/numeric.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

namespace tov {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::optional<int16_t> kNone;

struct CountCase {
  double value;
  std::optional<int16_t> expected;
};

TEST(Counts, RoundTiesToEvenAndFailOutsideSixteenBits) {
  const CountCase cases[] = {
      {0.5, 0},         {1.5, 2},         {2.5, 2},         {-2.5, -2},
      {-3.5, -4},       {2.5000001, 3},   {32767.4, 32767}, {-32768.5, -32768},
      {32767.5, kNone}, {32768.0, kNone}, {kNaN, kNone},    {-kInf, kNone},
  };
  for (const auto& c : cases) EXPECT_EQ(RoundToCount(c.value), c.expected) << c.value;
}

TEST(Counts, FloorGoesTowardMinusInfinity) {
  const CountCase cases[] = {
      {2.9, 2}, {-2.1, -3}, {-0.5, -1}, {32767.9, 32767}, {-32768.5, kNone}, {kNaN, kNone},
  };
  for (const auto& c : cases) EXPECT_EQ(FloorToCount(c.value), c.expected) << c.value;
}

TEST(Counts, CheckedArithmeticDetectsOverflow) {
  EXPECT_EQ(CheckedAdd(32766, 1), int16_t{32767});
  EXPECT_EQ(CheckedAdd(32767, 1), kNone);
  EXPECT_EQ(CheckedSub(-32768, 1), kNone);
  EXPECT_EQ(CheckedMul(-256, 128), int16_t{-32768});
  EXPECT_EQ(CheckedMul(256, 128), kNone);
}

TEST(ToSingle, RejectsOverflowAndNonFiniteAndAFailedStepCommitsNothing) {
  for (double v : {1e39, -1e39, kNaN, kInf}) EXPECT_EQ(ToSingle(v), std::nullopt) << v;
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
