#pragma once
// The four core materials, as the option buttons of the window offer them.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tov {

// optMPP, optHF, optVelmax, optVelmaxE, in the order the program tests them.
enum class Material : int16_t { MPP = 0, HF = 1, Velmax = 2, VelmaxE = 3 };

inline constexpr std::array<Material, 4> kMaterials = {Material::MPP, Material::HF,
                                                       Material::Velmax, Material::VelmaxE};

// MatType, the material code of a design run: 1 Molypermalloy, 2 High Flux, 3 Velmax (both).
constexpr int16_t MatTypeOf(Material m) {
  return m == Material::MPP ? 1 : m == Material::HF ? 2 : 3;
}

// Material code of design files: 1 optMPP, 2 optHF, 3 optVelmax, 4 optVelmaxE.
constexpr int16_t FileCodeOf(Material m) { return static_cast<int16_t>(static_cast<int>(m) + 1); }

constexpr std::optional<Material> MaterialFromFileCode(int code) {
  if (code < 1 || code > 4) return std::nullopt;
  return static_cast<Material>(code - 1);
}

constexpr bool IsECore(Material m) { return m == Material::VelmaxE; }

}  // namespace tov
