#include "models/wire_sizing.h"

#include <gtest/gtest.h>

#include "models/wire_gauge.h"

namespace tov {
namespace {

TEST(WireGauge, ThinnerGaugesAreThinnerAndResistMoreAndTheEndsReadZero) {
  for (int AWG = kThickestGauge; AWG < kThinnestGauge; ++AWG) {
    EXPECT_GT(*WireDia(AWG), *WireDia(AWG + 1)) << AWG;
    EXPECT_LT(*WireRes(AWG), *WireRes(AWG + 1)) << AWG;
  }
  for (int AWG : {0, 11, 43}) EXPECT_EQ(*WireDia(AWG) + *WireRes(AWG), 0) << AWG;
  for (int AWG : {-1, 44}) EXPECT_FALSE(WireDia(AWG) || WireRes(AWG)) << AWG;
}

// For 100 A the density per strand of gauge 12 runs 3022, 1511, 1007, 755,
// 604, 503; each J lets exactly that strand count pass (X <= 1.2 J).
TEST(SizeWire, GaugeStrandsAndDensity) {
  const struct {
    float Iw, J;
    int16_t G, S;
    float X;
    bool too_large;
  } cases[] = {
      {10, 600, 15, 1, 302, false},
      {19.86f, 600, 12, 1, 600, false},  // I_w / J is the gauge-12 area
      {40, 1008, 12, 1, 1209, false},    // computed 11, one wire suffices
      {40, 600, 12, 2, 604, false},
      {0.01f, 600, 42, 1, 0, false},
      {100, 503.5f / 1.2f, 12, 6, 503, false},
      {100, 300, 12, 6, 503, true},
      // No value for the gauge: it stays 0 and takes the strand rule.
      {10, 0, 12, 6, 51, true},
      {0, 600, 12, 1, 0, false},
  };
  for (const auto& c : cases) {
    const WireSizing r = SizeWire(c.Iw, c.J);
    SCOPED_TRACE(testing::Message() << c.Iw << " A at " << c.J << " A/cm^2");
    EXPECT_EQ(r.wire.G, c.G);
    EXPECT_EQ(r.wire.S, c.S);
    EXPECT_FLOAT_EQ(r.X, c.X);
    EXPECT_EQ(r.too_large, c.too_large);
    EXPECT_EQ(r.wire.d, static_cast<float>(*WireDia(c.G)));
    EXPECT_EQ(r.wire.PrevStrands, c.too_large ? 6 : c.S - 1);
  }
  EXPECT_FLOAT_EQ(*WindingCurrent(10, 2), 10.577f);
}

Winding Gauge12Strands(int16_t S) {
  Winding w = SizeWire(40, 600).wire;
  w.S = S;
  return w;
}

// Strands go before the wire is thinned; every loop ends, at gauge 43 where
// the wire vanishes if need be.
TEST(FitWindow, RemovesStrandsThenThinsTheWire) {
  const struct {
    int16_t S, N;
    float Wa;
    int16_t expected_S, expected_G;
  } cases[] = {
      {2, 10, 2, 2, 12},        // fits: left alone
      {2, 10, 1, 1, 12},        // one strand less fits
      {2, 10, 0.5f, 1, 14},     //
      {6, 5000, 1e-6f, 1, 43},  // nothing fits
      {3, 10, 0, 1, 43},        // W_a of zero: the fill has no value
      {2, 30000, 1, 1, 43},     // S N beyond 16 bits until one strand is left
  };
  for (const auto& c : cases) {
    Winding w = Gauge12Strands(c.S);
    w.F = 1;  // kept where the fill has no value
    FitWindow(c.N, w, c.Wa, 0.5f);
    SCOPED_TRACE(testing::Message() << c.S << " x " << c.N << " in " << c.Wa);
    EXPECT_EQ(w.S, c.expected_S);
    EXPECT_EQ(w.G, c.expected_G);
    EXPECT_EQ(w.d, static_cast<float>(*WireDia(c.expected_G)));
    EXPECT_EQ(w.reduced, c.expected_S != c.S || c.expected_G != 12);
    if (c.Wa > 0 && c.expected_G < 43) {
      EXPECT_LE(w.F, 0.5f);
    }
  }
  Winding fits = Gauge12Strands(2);
  FitWindow(10, fits, 2, 0.5f);
  EXPECT_NEAR(fits.F, 20 * 0.0363332 / 2, 1e-6);
}

// Strands go first, then thinner wire until one layer of N wires fits pi ID;
// A_w and F stay as they were.
TEST(FitSingleLayer, OneLayerOnTheInnerCircumference) {
  const struct {
    int16_t G, S, N;
    float WindID;
    int16_t expected_G, expected_S;
  } cases[] = {
      {18, 1, 30, 0.5f, 18, 1},  // room for 0.0474 in
      {18, 1, 50, 0.5f, 22, 1},  // room for 0.0295 in
      {12, 2, 10, 0.5f, 12, 1},
      {12, 4, 10, -1, 43, 1},  // no hole
  };
  for (const auto& c : cases) {
    Winding w = Gauge12Strands(c.S);
    w.G = c.G;
    w.d = static_cast<float>(*WireDia(c.G));
    const Winding before = w;
    FitSingleLayer(c.N, w, c.WindID);
    SCOPED_TRACE(testing::Message() << c.S << " x " << c.N << " of gauge " << c.G);
    EXPECT_EQ(w.G, c.expected_G);
    EXPECT_EQ(w.S, c.expected_S);
    EXPECT_EQ(w.d, static_cast<float>(*WireDia(c.expected_G)));
    EXPECT_EQ(w.reduced, c.expected_G != c.G || c.expected_S != c.S);
    EXPECT_EQ(w.Aw, before.Aw);
    EXPECT_EQ(w.F, before.F);
  }
}

}  // namespace
}  // namespace tov
