// The fast paths of a batch line against plain references: JSON strings and
// member names against the escaping rules written out byte by byte, the
// float a user reads against printf and strtod, and the captions object
// encoded once against the one written member by member.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <random>
#include <set>
#include <string>

#include "app/tovcalc/design_json.h"
#include "app/tovcalc/json_writer.h"
#include "app/tovcalc/run.h"
#include "state/core_table_loader.h"

namespace tov::tovcalc {
namespace {

// The length of the well-formed UTF-8 sequence at `at`, or 0: decoded and
// held against the shortest form, the surrogates and U+10FFFF.
std::size_t ReferenceSequence(const std::string& text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  const std::size_t length = lead < 0x80   ? 1
                             : lead < 0xC0 ? 0
                             : lead < 0xE0 ? 2
                             : lead < 0xF0 ? 3
                             : lead < 0xF8 ? 4
                                           : 0;
  if (length <= 1 || at + length > text.size()) return length == 1 ? 1 : 0;
  char32_t code = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    code = code << 6 | (byte(at + i) & 0x3F);
  }
  constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kLeast[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

// JSON string escaping as tovcalc has always written it.
std::string ReferenceJsonString(const std::string& text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t valid = ReferenceSequence(text, i);
    if (c >= 0x80) {
      out += valid ? text.substr(i, valid) : "\xEF\xBF\xBD";
      i += valid ? valid : 1;
      continue;
    }
    const char* named[] = {"\\b", "\\t", "\\n", nullptr, "\\f", "\\r"};
    char escaped[8];
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c >= 0x08 && c <= 0x0D && named[c - 0x08]) {
      out += named[c - 0x08];
    } else if (c < 0x20) {
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
    ++i;
  }
  return out + "\"";
}

TEST(BatchLine, StringsAndNamesAreEscapedAsTheByteByByteRules) {
  std::vector<std::string> texts = {"",
                                    "Part Number",
                                    std::string(100, 'x'),
                                    "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80",
                                    "\xC0\xAF overlong",
                                    "\xED\xA0\x80 surrogate",
                                    "\xF4\x90\x80\x80 beyond",
                                    "\xE2\x82 cut",
                                    "end \xF0\x9F\x98"};
  // Every byte alone, and at every place of a run longer than sixteen bytes
  // so that it falls in each lane of a wide compare and in the tail.
  const std::string plain = "Inductance at Full Load (uH) and more";
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    texts.emplace_back(1, c);
    texts.push_back(plain.substr(0, static_cast<std::size_t>(b % 37)) + c +
                    plain.substr(static_cast<std::size_t>(b % 37)));
  }
  for (const std::string& text : texts) {
    const std::string expected = ReferenceJsonString(text);
    std::string out = "x";
    {
      JsonWriter json(out, JsonLayout::Compact);
      json.String(text);
    }
    EXPECT_EQ(out, "x" + expected) << "text of " << text.size() << " bytes";

    std::string object;
    JsonWriter json(object, JsonLayout::Compact);
    json.BeginObject();
    json.Key(text);
    json.Int(1);
    json.EndObject();
    json.Flush();
    EXPECT_EQ(object, "{" + expected + ":1}");
  }
}

TEST(BatchLine, FloatsReadAsTheirSevenDigitDecimal) {
  // Edges of the exact powers of ten (the seventh digit worth 10^-22 and
  // 10^22), the ends of the float range, and a spread of bit patterns.
  std::vector<float> values = {1e-15f, 1e-16f,        1e-17f,        9.999999e28f, 1e29f,
                               1e30f,  1.401298e-45f, 1.175494e-38f, 3.402823e38f, 20.1f,
                               -20.1f, 0.1f,          123456.7f,     1e7f,         16777217.0f};
  // Ties of the seventh digit, to even both ways.
  for (const float tie : {1234567.5f, 1234568.5f, 3456789.5f}) {
    values.push_back(tie);
  }
  // Around every power of ten: the first digit's place guessed one off, and
  // the seven digits rounding up to the next power.
  for (float power = 1e-12f; power < 1e21f; power *= 10) {
    float below = power, above = power;
    for (int step = 0; step < 40; ++step) {
      values.push_back(below = std::nextafter(below, 0.0f));
      values.push_back(above = std::nextafter(above, INFINITY));
    }
  }
  std::mt19937 random(23);
  for (int i = 0; i < 200000; ++i) {
    const auto f = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
    if (std::isfinite(f) && f != 0) values.push_back(f);
  }
  for (const float f : values) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6e", static_cast<double>(f));
    const double expected = std::strtod(text, nullptr);
    ASSERT_EQ(std::bit_cast<std::uint64_t>(FloatValue(f)), std::bit_cast<std::uint64_t>(expected))
        << text;
  }
}

TEST(BatchLine, CaptionsWrittenOnceReadAsThoseWrittenMemberByMember) {
  static const CoreTableLoad load = LoadCoreTable(TOV_SOURCE_DIR "/data/coredat");
  ASSERT_TRUE(load.table);
  Designer designer(*load.table, nullptr, false);
  std::set<std::string> wordings;
  // Toroids and E-cores, inches and millimetres, losses in mW and in W,
  // each wording met twice, apart.
  for (int round = 0; round < 2; ++round) {
    for (const char* material : {"mpp", "velmax-e"}) {
      for (const bool metric : {false, true}) {
        for (const char* idc : {"2", "60"}) {
          GivenOptions given;
          given[OptionId::Material] = material;
          given[OptionId::Idc] = idc;
          given[OptionId::Trise] = "90";
          given[OptionId::Stack] = "5";
          if (metric) given[OptionId::Metric] = "";
          const SettingsOrError read = ReadSettings(given);
          ASSERT_TRUE(read.settings) << read.error;
          ASSERT_TRUE(designer.Run(*read.settings).error.empty());
          std::string compact, indented;
          JsonWriter compact_json(compact, JsonLayout::Compact);
          WriteDesignJson(compact_json, designer.Form(), {}, nullptr, nullptr);
          compact_json.Flush();
          JsonWriter indented_json(indented, JsonLayout::Indented);
          WriteDesignJson(indented_json, designer.Form(), {}, nullptr, nullptr);
          indented_json.Flush();
          const auto captions = nlohmann::ordered_json::parse(compact)["captions"];
          EXPECT_EQ(captions, nlohmann::ordered_json::parse(indented)["captions"])
              << material << (metric ? " mm " : " in ") << idc << " A";
          wordings.insert(captions.dump());
        }
      }
    }
  }
  // Several wordings met in turn: a kept one handed out for another shows.
  EXPECT_GE(wordings.size(), 6u);
}

}  // namespace
}  // namespace tov::tovcalc
