#pragma once
// The title of every message box and input box the programs show, in one
// list. The help's messages page explains each of them; a test holds the
// page to this list, so a new box needs its title here and a line there.

#include <array>
#include <string_view>

namespace tov {

// Inputs and options.
inline constexpr const char* kInvalidEntryTitle = "Invalid Entry";
inline constexpr const char* kAmbientTemperatureTitle = "Enter Ambient Temperature";
inline constexpr const char* kToleranceTitle = "AL Tolerance";

// Design runs.
inline constexpr const char* kInvalidOptionTitle = "Invalid Option";
inline constexpr const char* kInvalidStackTitle = "Invalid Stack";
inline constexpr const char* kWireTooLargeTitle = "Wire Size Too Large";
inline constexpr const char* kCoreTooLargeTitle = "Required Core Too Large";
inline constexpr const char* kWindowTooSmallTitle = "Core Window Too Small";
inline constexpr const char* kRollOffTitle = "Inductance Roll-Off Warning";

// Files, printing and exports.
inline constexpr const char* kNewDesignTitle = "New Design";
inline constexpr const char* kOpenDesignTitle = "Open Design";
inline constexpr const char* kSaveDesignTitle = "Save Design";
inline constexpr const char* kPrintTitle = "Print";
inline constexpr const char* kExportPdfTitle = "Export PDF";
inline constexpr const char* kExportCurveTitle = "Export Curve";
inline constexpr const char* kExportTableTitle = "Export Table";
inline constexpr const char* kExportSpiceTitle = "Export SPICE Model";
inline constexpr const char* kExportMasTitle = "Export MAS";
inline constexpr const char* kImportMasTitle = "Import MAS";

// Start-up and the Help menu. The program's title is also the title of the
// box that says the core database cannot be read.
inline constexpr const char* kProgramTitle = "Corvane Inductor Design Using Powder Cores";
inline constexpr const char* kDisclaimerTitle = "***CORVANE Disclaimer***";
inline constexpr const char* kAboutTitle = "About Inductor Design Using Powder Cores";
inline constexpr const char* kContactTitle = "Contacting Corvane";

inline constexpr auto kMessageTitles = std::to_array<std::string_view>({
    kInvalidEntryTitle,   kAmbientTemperatureTitle,
    kInvalidOptionTitle,  kInvalidStackTitle,
    kWireTooLargeTitle,   kCoreTooLargeTitle,
    kWindowTooSmallTitle, kRollOffTitle,
    kNewDesignTitle,      kOpenDesignTitle,
    kSaveDesignTitle,     kPrintTitle,
    kExportPdfTitle,      kExportCurveTitle,
    kExportTableTitle,    kExportSpiceTitle,
    kExportMasTitle,      kImportMasTitle,
    kProgramTitle,        kDisclaimerTitle,
    kAboutTitle,          kContactTitle,
});

}  // namespace tov
