#include "app/tovcalc/utf8_text.h"

namespace tov::tovcalc {

std::size_t ValidUtf8Sequence(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // range of the second byte
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

std::size_t AppendUtf8Sequence(std::string& out, std::string_view text) {
  const std::size_t length = ValidUtf8Sequence(text);
  if (length == 0) {
    out.append("\xEF\xBF\xBD");  // U+FFFD for the one byte
    return 1;
  }
  out.append(text.substr(0, length));
  return length;
}

void AppendValidUtf8(std::string& out, std::string_view text) {
  while (!text.empty()) text.remove_prefix(AppendUtf8Sequence(out, text));
}

}  // namespace tov::tovcalc
