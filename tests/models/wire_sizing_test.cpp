#include "models/wire_sizing.h"

#include <gtest/gtest.h>

#include <tuple>

#include "models/wire_gauge.h"

namespace tov {
namespace {

// For 100 A the density per strand of gauge 12 runs 3022, 1511, 1007, 755,
// 604, 503; each J lets exactly that strand count pass (X <= 1.2 J).
TEST(SizeWire, GaugeStrandsAndDensity) {
  // clang-format off
  const struct {
    float Iw, J;
    int16_t G;
    float d;  // in
    int16_t S;
    float X;
    bool too_large;
  } cases[] = {
      {10, 600, 15, 0.0609f, 1, 302, false},
      {19.86f, 600, 12, 0.0847f, 1, 600, false},   // I_w / J is the gauge-12 area
      {40, 1008, 12, 0.0847f, 1, 1209, false},     // computed 11, one wire suffices
      {39.7f, 1000, 12, 0.0847f, 1, 1200, false},  // exactly 1.2 J is few enough
      {40, 600, 12, 0.0847f, 2, 604, false},
      {0.01f, 600, 42, 0.0032f, 1, 0, false},
      {100, 503.5f / 1.2f, 12, 0.0847f, 6, 503, false},
      {100, 300, 12, 0.0847f, 6, 503, true},
      // No value for the gauge: it stays 0 and takes the strand rule.
      {10, 0, 12, 0.0847f, 6, 51, true},
      {0, 600, 12, 0.0847f, 1, 0, false},
  };
  // clang-format on
  for (const auto& c : cases) {
    const WireSizing r = SizeWire(c.Iw, c.J);
    EXPECT_EQ(std::tuple(r.wire.G, r.wire.S, r.wire.PrevStrands, r.wire.d, r.X, r.too_large),
              std::tuple(c.G, c.S, int16_t(c.too_large ? 6 : c.S - 1), c.d, c.X, c.too_large))
        << c.Iw << " A at " << c.J << " A/cm^2";
  }
  EXPECT_FLOAT_EQ(*WindingCurrent(10, 2), 10.577f);
}

// strands go before the wire is thinned; every loop ends, at gauge 43 where
// the wire vanishes if need be. The window fill F = S N A_w / W_a must come
// to 0.5 at most; a single layer of N S wires must fit pi WindID, and leaves
// A_w and F as they were.
TEST(FitWindowAndSingleLayer, RemoveStrandsThenThinTheWire) {
  enum Fit { kWindow, kLayer };
  const struct {
    Fit fit;
    int16_t S, G, N;
    float room;  // W_a, cm^2, or WindID, in
    int16_t expected_S, expected_G;
    float expected_d;  // in
  } cases[] = {
      {kWindow, 2, 12, 10, 2, 2, 12, 0.0847f},     // fits: left alone
      {kWindow, 2, 12, 10, 1, 1, 12, 0.0847f},     // one strand less fits
      {kWindow, 2, 12, 10, 0.5f, 1, 14, 0.0682f},  // and then two gauges thinner
      {kWindow, 6, 12, 5000, 1e-6f, 1, 43, 0},     // nothing fits
      {kWindow, 3, 12, 10, 0, 1, 43, 0},           // W_a of zero: the fill has no value
      {kWindow, 2, 12, 30000, 1, 1, 43, 0},        // S N beyond 16 bits until one strand is left
      {kLayer, 1, 18, 30, 0.5f, 1, 18, 0.0437f},   // room for 0.0474 in
      {kLayer, 1, 18, 50, 0.5f, 1, 22, 0.0281f},   // room for 0.0295 in
      {kLayer, 2, 12, 10, 0.5f, 1, 12, 0.0847f},   // strands go first
      {kLayer, 4, 12, 10, -1, 1, 43, 0},           // no hole
  };
  for (const auto& c : cases) {
    Winding w = SizeWire(40, 600).wire;  // gauge 12
    w.S = c.S;
    w.G = c.G;
    w.d = static_cast<float>(*WireDia(c.G));
    w.F = 1;  // kept where the fill has no value
    const Winding before = w;
    if (c.fit == kWindow) FitWindow(c.N, w, c.room, 0.5f);
    if (c.fit == kLayer) FitSingleLayer(c.N, w, c.room);
    EXPECT_EQ(std::tuple(w.S, w.G, w.d, w.reduced, w.Aw == before.Aw),
              std::tuple(c.expected_S, c.expected_G, c.expected_d,
                         c.expected_S != c.S || c.expected_G != c.G,
                         c.fit == kLayer || c.expected_G == c.G))
        << c.S << " x " << c.N << " of gauge " << c.G << " in " << c.room;
  }
  Winding fits = SizeWire(40, 600).wire;
  fits.S = 2;
  FitWindow(10, fits, 2, 0.5f);
  EXPECT_NEAR(fits.F, 20 * 0.0363332 / 2, 1e-6);
}

// A fill exactly at the limit fits, with one strand or several; so does a wire
// exactly as wide as one layer allows, pi ID / (N + pi).
TEST(FitWindowAndSingleLayer, AWindingExactlyAtTheLimitFits) {
  for (int16_t S : {int16_t{1}, int16_t{2}}) {
    Winding w = SizeWire(40, 600).wire;
    w.S = S;
    FitWindow(10, w, 1, 1e9f);
    FitWindow(10, w, 1, w.F);
    EXPECT_EQ(std::pair(w.S, w.reduced), std::pair(S, false));
  }
  Winding w = SizeWire(10, 600).wire;
  w.d = static_cast<float>(3.14 * double{0.5f} / (30 + 3.14));
  FitSingleLayer(30, w, 0.5f);
  EXPECT_FALSE(w.reduced);
}

}  // namespace
}  // namespace tov
