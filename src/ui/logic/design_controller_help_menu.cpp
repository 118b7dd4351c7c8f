// The start-up disclaimer and the Help menu, with their texts.

#include <string_view>

#include "state/message_titles.h"
#include "ui/logic/design_controller.h"

namespace tov {
namespace {

constexpr std::string_view kDisclaimerText =
    "The designs produced by this program are estimates. They are computed from "
    "catalogue data of the cores and from empirical models of permeability roll-off, "
    "core loss, winding build-up and temperature rise.\r\r"
    "Actual inductance, losses and temperature rise depend on the winding technique, "
    "the mounting and the cooling of the finished part. Always verify a design by "
    "measurement on a prototype before committing it to production.\r\r"
    "CORVANE accepts no liability for designs made with this program.\r\r"
    "For design assistance call CORVANE Applications Engineering at (555) 555-0142";

constexpr std::string_view kAboutText = "Corvane Inductor Design Using Powder Cores\r\rVersion 1.0";

constexpr std::string_view kContactText =
    "Contact CORVANE Applications Engineering and Sales at:\r\r"
    "Phone: (555) 555-0142\r"
    "Fax:      (555) 555-0143\r"
    "Email:   applications@example.com";

}  // namespace

void DesignController::Startup() {
  ui_.ShowMessage(kDisclaimerTitle, kDisclaimerText);
  ApplyStartupDefaults(window_);
}

void DesignController::ShowHelpContents() {
  ui_.ShowHelp(HelpRequest::Contents);
}
void DesignController::ShowHelpIndex() {
  ui_.ShowHelp(HelpRequest::Index);
}
void DesignController::ShowAbout() {
  ui_.ShowMessage(kAboutTitle, kAboutText);
}
void DesignController::ShowContact() {
  ui_.ShowMessage(kContactTitle, kContactText);
}

}  // namespace tov
