#include "state/core_table_fingerprint.h"

#include <array>

namespace tov {
namespace {

constexpr uint32_t kFnvOffset = 2166136261u;
constexpr uint32_t kFnvPrime = 16777619u;

void Mix(uint32_t& hash, unsigned char byte) {
  hash = (hash ^ byte) * kFnvPrime;
}

}  // namespace

uint32_t CoreTableFingerprint(const CoreTable& table) {
  uint32_t hash = kFnvOffset;
  for (int row = 1; row <= kCoreRows; ++row) {
    for (int column = 1; column <= kCoreColumns; ++column) {
      const CoreCell cell = table.Cell(row, static_cast<CoreColumn>(column));
      Mix(hash, static_cast<unsigned char>(cell.KindOf()));
      for (const char c : cell.Display()) Mix(hash, static_cast<unsigned char>(c));
      Mix(hash, 0);
    }
  }
  return hash;
}

std::string FingerprintText(uint32_t fingerprint) {
  static constexpr std::array<char, 16> kDigits = {'0', '1', '2', '3', '4', '5', '6', '7',
                                                   '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
  std::string text(8, '0');
  for (int i = 7; i >= 0; --i, fingerprint >>= 4) {
    text[static_cast<std::size_t>(i)] = kDigits[fingerprint & 0xF];
  }
  return text;
}

}  // namespace tov
