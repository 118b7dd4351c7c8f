#pragma once
// The four core materials and everything that differs between them: one
// table that every material switch of the program reads.

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string_view>

namespace tov {

// optMPP, optHF, optVelmax, optVelmaxE, in the order the program tests them.
enum class Material : int16_t { MPP = 0, HF = 1, Velmax = 2, VelmaxE = 3 };

inline constexpr std::array<Material, 4> kMaterials = {Material::MPP, Material::HF,
                                                       Material::Velmax, Material::VelmaxE};

// The rows of one material in the core table: first core row, last core row, EndRow.
struct MaterialSection {
  int16_t first_row;
  int16_t last_core_row;
  int16_t end_row;
  constexpr bool HoldsCore(int row) const { return row >= first_row && row <= last_core_row; }
};

// DC-bias roll-off: ue/ui = ((1 + A x + B x^2) / (1 + C x + D x^2))^0.5, x = ui H (Oe).
struct RollOffCoefficients {
  float A, B, C, D;
};

// Core loss density k f^c Bac^a, mW/cm^3, f in kHz and Bac in kG.
struct CoreLossCoefficients {
  float k = 0;  // mW/cm^3 at 1 kHz and 1 kG
  float c = 0;  // exponent of the frequency
  float a = 0;  // exponent of the flux density
};

// The loss coefficients of the permeability grades ui_min..ui_max (inclusive).
struct CoreLossGrade {
  float ui_min;
  float ui_max;
  CoreLossCoefficients coefficients;
};

// Captions of the core-information labels.
struct CoreCaptions {
  std::string_view mount_caption;
  std::string_view core_id_caption;
  std::string_view core_od_caption;
  std::string_view core_height_caption;
};

struct MaterialInfo {
  Material material;
  std::string_view option;    // option button
  std::string_view caption;   // its caption
  std::string_view cli_name;  // tovcalc --material
  int16_t file_code;          // material code of design files
  int16_t MatType;            // material code of the core loss: Velmax toroids and E-cores share 3
  MaterialSection section;
  bool e_core;
  RollOffCoefficients rolloff;
  // Core loss grades, exact permeabilities before ranges; a permeability no
  // grade covers has no loss data (0 mW).
  std::span<const CoreLossGrade> loss_grades;
  float K;                   // window factor the automatic search designs to
  float ui0;                 // initial permeability the search's size figure assumes
  float Kmax;                // fill limit of the selected-core design
  CoreCaptions captions;     // inches
  CoreCaptions captions_mm;  // millimetres
};

namespace material_data {

inline constexpr float kAnyPerm = std::numeric_limits<float>::infinity();

inline constexpr CoreLossGrade kMppLoss[] = {
    {14, 14, {2.341f, 1.31f, 2.21f}},  {26, 26, {0.999f, 1.41f, 2.18f}},
    {60, 60, {0.625f, 1.41f, 2.24f}},  {125, 125, {1.199f, 1.4f, 2.31f}},
    {147, 173, {0.771f, 1.5f, 2.25f}}, {200, 300, {1.0f, 1.64f, 2.27f}},
};
inline constexpr CoreLossGrade kHfLoss[] = {
    {14, 14, {6.37f, 1.26f, 2.52f}},    {26, 26, {5.437f, 1.25f, 2.55f}},
    {60, 60, {4.578f, 1.23f, 2.56f}},   {125, 125, {2.687f, 1.33f, 2.59f}},
    {147, 160, {3.613f, 1.41f, 2.56f}},
};
inline constexpr CoreLossGrade kVelmaxLoss[] = {
    {-kAnyPerm, kAnyPerm, {1.0f, 1.46f, 2.0f}},
};

inline constexpr CoreCaptions kToroidCaptions = {"Recommended Header", "ID (inches, nominal)",
                                                 "OD (inches, nominal)",
                                                 "Height (inches, nominal)"};
inline constexpr CoreCaptions kToroidCaptionsMm = {"Recommended Header", "ID (mm, nominal)",
                                                   "OD (mm, nominal)", "Height (mm, nominal)"};
inline constexpr CoreCaptions kECoreCaptions = {"Bobbin Part Number", "Length of Core Set (in)",
                                                "Width of Core Set (in)",
                                                "Height of Core Bobbin (in)"};
inline constexpr CoreCaptions kECoreCaptionsMm = {"Bobbin Part Number", "Length of Core Set (mm)",
                                                  "Width of Core Set (mm)",
                                                  "Height of Core Bobbin (mm)"};

}  // namespace material_data

// In the order of kMaterials.
inline constexpr std::array<MaterialInfo, 4> kMaterialTable = {{
    {Material::MPP,
     "optMPP",
     "Molypermalloy",
     "mpp",
     1,
     1,
     {1, 250, 251},
     false,
     {-1.505e-4f, 6.1e-9f, -1.277e-4f, 2.74e-8f},
     material_data::kMppLoss,
     0.4f,
     300.0f,
     0.5f,
     material_data::kToroidCaptions,
     material_data::kToroidCaptionsMm},
    {Material::HF,
     "optHF",
     "High Flux",
     "hf",
     2,
     2,
     {252, 393, 394},
     false,
     {-6.3e-5f, 1.069e-9f, -4.345e-6f, 1.922e-8f},
     material_data::kHfLoss,
     0.4f,
     160.0f,
     0.5f,
     material_data::kToroidCaptions,
     material_data::kToroidCaptionsMm},
    {Material::Velmax,
     "optVelmax",
     "Velmax",
     "velmax",
     3,
     3,
     {395, 520, 521},
     false,
     {-5.618e-5f, 1.043e-10f, 6.742e-5f, 6.21e-8f},
     material_data::kVelmaxLoss,
     0.4f,
     125.0f,
     0.5f,
     material_data::kToroidCaptions,
     material_data::kToroidCaptionsMm},
    {Material::VelmaxE,
     "optVelmaxE",
     "Velmax E-Cores",
     "velmax-e",
     4,
     3,
     {522, 551, 552},
     true,
     {-2.91e-5f, 5.55e-10f, 1.9e-5f, 6.24e-8f},
     material_data::kVelmaxLoss,
     0.67f,
     90.0f,
     0.8f,
     material_data::kECoreCaptions,
     material_data::kECoreCaptionsMm},
}};

constexpr const MaterialInfo& InfoOf(Material m) {
  return kMaterialTable[static_cast<std::size_t>(m)];
}

// Material code of design files: 1 optMPP, 2 optHF, 3 optVelmax, 4 optVelmaxE.
constexpr int16_t FileCodeOf(Material m) {
  return InfoOf(m).file_code;
}

constexpr std::optional<Material> MaterialFromFileCode(int code) {
  for (const MaterialInfo& info : kMaterialTable) {
    if (info.file_code == code) return info.material;
  }
  return std::nullopt;
}

constexpr bool IsECore(Material m) {
  return InfoOf(m).e_core;
}

// Molypermalloy 1..250 (end 251), High Flux 252..393 (394), Velmax toroids
// 395..520 (521), Velmax E-cores 522..551 (552).
constexpr MaterialSection SectionOf(Material m) {
  return InfoOf(m).section;
}

// Row of the core at 0-based position p of the material's core list.
constexpr int16_t ListPositionToRow(Material m, int16_t position) {
  return static_cast<int16_t>(SectionOf(m).first_row + position);
}

constexpr RollOffCoefficients RollOffFor(Material m) {
  return InfoOf(m).rolloff;
}

// Captions of the core-information labels for the material and unit.
constexpr const CoreCaptions& CoreCaptionsFor(Material m, bool metric) {
  return metric ? InfoOf(m).captions_mm : InfoOf(m).captions;
}

}  // namespace tov
