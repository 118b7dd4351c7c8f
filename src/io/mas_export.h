#pragma once
// A design as a MAS document (Magnetic Agnostic Structure, the open JSON
// format magnetics tools exchange designs in), conformance class A, the class
// of a single-winding choke: the inputs (the inductance required and the
// operating point), the magnetic (core, material, winding) and the outputs
// (inductances, losses, temperature, worst case). Every number is SI, as the
// format requires.

#include <optional>
#include <string>
#include <vector>

#include "engines/curves.h"
#include "engines/design_request.h"
#include "engines/design_result.h"
#include "engines/worst_case.h"
#include "state/core_table.h"

namespace tov {

// What the document says of the core beyond the design's numbers.
struct MasCoreRow {
  std::string part_number;
  std::string bobbin;  // an E-core's bobbin part number; empty for a toroid
  // Inches, as the core table holds them; nullopt where the cell has no number.
  // Toroid: inside and outside diameter and height. E-core: length and width
  // of the set and the height of its bobbin.
  std::optional<double> nominal_id_in, nominal_od_in, nominal_ht_in;
};

// The core row of a design; the row must lie in the table.
MasCoreRow MasCoreRowOf(const CoreTable& cores, int16_t row, bool e_core);

// One point of the roll-off curve of the design's permeability grade.
struct RollOffSample {
  double H_Oe = 0;  // magnetising force as the program computes it (pi = 3.14)
  double ue = 0;    // effective permeability there
};

// The roll-off samples of the design's grade from the permeability curve of
// the design (engines/curves.h: PermeabilityCurve): the series the operating
// point is marked on, its gaps left out. Empty when the curve marks no point.
std::vector<RollOffSample> RollOffSamplesOf(const Curve& permeability_curve,
                                            const DesignResult& design);

// Everything the document is made of.
struct MasExportInput {
  DesignRequest request;  // the inputs the design was made from, as typed
  DesignResult design;
  MasCoreRow core;
  WorstCase worst;
  std::vector<RollOffSample> rolloff;
};

struct MasExportResult {
  std::string text;    // the document, UTF-8 JSON; empty when refused
  std::string reason;  // why no document was made, a sentence; empty otherwise
};

// The document of the design. Refused (with the reason) when the request is
// not the one the design was made from, when the design has no turns, no
// wire or no positive inductance, or when a figure has no finite value.
MasExportResult ExportMas(const MasExportInput& input);

// The MAS version the documents declare.
inline constexpr const char* kMasVersion = "0.1.0";

}  // namespace tov
