#include "models/wire_sizing.h"

#include <gtest/gtest.h>

#include "models/wire_gauge.h"

namespace tov {
namespace {

TEST(WindingCurrent, DcPlusRmsShareOfTheRipple) {
  EXPECT_FLOAT_EQ(*WindingCurrent(10, 2), 10.577f);
  EXPECT_NEAR(*WireArea(0.0847f), 0.0363332, 1e-7);
}

struct SizeCase {
  float Iw;
  float J;
  int16_t G;
  int16_t S;
  float X;
  bool too_large;
};

class SizeWireCases : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SizeWireCases, GaugeStrandsAndDensity) {
  const SizeCase c = GetParam();
  const WireSizing r = SizeWire(c.Iw, c.J);
  EXPECT_EQ(r.wire.G, c.G);
  EXPECT_EQ(r.wire.S, c.S);
  EXPECT_FLOAT_EQ(r.X, c.X);
  EXPECT_EQ(r.too_large, c.too_large);
  EXPECT_EQ(r.wire.d, static_cast<float>(*WireDia(c.G)));
  EXPECT_EQ(r.wire.Aw, *WireArea(r.wire.d));
  if (c.S > 1) {
    EXPECT_EQ(r.wire.PrevStrands, c.too_large ? 6 : c.S - 1);
  }
}

// For 100 A the density per strand of gauge 12 runs 3022, 1511, 1007, 755,
// 604, 503; each J below lets exactly that strand count pass (X <= 1.2 J).
INSTANTIATE_TEST_SUITE_P(
    Examples, SizeWireCases,
    ::testing::Values(SizeCase{10, 600, 15, 1, 302, false},
                      SizeCase{19.86f, 600, 12, 1, 600, false},  // I_w / J is the gauge-12 area
                      SizeCase{40, 1008, 12, 1, 1209, false},    // computed 11, one wire suffices
                      SizeCase{40, 600, 12, 2, 604, false}, SizeCase{0.01f, 600, 42, 1, 0, false},
                      SizeCase{100, 3022.5f / 1.2f, 12, 1, 3022, false},
                      SizeCase{100, 1511.5f / 1.2f, 12, 2, 1511, false},
                      SizeCase{100, 1007.5f / 1.2f, 12, 3, 1007, false},
                      SizeCase{100, 755.5f / 1.2f, 12, 4, 755, false},
                      SizeCase{100, 604.5f / 1.2f, 12, 5, 604, false},
                      SizeCase{100, 503.5f / 1.2f, 12, 6, 503, false},
                      SizeCase{100, 300, 12, 6, 503, true},
                      // No value for the gauge: it stays 0 and takes the strand rule.
                      SizeCase{10, 0, 12, 6, 51, true}, SizeCase{0, 600, 12, 1, 0, false},
                      SizeCase{1e30f, 600, 12, 6, 5.0379194e30f, true}));

TEST(SizeWire, SixStrandDensityIsTheWholeDensityInSixStrandsOfGauge12) {
  EXPECT_EQ(*SixStrandDensity(100), 503);
  EXPECT_EQ(*SixStrandDensity(1), 5);
  EXPECT_FALSE(SixStrandDensity(std::numeric_limits<float>::infinity()));
}

Winding Gauge12Strands(int16_t S) {
  Winding w = SizeWire(40, 600).wire;
  w.S = S;
  return w;
}

TEST(FitWindow, AWindingThatFitsIsLeftAlone) {
  Winding w = Gauge12Strands(2);
  FitWindow(10, w, 2, 0.5f);
  EXPECT_NEAR(w.F, 20 * 0.0363332 / 2, 1e-6);
  EXPECT_EQ(w.S, 2);
  EXPECT_EQ(w.G, 12);
  EXPECT_FALSE(w.reduced);
}

TEST(FitWindow, RemovesStrandsBeforeThinningTheWire) {
  Winding w = Gauge12Strands(2);
  FitWindow(10, w, 1, 0.5f);
  EXPECT_EQ(w.S, 1);
  EXPECT_EQ(w.G, 12);
  EXPECT_TRUE(w.reduced);

  w = Gauge12Strands(2);
  FitWindow(10, w, 0.5f, 0.5f);
  EXPECT_EQ(w.S, 1);
  EXPECT_EQ(w.G, 14);
  EXPECT_FLOAT_EQ(w.d, 0.0682f);
  EXPECT_LE(w.F, 0.5f);
}

TEST(FitWindow, StopsAtGauge43WhereTheWireVanishes) {
  Winding w = Gauge12Strands(6);
  FitWindow(5000, w, 1e-6f, 0.5f);
  EXPECT_EQ(w.S, 1);
  EXPECT_EQ(w.G, 43);
  EXPECT_EQ(w.d, 0);
  EXPECT_EQ(w.F, 0);
}

TEST(FitWindow, EndsWhenTheFillCannotBeComputed) {
  Winding w = Gauge12Strands(3);
  w.F = 1;
  FitWindow(10, w, 0, 0.5f);  // W_a of zero: the fill keeps its value
  EXPECT_EQ(w.S, 1);
  EXPECT_EQ(w.G, 43);
  EXPECT_EQ(w.F, 1);

  w = Gauge12Strands(2);
  w.F = 1;
  FitWindow(30000, w, 1, 0.5f);  // S N beyond 16 bits until one strand is left
  EXPECT_EQ(w.S, 1);
  EXPECT_EQ(w.G, 43);
}

TEST(FitSingleLayer, OneLayerOnTheInnerCircumference) {
  Winding w = SizeWire(10, 800).wire;  // gauge 16
  w.G = 18;
  w.d = 0.0437f;
  const Winding before = w;
  FitSingleLayer(30, w, 0.5f);  // room for 0.0474 in
  EXPECT_EQ(w.G, 18);
  EXPECT_FALSE(w.reduced);

  FitSingleLayer(50, w, 0.5f);  // room for 0.0295 in
  EXPECT_EQ(w.G, 22);
  EXPECT_FLOAT_EQ(w.d, 0.0281f);
  EXPECT_TRUE(w.reduced);
  EXPECT_EQ(w.Aw, before.Aw);
  EXPECT_EQ(w.F, before.F);
}

TEST(FitSingleLayer, RemovesStrandsFirst) {
  Winding w = Gauge12Strands(2);
  FitSingleLayer(10, w, 0.5f);
  EXPECT_EQ(w.S, 1);
  EXPECT_EQ(w.G, 12);
  EXPECT_TRUE(w.reduced);
}

TEST(FitSingleLayer, NoHoleEndsAtGauge43) {
  Winding w = Gauge12Strands(4);
  FitSingleLayer(10, w, -1);
  EXPECT_EQ(w.S, 1);
  EXPECT_EQ(w.G, 43);
}

}  // namespace
}  // namespace tov
