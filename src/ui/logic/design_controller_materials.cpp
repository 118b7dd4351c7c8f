// Material option buttons and the core list.

#include <string>

#include "state/constants.h"
#include "state/number_format.h"
#include "ui/logic/design_controller.h"

namespace tov {
namespace {

// One line of the core list: a toroid with its nominal OD and permeability,
// an E-core with its permeability.
std::string CoreListLine(const CoreTable& cores, int16_t row, bool e_core) {
  const std::string part = cores.Display(row, CoreColumn::PartNo);
  const std::string perm = cores.Display(row, CoreColumn::Perm);
  if (e_core) return part + "  \u00b5 = " + perm;

  const CoreCell od = cores.Cell(row, CoreColumn::NomOD);
  const auto od_value = od.AsDouble();
  const std::string od_text =
      (od_value ? FormatNumber(*od_value, "0.000") : std::nullopt).value_or(od.Display());
  return part + cores.Display(row, CoreColumn::PartSuffix) + " (OD = " + od_text + ", " + perm +
         "\u00b5)";
}

}  // namespace

void DesignController::SelectMaterial(Material material) {
  window_.material = material;
  MaterialChanged();
}

// New captions for the material; a new design unless the user is choosing
// from the list (then the list shows the new material) or a file is opening.
void DesignController::MaterialChanged() {
  const CoreCaptions& captions = CoreCaptionsFor(window_.material, window_.state.metric);
  window_.mount_caption = captions.mount_caption;
  window_.core_id_caption = captions.core_id_caption;
  window_.core_od_caption = captions.core_od_caption;
  window_.core_height_caption = captions.core_height_caption;
  if (!window_.state.loading_design && !window_.core_list_visible) {
    Calculate();
  }
  if (window_.core_list_visible) {
    ShowCoreList();
    MarkDesignStale();  // the design shown is of the material before
  }
}

void DesignController::ShowCoreList() {
  window_.core_list.clear();
  const MaterialSection section = SectionOf(window_.material);
  const bool e_core = IsECore(window_.material);
  for (int16_t row = section.first_row; row <= section.last_core_row; ++row) {
    window_.core_list.push_back(CoreListLine(cores_, row, e_core));
  }
  window_.core_list_visible = true;
}

void DesignController::PickListedCore(int position) {
  if (!window_.core_list_visible || position < 0 ||
      position >= static_cast<int>(window_.core_list.size())) {
    return;
  }
  const int16_t row = ListPositionToRow(window_.material, static_cast<int16_t>(position));
  window_.state.core_row = row;
  DesignSelectedCore(row);
  window_.core_list_visible = false;
}

void DesignController::DesignComparedCore(Material material, int16_t stack_count, int16_t row) {
  if (!SectionOf(material).HoldsCore(row) || stack_count < 1 || stack_count > kMaxStackCount)
    return;
  if (material != window_.material) {
    // As opening a design file switches it: new captions, a visible list
    // refilled, but no design of the material's own.
    window_.state.loading_design = true;
    SelectMaterial(material);
  }
  window_.state.stack_count = stack_count;
  window_.state.core_row = row;
  DesignSelectedCore(row);
  window_.core_list_visible = false;
}

}  // namespace tov
