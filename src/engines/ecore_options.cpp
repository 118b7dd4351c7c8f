#include "engines/ecore_options.h"

namespace tov {
namespace {

constexpr std::string_view kStackMessage =
    "Only toroids (not E-Cores) may be \rstacked with this design program.";
constexpr std::string_view kSingleLayerMessage =
    "Only toroids (not E-Cores) may be \rspecified as single layer inductors.";

}  // namespace

void ResetECoreOptions(DesignContext ctx, std::string_view stack_title) {
  WindowModel& window = ctx.window;
  if (!IsECore(window.material)) return;
  if (window.state.StackCount > 1) {
    window.state.StackCount = 1;
    ctx.ui.ShowMessage(stack_title, kStackMessage);
  }
  if (window.mnuSingleLayer) {
    ctx.ui.ShowMessage(kInvalidOptionTitle, kSingleLayerMessage);
    window.mnuSingleLayer = false;
  }
}

}  // namespace tov
