#pragma once
// Small core tables for tests: every section empty except the rows a test
// puts in, each section closed by its end row.

#include <string>
#include <utility>

#include "state/core_table.h"

namespace tov::testing {

// One core row. The defaults are a Velmax toroid of mu 60, AL 135, le 12.7 cm:
// with the start-up inputs it ends at 31 turns and runs about 17 deg C warm.
// On an E-core WindID / WindOD are the set's wound length / width (in),
// WindHt the mean length per turn (cm) and PartSuffix the bobbin.
struct FixtureCore {
  std::string PartNo = "T1000";
  double PathLen = 12.7, WindID = 1.0, WindOD = 2.0, WindHt = 0.6, CoreArea = 1.2;
  double WindowArea = 5.06, SizeFigure = 0.25, SurfaceArea = 0, Perm = 60, AL = 135;
  std::string PartSuffix = "A2";
  double NomID = 0.95, NomOD = 2.05, NomHt = 0.65;
};

// clang-format off
inline void PutCore(CoreTable& table, int row, const FixtureCore& c) {
  using C = CoreColumn;
  const std::pair<CoreColumn, double> numbers[] = {
      {C::PathLen, c.PathLen},       {C::WindID, c.WindID},   {C::WindOD, c.WindOD},
      {C::WindHt, c.WindHt},         {C::CoreArea, c.CoreArea}, {C::WindowArea, c.WindowArea},
      {C::SizeFigure, c.SizeFigure}, {C::SurfaceArea, c.SurfaceArea}, {C::Perm, c.Perm},
      {C::AL, c.AL}, {C::NomID, c.NomID}, {C::NomOD, c.NomOD}, {C::NomHt, c.NomHt}};
  for (auto [column, value] : numbers) table.Set(row, column, CoreCell::Number(value));
  table.Set(row, C::PartNo, CoreCell::Text(c.PartNo));
  table.Set(row, C::PartSuffix, CoreCell::Text(c.PartSuffix));
}
// clang-format on

// A table whose four sections hold no cores, each closed by its end row.
inline CoreTable EmptyCoreTable() {
  CoreTable table;
  for (Material m : kMaterials) {
    table.Set(SectionOf(m).end_row, CoreColumn::SizeFigure, CoreCell::Number(kEndRowSizeFigure));
  }
  return table;
}

// clang-format off
// Velmax toroid of mu 60, AL 75, le 8.98 cm: 58 turns after the roll-off
// correction put it over the no-load ceiling of the start-up inputs.
inline FixtureCore VelmaxAL75() {
  return {.PartNo = "T0750", .PathLen = 8.98, .WindID = 0.8, .WindOD = 1.6, .WindHt = 0.5,
          .CoreArea = 0.9, .WindowArea = 2.5, .SizeFigure = 0.21, .AL = 75};
}

// Velmax E-core set of mu 60, AL 160: 28 turns with the start-up inputs.
inline FixtureCore VelmaxECore() {
  return {.PartNo = "EC-2510", .PathLen = 10, .WindID = 1.25, .WindOD = 1.1, .WindHt = 5.5,
          .CoreArea = 0.8, .WindowArea = 1.5, .SizeFigure = 0.2, .SurfaceArea = 80, .AL = 160,
          .PartSuffix = "BB-2510", .NomID = 1.0, .NomOD = 0.75, .NomHt = 0.6};
}
// clang-format on

}  // namespace tov::testing
