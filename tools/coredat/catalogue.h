#pragma once
// The core database as rows of typed values, built from the nominal geometry,
// and its text in the file format of `coredat`.

#include <cstdint>
#include <string>
#include <vector>

#include "state/material.h"

namespace tov::coredat {

// One row of the database, columns 1 to 16 in order.
struct CatalogueRow {
  std::string part_no;      // 1
  double path_len = 0;      // 2, le, cm
  double wind_id = 0;       // 3, toroid: coated ID, in; E-core: wound length, in
  double wind_od = 0;       // 4, toroid: coated OD, in; E-core: wound width, in
  double wind_ht = 0;       // 5, toroid: coated height, in; E-core: mean length per turn, cm
  double core_area = 0;     // 6, Ae, cm^2
  double window_area = 0;   // 7, Wa, cm^2
  double spare8 = 0;        // 8
  double size_figure = 0;   // 9, Wa^2 Ae / le, cm^5
  double surface_area = 0;  // 10, E-core: surface of the wound core, cm^2
  int16_t perm = 0;         // 11
  double al = 0;            // 12, mH per 1000 turns
  std::string suffix;       // 13, toroid: finish code; E-core: bobbin part number
  double nom_id = 0;        // 14, in
  double nom_od = 0;        // 15, in
  double nom_ht = 0;        // 16, in
};

// Two-letter material code that begins every part number of the material.
const char* MaterialCode(Material m);

// Magnetic path length le (cm) of a toroid of outside and inside diameter in cm.
double ToroidPathLengthCm(double od_cm, double id_cm);

// AL in mH per 1000 turns of a core of permeability `perm`, Ae in cm^2, le in cm.
double InductanceFactor(double perm, double ae_cm2, double le_cm);

// The core rows of one material, from the smallest core to the largest (size
// figure ascending, permeability ascending within one size). The values are
// exact; the file rounds them (CatalogueText).
std::vector<CatalogueRow> SectionRows(Material m);

// The row that closes every section: size figure 99999, a text in column 1.
CatalogueRow EndRow();

// All 552 rows: each material's core rows followed by its end row.
std::vector<CatalogueRow> BuildCatalogue();

// `value` rounded to `significant_digits` significant digits, or to a whole
// number when it has more integer digits than that, and written in plain
// decimal form without an exponent or trailing zeros (0.000005612, 10, 99999).
std::string SignificantText(double value, int significant_digits);

// One row as a line of the file: 16 comma-separated values, texts in double
// quotes, numbers rounded to the digits the catalogue states; no line end.
std::string RowText(const CatalogueRow& row);

// The file content: one row per line, each line ended by LF.
std::string CatalogueText(const std::vector<CatalogueRow>& rows);

}  // namespace tov::coredat
