#!/usr/bin/env python3
"""Write src/state/powers_of_ten.h: the 128-bit significands of the
powers of ten that the shortest-digit search multiplies by, and the powers
of ten a 64-bit whole number holds.

For each k from -292 to 324 the table holds g = floor(10^k * 2^(127 - E)) + 1,
where E = floor(log2(10^k)): the power's leading 128 bits, one more than
their floor, so that g lies between 2^127 and 2^128.

Usage: tools/make_powers_of_ten.py > src/state/powers_of_ten.h
"""

LOWEST, HIGHEST = -292, 324


def floor_log2_pow10(k: int) -> int:
    """floor(log2(10^k)), exactly."""
    if k >= 0:
        return (10**k).bit_length() - 1
    denominator = 10**-k
    return -denominator.bit_length() + (denominator & (denominator - 1) == 0)


def significand(k: int) -> int:
    shift = 127 - floor_log2_pow10(k)
    if k >= 0:
        g = (10**k << shift) if shift >= 0 else (10**k >> -shift)
    else:
        g = (1 << shift) // 10**-k
    g += 1
    assert 1 << 127 < g < 1 << 128, k
    return g


def main() -> None:
    print("#pragma once")
    print("// Written by tools/make_powers_of_ten.py: do not edit.")
    print()
    print("#include <cstdint>")
    print()
    print("namespace tov {")
    print()
    print("// 10^0 to 10^19, every power of ten below 2^64.")
    print("inline constexpr std::uint64_t kWholePowersOfTen[20] = {")
    for k in range(20):
        print(f"    {10**k}u,")
    print("};")
    print()
    print("struct PowerOfTen {")
    print("  std::uint64_t high;")
    print("  std::uint64_t low;")
    print("};")
    print()
    print("// The 128-bit significands of 10^k for k from kLowestPowerOfTen to")
    print("// kHighestPowerOfTen: floor(10^k * 2^(127 - floor(log2 10^k))) + 1,")
    print("// as the high and the low 64 bits.")
    print(f"inline constexpr int kLowestPowerOfTen = {LOWEST};")
    print(f"inline constexpr int kHighestPowerOfTen = {HIGHEST};")
    print()
    print(f"inline constexpr PowerOfTen kPowersOfTen[{HIGHEST - LOWEST + 1}] = {{")
    entries = [f"{{0x{g >> 64:016x}, 0x{g & (2**64 - 1):016x}}}," for g in
               map(significand, range(LOWEST, HIGHEST + 1))]
    # Two to a line, as clang-format lays them out.
    for i in range(0, len(entries), 2):
        print("    " + " ".join(entries[i:i + 2]))
    print("};")
    print()
    print("}  // namespace tov")


if __name__ == "__main__":
    main()
