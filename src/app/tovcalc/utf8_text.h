#pragma once
// UTF-8 as tovcalc writes it: every text it prints is valid UTF-8, a byte
// that is not part of a valid sequence shown as U+FFFD.

#include <cstddef>
#include <string>
#include <string_view>

namespace tov::tovcalc {

// Length in bytes of the valid UTF-8 sequence at the start of `text` (no
// overlong form, no surrogate, nothing beyond U+10FFFF), or 0 when there is
// none; `text` is not empty.
std::size_t ValidUtf8Sequence(std::string_view text);

// Appends the valid sequence at the start of `text` (not empty) to `out`,
// or U+FFFD for its first byte where none starts there; returns the bytes of
// `text` it took.
std::size_t AppendUtf8Sequence(std::string& out, std::string_view text);

// Appends `text` to `out` with each byte that is not part of a valid
// sequence replaced by U+FFFD.
void AppendValidUtf8(std::string& out, std::string_view text);

}  // namespace tov::tovcalc
