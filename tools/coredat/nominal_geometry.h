#pragma once
// Nominal geometry of the catalogue: the toroid size series with its coating
// builds, the permeability grades each material is made in, and the E-core
// sets with their bobbins. Everything the core database holds is computed
// from these tables (catalogue.h).

#include <array>
#include <cstdint>

namespace tov::coredat {

// Uncoated toroid, inches.
struct ToroidSize {
  double od_in;
  double id_in;
  double ht_in;
};

// The toroid series shared by the three toroid materials, smallest first:
// outside diameters 0.140 in to 6.500 in, bore from half the OD (small sizes)
// to about 0.62 of it (large sizes), height from 0.43 to 0.18 of the OD.
inline constexpr std::array<ToroidSize, 29> kToroidSizes = {{
    {0.140, 0.070, 0.060}, {0.165, 0.085, 0.070}, {0.195, 0.100, 0.080}, {0.230, 0.120, 0.090},
    {0.270, 0.140, 0.105}, {0.310, 0.160, 0.115}, {0.360, 0.190, 0.135}, {0.415, 0.220, 0.150},
    {0.480, 0.255, 0.170}, {0.550, 0.295, 0.190}, {0.630, 0.340, 0.210}, {0.720, 0.395, 0.235},
    {0.820, 0.450, 0.260}, {0.940, 0.520, 0.290}, {1.070, 0.600, 0.320}, {1.220, 0.690, 0.355},
    {1.390, 0.790, 0.395}, {1.580, 0.905, 0.435}, {1.800, 1.040, 0.480}, {2.050, 1.190, 0.525},
    {2.340, 1.370, 0.580}, {2.660, 1.570, 0.640}, {3.030, 1.800, 0.700}, {3.450, 2.065, 0.770},
    {3.930, 2.370, 0.840}, {4.480, 2.720, 0.920}, {5.100, 3.120, 1.005}, {5.800, 3.570, 1.095},
    {6.500, 4.030, 1.170},
}};

// Finish of a toroid: the coating build on every surface (inches, added to the
// OD and height and taken from the ID on both sides) and the finish code that
// completes the part number. The first entry whose limit exceeds the OD applies.
struct CoatingBuild {
  double od_below_in;
  double build_in;
  const char* finish_suffix;
};

inline constexpr std::array<CoatingBuild, 6> kCoatingBuilds = {{
    {0.300, 0.0015, "-P"},  // parylene on the smallest sizes
    {0.600, 0.0020, "-E"},  // epoxy from here on, thicker with size
    {1.000, 0.0030, "-E"},
    {2.000, 0.0040, "-E"},
    {3.500, 0.0060, "-E"},
    {1e9, 0.0080, "-E"},
}};

// A permeability grade made over a contiguous run of the toroid series
// (0-based indices into kToroidSizes, both ends included).
struct PermGrade {
  int16_t perm;
  int first_size;
  int last_size;
};

// Molypermalloy: the low and middle grades in every size; 200 up to 3.45 in,
// 300 up to 1.07 in, 550 only in the small sizes up to 0.415 in.
inline constexpr std::array<PermGrade, 10> kMolypermalloyGrades = {{
    {14, 0, 28},
    {26, 0, 28},
    {60, 0, 28},
    {125, 0, 28},
    {147, 0, 28},
    {160, 0, 28},
    {173, 0, 28},
    {200, 0, 23},
    {300, 0, 14},
    {550, 0, 7},
}};

// High Flux from 0.27 in up; 147 and 160 up to 3.93 in.
inline constexpr std::array<PermGrade, 6> kHighFluxGrades = {{
    {14, 4, 28},
    {26, 4, 28},
    {60, 4, 28},
    {125, 4, 28},
    {147, 4, 24},
    {160, 4, 24},
}};

// Velmax toroids from 0.36 in up (26 from 0.415 in); 125 up to 1.58 in.
inline constexpr std::array<PermGrade, 6> kVelmaxGrades = {{
    {26, 7, 28},
    {40, 6, 28},
    {60, 6, 28},
    {75, 6, 28},
    {90, 6, 28},
    {125, 6, 17},
}};

// One E-core set (two E halves), millimetres, with the bobbin it is wound on.
struct ECoreSize {
  double a_mm;            // overall length of the set
  double b_mm;            // height of one E half (the set is twice as high)
  double c_mm;            // depth (stack) of the set, the width seen from above
  double d_mm;            // window height of one half
  double e_mm;            // distance between the outer legs (window span)
  double f_mm;            // width of the centre leg
  double bobbin_wall_mm;  // wall of the bobbin tube and thickness of its flanges
  int bobbin_pins;
};

// Clearance between the bobbin and the core on every side, millimetres.
inline constexpr double kBobbinClearanceMm = 0.2;

// Standard E sizes from 16 mm to 80 mm, smallest first.
inline constexpr std::array<ECoreSize, 10> kECoreSizes = {{
    {16.0, 8.2, 4.7, 5.7, 11.3, 4.7, 0.5, 8},
    {20.0, 10.0, 5.9, 6.3, 14.0, 5.9, 0.5, 8},
    {25.0, 12.8, 7.5, 8.7, 17.5, 7.5, 0.6, 10},
    {30.0, 15.0, 7.3, 9.7, 19.5, 7.2, 0.6, 10},
    {35.0, 17.5, 10.0, 12.5, 24.5, 10.0, 0.7, 12},
    {40.0, 17.0, 12.0, 10.5, 28.0, 12.0, 0.8, 12},
    {42.0, 21.0, 15.0, 14.8, 29.5, 12.2, 0.8, 12},
    {55.0, 27.6, 21.0, 18.5, 37.5, 17.0, 1.0, 14},
    {65.0, 32.5, 27.0, 22.2, 44.2, 20.0, 1.2, 14},
    {80.0, 38.1, 19.8, 28.1, 59.1, 19.8, 1.2, 14},
}};

// Velmax E-core grades; every set is made in all three.
inline constexpr std::array<int16_t, 3> kVelmaxEGrades = {40, 60, 90};

}  // namespace tov::coredat
