#include "engines/ecore_options.h"

#include <string>

#include "state/message_titles.h"

namespace tov {
namespace {

constexpr std::string_view kStackMessage =
    "Only toroids (not E-Cores) may be \rstacked with this design program.";
constexpr std::string_view kSingleLayerMessage =
    "Only toroids (not E-Cores) may be \rspecified as single layer inductors.";

}  // namespace

void ResetECoreOptions(Material material, int16_t& stack_count, bool& single_layer,
                       std::string_view stack_title, Notices& notices) {
  if (!IsECore(material)) return;
  if (stack_count > 1) {
    stack_count = 1;
    notices.push_back(
        {NoticeKind::StackReset, std::string(stack_title), std::string(kStackMessage)});
  }
  if (single_layer) {
    notices.push_back({NoticeKind::SingleLayerReset, std::string(kInvalidOptionTitle),
                       std::string(kSingleLayerMessage)});
    single_layer = false;
  }
}

}  // namespace tov
