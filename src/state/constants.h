#pragma once
// Every fixed number of the design procedures, each with its meaning or its
// source. The material-dependent constants are in the material table
// (state/material.h), the wire gauges in models/wire_gauge.cpp.

#include <cstdint>

namespace tov {

// --- Units and geometry -------------------------------------------------
// Pi as every engineering formula of the program takes it (not the exact constant).
inline constexpr double kPi = 3.14;
inline constexpr double kCmPerInch = 2.54;
// Millimetres per inch, for showing dimensions in millimetres.
inline constexpr double kMmPerInch = 25.4;
// Inches in 1000 ft: wire length (in) / 12000 gives the length in kft.
inline constexpr double kInchesPer1000Ft = 12000;
// H = 0.4 pi N I / le gives oersted for I in A and le in cm (4 pi / 10).
inline constexpr double kOerstedPerAmpereTurnPerCm = 0.4;
// Gauss to kilogauss in the AC flux density.
inline constexpr double kKilogaussPerGauss = 0.001;
// L = 1e-6 N^2 AL gives mH for AL in mH per 1000 turns.
inline constexpr double kMhPerTurn2PerAL = 1e-6;
// The inputs are uH for the whole stack; the engines work in mH per core.
inline constexpr double kMhPerUh = 0.001;
// mu0 N^2 Ae / le of a winding without a core: 4 pi 1e-9 H per turn^2 for
// Ae in cm^2 and le in cm (mu0 = 4 pi 1e-7 H/m).
inline constexpr double kAirCoreHenriesPerTurn2Cm = 4 * kPi * 1e-9;

// --- Wire ---------------------------------------------------------------
// Gauge from the copper area: G = -4.31 ln(1.889 A), A in cm^2, the AWG
// definition (diameter ratio 92^(1/39) per gauge) fitted to cm^2.
inline constexpr double kGaugePerLnArea = 4.31;
inline constexpr double kGaugeAreaScale = 1.889;
// A circular mil is the area of a circle of 1 mil (0.001 in) diameter.
inline constexpr double kCm2PerCircularMil = 5.067e-6;
// strands of gauge 12 are added while the density per strand exceeds 1.2 J.
inline constexpr double kStrandDensityAllowance = 1.2;
inline constexpr int16_t kMaxStrands = 6;

// --- Currents -----------------------------------------------------------
// Winding current I_w = I_dc + 0.577 dI / 2: the ripple's half swing taken at
// 1/sqrt(3) (0.577), the RMS of a triangle about its mean, and added to I_dc
// (an upper bound of the RMS current).
inline constexpr double kRippleRmsFactor = 0.577;

// --- Copper temperature -------------------------------------------------
// Copper resistance rises 0.393 % per deg C above the 20 deg C of the tables.
inline constexpr double kCopperTempCoefficient = 0.00393;  // per deg C
inline constexpr double kWireTableTemperature = 20;        // deg C

// --- Temperature rise ---------------------------------------------------
// dT = (P / A_s)^0.833, P in mW and A_s in cm^2: the empirical natural-
// convection law of wound magnetic components.
inline constexpr double kTempRiseExponent = 0.833;
// Above the allowable rise plus this margin temp_rise turns light red.
inline constexpr double kHotMarginDegC = 15;

// --- Automatic core selection ------------------------------------------
// The first turn estimate aims 3 % above the target inductance.
inline constexpr double kTurnsMargin = 1.03;
// Without Full Load L Maximum: no no-load ceiling (mH), and the roll-off
// ratio the size figure assumes.
inline constexpr float kNoCeiling_mH = 999999.0f;
inline constexpr float kFreeRollOffRatio = 0.9f;
// Turns are trimmed only while 1.5 times the no-load ceiling exceeds the
// untrimmed no-load inductance.
inline constexpr double kTrimCeilingFactor = 1.5;
// A row passes the fill test below 1.2 times the material's window factor K.
inline constexpr double kSearchFillAllowance = 1.2;
// Values the end row takes so that it passes every test and ends the walk.
inline constexpr double kEndRowFullLoadFactor = 1.1;  // L_fl = 1.1 L_target
inline constexpr double kEndRowNoLoadFactor = 0.9;    // L_nl = 0.9 L_max
inline constexpr double kEndRowIdMargin_in = 0.1;     // ID = IDreq + 0.1
// The size figure F = 1e6 L I^2 / (4 pi K^2 J^2 ui0 r) in cm^5 (L in mH).
inline constexpr double kSizeFigureScale = 1e6;

// --- Worst case -------------------------------------------------------
// Powder cores are sold with their AL within +-8 %: the worst case takes the
// low end. A tolerance is a percentage of the nominal AL from -99 to 0.
inline constexpr float kDefaultALTolerancePercent = -8.0f;
inline constexpr float kLowestALTolerancePercent = -99.0f;

// --- Stacked toroids ----------------------------------------------------
// The stack dialog offers one to five stacked toroids.
inline constexpr int16_t kMaxStackCount = 5;

// --- Warnings and display -----------------------------------------------
// Below this fraction of the no-load inductance left at full load the
// selected-core design warns of roll-off.
inline constexpr float kRollOffWarningRatio = 0.45f;
// Losses of 10000 mW and more are shown and printed in watts.
inline constexpr float kWattDisplayFrom_mW = 10000.0f;

}  // namespace tov
