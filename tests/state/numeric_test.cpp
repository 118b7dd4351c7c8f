#include "state/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace tov {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct CountCase {
  double value;
  std::optional<int16_t> expected;
};

TEST(RoundToCount, TiesGoToTheEvenNeighbourOnBothSidesOfZero) {
  const CountCase cases[] = {
      {0.5, 0},         {1.5, 2},         {2.5, 2},           {3.5, 4},       {-0.5, 0},
      {-1.5, -2},       {-2.5, -2},       {-3.5, -4},         {2.4999999, 2}, {2.5000001, 3},
      {-2.5000001, -3}, {32767.4, 32767}, {-32768.5, -32768},
  };
  for (const auto& c : cases) EXPECT_EQ(RoundToCount(c.value), c.expected) << c.value;
}

TEST(RoundToCount, FailsOutsideTheSixteenBitRangeAndOnNonFiniteValues) {
  // 32767.5 is a tie whose even neighbour 32768 no longer fits.
  for (double v : {32767.5, 32768.0, -32768.6, -40000.0, 1e300, kNaN, kInf, -kInf}) {
    EXPECT_EQ(RoundToCount(v), std::nullopt) << v;
  }
}

TEST(FloorToCount, RoundsDownTowardMinusInfinity) {
  const CountCase cases[] = {
      {2.9, 2},
      {-2.1, -3},
      {-0.5, -1},
      {32767.9, 32767},
      {-32768.0, -32768},
      {-32768.5, std::nullopt},
      {32768.0, std::nullopt},
      {kNaN, std::nullopt},
      {-kInf, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(FloorToCount(c.value), c.expected) << c.value;
}

TEST(CheckedCounts, DetectSixteenBitOverflow) {
  EXPECT_EQ(CheckedAdd(32766, 1), int16_t{32767});
  EXPECT_EQ(CheckedAdd(32767, 1), std::nullopt);
  EXPECT_EQ(CheckedSub(-32767, 1), int16_t{-32768});
  EXPECT_EQ(CheckedSub(-32768, 1), std::nullopt);
  EXPECT_EQ(CheckedMul(-256, 128), int16_t{-32768});
  EXPECT_EQ(CheckedMul(256, 128), std::nullopt);
  EXPECT_EQ(CheckedMul(181, 181), int16_t{32761});
  EXPECT_EQ(CheckedMul(182, 182), std::nullopt);
}

TEST(ToSingle, RejectsOverflowAndNonFiniteButFlushesTinyValuesToZero) {
  EXPECT_EQ(ToSingle(1e39), std::nullopt);
  EXPECT_EQ(ToSingle(-1e39), std::nullopt);
  EXPECT_EQ(ToSingle(kNaN), std::nullopt);
  EXPECT_EQ(ToSingle(kInf), std::nullopt);
  EXPECT_EQ(ToSingle(std::numeric_limits<float>::max()), std::numeric_limits<float>::max());
  EXPECT_EQ(ToSingle(-std::numeric_limits<float>::max()), -std::numeric_limits<float>::max());
  EXPECT_EQ(ToSingle(1e-50), 0.0f);
  EXPECT_EQ(ToSingle(0.1), 0.1f);
}

TEST(Commit, AFailedStepLeavesTheTargetAsItWas) {
  float loss_mW = 12.5f;
  EXPECT_FALSE(Commit(loss_mW, ToSingle(1e40)));
  EXPECT_EQ(loss_mW, 12.5f);
  EXPECT_TRUE(Commit(loss_mW, ToSingle(3.0)));
  EXPECT_EQ(loss_mW, 3.0f);

  int16_t turns = 40;
  EXPECT_FALSE(Commit(turns, RoundToCount(kNaN)));
  EXPECT_EQ(turns, 40);
}

}  // namespace
}  // namespace tov
