#include "coredat/catalogue.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <span>

#include "coredat/nominal_geometry.h"

namespace tov::coredat {
namespace {

// These are physical catalogue values, so they use the exact pi, not the
// program's engineering 3.14.
constexpr double kExactPi = std::numbers::pi;
constexpr double kCmPerInch = 2.54;
constexpr double kMmPerInch = 25.4;

// Number of significant digits each column is written with.
constexpr int kMagneticDigits = 4;   // le, Ae, Wa, SizeFigure, surface
constexpr int kDimensionDigits = 4;  // winding and nominal dimensions
constexpr int kALDigits = 3;

const CoatingBuild& BuildFor(double od_in) {
  for (const CoatingBuild& build : kCoatingBuilds) {
    if (od_in < build.od_below_in) return build;
  }
  return kCoatingBuilds.back();
}

std::span<const PermGrade> GradesOf(Material m) {
  switch (m) {
    case Material::MPP:
      return kMolypermalloyGrades;
    case Material::HF:
      return kHighFluxGrades;
    case Material::Velmax:
      break;
    case Material::VelmaxE:
      return {};
  }
  return kVelmaxGrades;
}

// "MP107-125": material code, nominal OD in hundredths of an inch, permeability.
std::string ToroidPartNo(Material m, double od_in, int16_t perm) {
  const long od_mils = std::lround(od_in * 1000);
  char text[32];
  std::snprintf(text, sizeof text, "%s%03ld-%03d", MaterialCode(m), (od_mils + 5) / 10,
                static_cast<int>(perm));
  return text;
}

CatalogueRow ToroidRow(Material m, const ToroidSize& size, int16_t perm) {
  const CoatingBuild& coating = BuildFor(size.od_in);
  const double od_cm = size.od_in * kCmPerInch;
  const double id_cm = size.id_in * kCmPerInch;
  const double ht_cm = size.ht_in * kCmPerInch;

  CatalogueRow row;
  row.part_no = ToroidPartNo(m, size.od_in, perm);
  row.suffix = coating.finish_suffix;
  row.wind_id = size.id_in - 2 * coating.build_in;
  row.wind_od = size.od_in + 2 * coating.build_in;
  row.wind_ht = size.ht_in + 2 * coating.build_in;
  row.path_len = ToroidPathLengthCm(od_cm, id_cm);
  row.core_area = (od_cm - id_cm) / 2 * ht_cm;
  const double wound_bore_radius_cm = row.wind_id * kCmPerInch / 2;
  row.window_area = kExactPi * wound_bore_radius_cm * wound_bore_radius_cm;
  row.size_figure = row.window_area * row.window_area * row.core_area / row.path_len;
  row.perm = perm;
  row.al = InductanceFactor(perm, row.core_area, row.path_len);
  row.nom_id = size.id_in;
  row.nom_od = size.od_in;
  row.nom_ht = size.ht_in;
  return row;
}

// Length (mm) of a quarter turn of the mean path round a window corner, where
// it runs `a` from the leg's window face and `b` from the yoke's.
double CornerArcMm(double a, double b) {
  return kExactPi / 2 * std::sqrt((a * a + b * b) / 2);
}

// Size code of an E set: length and depth in whole millimetres ("2508").
std::string ECoreSizeCode(const ECoreSize& size) {
  char text[16];
  std::snprintf(text, sizeof text, "%02ld%02ld", std::lround(size.a_mm), std::lround(size.c_mm));
  return text;
}

CatalogueRow ECoreRow(const ECoreSize& size, int16_t perm) {
  const double window_width = (size.e_mm - size.f_mm) / 2;  // one side of the centre leg
  const double window_height = 2 * size.d_mm;               // both halves
  const double outer_leg = (size.a_mm - size.e_mm) / 2;
  const double yoke = size.b_mm - size.d_mm;

  // Mean path round one window: up the centre leg (through the middle of its
  // half that carries this window's flux), across the yoke, down the outer
  // leg, with rounded corners.
  const double le_mm = 2 * window_height + 2 * window_width +
                       2 * CornerArcMm(size.f_mm / 4, yoke / 2) +
                       2 * CornerArcMm(outer_leg / 2, yoke / 2);
  const double ae_mm2 = size.f_mm * size.c_mm;

  // Bobbin: tube round the centre leg, one flange at each end, clearance to the core.
  const double wall_offset = kBobbinClearanceMm + size.bobbin_wall_mm;
  const double winding_width = window_width - 2 * kBobbinClearanceMm - size.bobbin_wall_mm;
  const double winding_height = window_height - 2 * wall_offset;
  const double mlt_mm =
      2 * (size.f_mm + size.c_mm) + 2 * kExactPi * (wall_offset + winding_width / 2);

  // Wound set: the coil stands out of the core on both sides of its depth.
  const double wound_length = size.a_mm;
  const double wound_width = size.c_mm + 2 * (wall_offset + winding_width);
  const double set_height = 2 * size.b_mm;
  const double surface_mm2 =
      2 * (wound_length * wound_width + wound_length * set_height + wound_width * set_height);

  const std::string size_code = ECoreSizeCode(size);
  char part_no[32];
  std::snprintf(part_no, sizeof part_no, "%s%s-%03d", MaterialCode(Material::VelmaxE),
                size_code.c_str(), static_cast<int>(perm));
  char bobbin[32];
  std::snprintf(bobbin, sizeof bobbin, "VB%s-%02d", size_code.c_str(), size.bobbin_pins);

  CatalogueRow row;
  row.part_no = part_no;
  row.suffix = bobbin;
  row.path_len = le_mm / 10;
  row.core_area = ae_mm2 / 100;
  row.window_area = winding_width * winding_height / 100;
  row.size_figure = row.window_area * row.window_area * row.core_area / row.path_len;
  row.wind_id = wound_length / kMmPerInch;
  row.wind_od = wound_width / kMmPerInch;
  row.wind_ht = mlt_mm / 10;
  row.surface_area = surface_mm2 / 100;
  row.perm = perm;
  row.al = InductanceFactor(perm, row.core_area, row.path_len);
  row.nom_id = size.a_mm / kMmPerInch;
  row.nom_od = size.c_mm / kMmPerInch;
  row.nom_ht = set_height / kMmPerInch;
  return row;
}

bool SmallerCore(const CatalogueRow& a, const CatalogueRow& b) {
  if (a.size_figure != b.size_figure) return a.size_figure < b.size_figure;
  return a.perm < b.perm;
}

std::string Quoted(const std::string& text) {
  return '"' + text + '"';
}

}  // namespace

const char* MaterialCode(Material m) {
  switch (m) {
    case Material::MPP:
      return "MP";
    case Material::HF:
      return "HF";
    case Material::Velmax:
      return "VM";
    case Material::VelmaxE:
      break;
  }
  return "VE";
}

double ToroidPathLengthCm(double od_cm, double id_cm) {
  return kExactPi * (od_cm - id_cm) / std::log(od_cm / id_cm);
}

double InductanceFactor(double perm, double ae_cm2, double le_cm) {
  return 4 * kExactPi * perm * ae_cm2 / le_cm;
}

std::vector<CatalogueRow> SectionRows(Material m) {
  std::vector<CatalogueRow> rows;
  if (IsECore(m)) {
    for (const ECoreSize& size : kECoreSizes) {
      for (int16_t perm : kVelmaxEGrades) rows.push_back(ECoreRow(size, perm));
    }
  } else {
    for (const PermGrade& grade : GradesOf(m)) {
      for (int i = grade.first_size; i <= grade.last_size; ++i) {
        rows.push_back(ToroidRow(m, kToroidSizes[static_cast<std::size_t>(i)], grade.perm));
      }
    }
  }
  std::stable_sort(rows.begin(), rows.end(), SmallerCore);
  return rows;
}

CatalogueRow EndRow() {
  CatalogueRow row;
  row.part_no = "END OF SECTION";
  row.size_figure = 99999;
  return row;
}

std::vector<CatalogueRow> BuildCatalogue() {
  std::vector<CatalogueRow> rows;
  for (Material m : kMaterials) {
    std::vector<CatalogueRow> section = SectionRows(m);
    rows.insert(rows.end(), section.begin(), section.end());
    rows.push_back(EndRow());
  }
  return rows;
}

std::string SignificantText(double value, int significant_digits) {
  if (value == 0) return "0";
  const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
  const int decimals = std::max(0, significant_digits - 1 - exponent);
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string result = text;
  if (result.find('.') != std::string::npos) {
    result.erase(result.find_last_not_of('0') + 1);
    if (result.back() == '.') result.pop_back();
  }
  return result;
}

std::string RowText(const CatalogueRow& row) {
  const std::string values[] = {
      Quoted(row.part_no),
      SignificantText(row.path_len, kMagneticDigits),
      SignificantText(row.wind_id, kDimensionDigits),
      SignificantText(row.wind_od, kDimensionDigits),
      SignificantText(row.wind_ht, kDimensionDigits),
      SignificantText(row.core_area, kMagneticDigits),
      SignificantText(row.window_area, kMagneticDigits),
      SignificantText(row.spare8, kMagneticDigits),
      SignificantText(row.size_figure, kMagneticDigits),
      SignificantText(row.surface_area, kMagneticDigits),
      std::to_string(row.perm),
      SignificantText(row.al, kALDigits),
      Quoted(row.suffix),
      SignificantText(row.nom_id, kDimensionDigits),
      SignificantText(row.nom_od, kDimensionDigits),
      SignificantText(row.nom_ht, kDimensionDigits),
  };
  std::string line = values[0];
  for (std::size_t column = 1; column < std::size(values); ++column) line += ',' + values[column];
  return line;
}

std::string CatalogueText(const std::vector<CatalogueRow>& rows) {
  std::string text;
  for (const CatalogueRow& row : rows) text += RowText(row) + '\n';
  return text;
}

}  // namespace tov::coredat
