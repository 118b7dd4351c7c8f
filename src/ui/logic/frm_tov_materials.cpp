// Material option buttons and the core list.

#include <string>

#include "state/constants.h"
#include "state/number_format.h"
#include "ui/logic/frm_tov.h"

namespace tov {
namespace {

// One line of the core list: a toroid with its nominal OD and permeability,
// an E-core with its permeability.
std::string CoreListLine(const CoreTable& cores, int16_t row, bool e_core) {
  const auto cell = [&](CoreColumn column) { return cores.Cell(row, column); };
  const std::string part = cell(CoreColumn::PartNo).Display();
  const std::string perm = cell(CoreColumn::Perm).Display();
  if (e_core) return part + "  \u00b5 = " + perm;

  const CoreCell od = cell(CoreColumn::NomOD);
  const auto od_value = od.AsDouble();
  const std::string od_text =
      (od_value ? FormatNumber(*od_value, "0.000") : std::nullopt).value_or(od.Display());
  return part + cell(CoreColumn::PartSuffix).Display() + " (OD = " + od_text + ", " + perm +
         "\u00b5)";
}

}  // namespace

void FrmTov::optMPP_Click() {
  MaterialChanged();
}
void FrmTov::optHF_Click() {
  MaterialChanged();
}
void FrmTov::optVelmax_Click() {
  MaterialChanged();
}
void FrmTov::optVelmaxE_Click() {
  MaterialChanged();
}

void FrmTov::SelectMaterial(Material material) {
  window_.material = material;
  switch (material) {
    case Material::MPP:
      return optMPP_Click();
    case Material::HF:
      return optHF_Click();
    case Material::Velmax:
      return optVelmax_Click();
    case Material::VelmaxE:
      return optVelmaxE_Click();
  }
}

// New captions for the material; a new design unless the user is choosing
// from the list (then the list shows the new material) or a file is opening.
void FrmTov::MaterialChanged() {
  const CoreCaptions& captions = CoreCaptionsFor(window_.material, window_.state.metric);
  window_.lblBobbin = captions.lblBobbin;
  window_.lblID = captions.lblID;
  window_.lblOD = captions.lblOD;
  window_.lblHt = captions.lblHt;
  if (window_.state.LoadingDesign == 0 && !window_.lstCores_visible) {
    cmdCalculate_Click();
  }
  if (window_.lstCores_visible) {
    cmdSelCore_Click();
    MarkDesignStale();  // the design shown is of the material before
  }
}

void FrmTov::cmdSelCore_Click() {
  window_.lstCores.clear();
  const MaterialSection section = SectionOf(window_.material);
  const bool e_core = IsECore(window_.material);
  for (int16_t row = section.first_row; row <= section.last_core_row; ++row) {
    window_.lstCores.push_back(CoreListLine(cores_, row, e_core));
  }
  window_.lstCores_visible = true;
}

void FrmTov::lstCores_Click(int position) {
  if (!window_.lstCores_visible || position < 0 ||
      position >= static_cast<int>(window_.lstCores.size())) {
    return;
  }
  const int16_t row = ListPositionToRow(window_.material, static_cast<int16_t>(position));
  window_.state.CoreIdx = row;
  DesignSelectedCore(row);
  window_.lstCores_visible = false;
}

void FrmTov::grdCompare_DblClick(Material material, int16_t StackCount, int16_t row) {
  if (!SectionOf(material).HoldsCore(row) || StackCount < 1 || StackCount > kMaxStackCount) return;
  if (material != window_.material) {
    // As opening a design file switches it: new captions, a visible list
    // refilled, but no design of the material's own.
    window_.state.LoadingDesign = 1;
    SelectMaterial(material);
  }
  window_.state.StackCount = StackCount;
  window_.state.CoreIdx = row;
  DesignSelectedCore(row);
  window_.lstCores_visible = false;
}

}  // namespace tov
