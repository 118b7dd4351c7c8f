// The parts of tovcalc's front end that scripts depend on byte for byte:
// the JSON layout and numbers, sweep values, CSV cells, line ends.

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <random>
#include <string>
#include <vector>

#include "app/tovcalc/command_line.h"
#include "app/tovcalc/design_csv.h"
#include "app/tovcalc/json_writer.h"
#include "app/tovcalc/line_reader.h"
#include "app/tovcalc/request.h"
#include "app/tovcalc/sweep.h"

namespace tov::tovcalc {
namespace {

TEST(JsonWriter, LaysOutObjectsArraysAndNumbersAsAlways) {
  std::string out;
  JsonWriter json(out, JsonLayout::Indented);
  json.BeginObject();
  json.Key("a");
  json.BeginArray();
  json.EndArray();
  json.Key("b");
  json.BeginArray();
  json.Int(-3);
  json.String("x\"\\\r\n\t\x01\x7f\xc3\xa9\xff");
  json.EndArray();
  json.Key("c");
  json.Bool(true);
  json.EndObject();
  json.Flush();
  EXPECT_EQ(out,
            "{\n    \"a\": [\n    ],\n    \"b\": [\n        -3,\n"
            "        \"x\\\"\\\\\\r\\n\\t\\u0001\x7f\xc3\xa9\xef\xbf\xbd\"\n    ],\n"
            "    \"c\": true\n}\n");

  // Whole numbers up to 2^53 as integers, others in the shorter form.
  const std::pair<double, const char*> numbers[] = {{20, "20"},
                                                    {-0.0, "0"},
                                                    {45.5, "45.5"},
                                                    {0.001, "0.001"},
                                                    {0.0001, "1e-04"},
                                                    {1e-5, "1e-05"},
                                                    {2065036e9, "2065036000000000"},
                                                    {1e16, "1e+16"},
                                                    {3959.201, "3959.201"},
                                                    {-9.893886130259874e18, "-9893886130259874000"},
                                                    {2.618502e17, "2.618502e+17"},
                                                    {123456.75, "123456.75"}};
  for (const auto& [value, text] : numbers) {
    char written[kNumberRoom];
    EXPECT_EQ(std::string_view(written, WriteJsonNumber(written, value)), text);
  }
}

// Documents far larger than the writer's block, with names and texts longer
// than it and of every length around its edges, against a JSON library's
// own layout (the same for these documents: no empty containers are
// written where the four-blank layout differs from it).
TEST(JsonWriter, LongDocumentsComeOutWholeInEveryLayout) {
  std::mt19937 random(7);
  const auto text = [&](std::size_t length) {
    std::string t;
    for (std::size_t i = 0; i < length; ++i) {
      const auto r = random() % 100;
      if (r == 3) {
        t += "\u00b5";
      } else {
        t += r == 0 ? '"' : r == 1 ? '\\' : r == 2 ? '\n' : static_cast<char>('a' + r % 26);
      }
    }
    return t;
  };
  const std::size_t lengths[] = {0, 1, 63, 64, 65, 4095, 4096, 4097, 9000};
  for (const JsonLayout layout :
       {JsonLayout::Indented, JsonLayout::IndentedByTwo, JsonLayout::Compact}) {
    nlohmann::ordered_json expected = nlohmann::ordered_json::object();
    std::string out = "prefix ";
    {
      JsonWriter json(out, layout);
      json.BeginObject();
      for (int member = 0; member < 400; ++member) {
        const std::string name =
            text(lengths[member % std::size(lengths)] % 100 + 1) + std::to_string(member);
        const std::string value = text(lengths[(member / 3) % std::size(lengths)]);
        json.Key(name);
        json.BeginArray();
        json.String(value);
        json.Int(member);
        json.EndArray();
        expected[name] = {value, member};
      }
      json.EndObject();
    }
    const int indent = layout == JsonLayout::Indented ? 4 : layout == JsonLayout::Compact ? -1 : 2;
    EXPECT_EQ(out, "prefix " + expected.dump(indent) + (indent < 0 ? "" : "\n"))
        << static_cast<int>(layout);
  }
}

TEST(Sweep, ListsRangesAndTheirProduct) {
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"idc=1:2:0.25", {"1", "1.25", "1.5", "1.75", "2"}},
      {"freq = 0.1:0.35:0.1", {"0.1", "0.2", "0.3"}},
      {"ambient=5:-5:-5", {"5", "0", "-5"}},
      {"lfl=1e-3:3e-3:1e-3", {"0.001", "0.002", "0.003"}},
      {"material=mpp, hf,\"velmax\"", {"mpp", "hf", "velmax"}},
      {"metric=true,0", {"true", "0"}},
      // STOP between two values; an exponent that takes decimals away.
      {"idc=1:2.05:0.5", {"1", "1.5", "2"}},
      {"idc=0.5:1:0.25", {"0.5", "0.75", "1"}},
      {"idc=1.5e1:20:2.5", {"15", "17.5", "20"}},
      // Beyond 2^53, or 16 decimals and more, in doubles at 15 digits.
      {"idc=9007199254740993:9007199254740993:1", {"9.00719925474099E+15"}},
      {"idc=0.0000000000000001:0.0000000000000003:0.0000000000000001", {"1E-16", "2E-16", "3E-16"}},
      {"ambient=0e-400:1:0.5", {"0", "0.5", "1"}},
  };
  for (const auto& [text, values] : cases) {
    std::string error;
    const auto axis = SweepAxis::Parse(text, error);
    ASSERT_TRUE(axis) << text << ": " << error;
    std::vector<std::string> got;
    for (uint64_t i = 0; i < axis->Count(); ++i) got.push_back(axis->Value(i));
    EXPECT_EQ(got, values) << text;
  }
  for (const char* bad : {"idc", "idc=1:2", "idc=1:2:-1", "bogus=1,2", "json=1", "metric=maybe",
                          "idc=0:1e300:1e-300", "idc=0:1099511627776:1"}) {
    std::string error;
    EXPECT_FALSE(SweepAxis::Parse(bad, error)) << bad;
    EXPECT_FALSE(error.empty()) << bad;
  }
  std::string error;
  // 2^40 values at most.
  EXPECT_EQ(SweepAxis::Parse("idc=1:1099511627776:1", error)->Count(), uint64_t{1} << 40);
  std::vector<SweepAxis> most{*SweepAxis::Parse("idc=1:1048576:1", error),
                              *SweepAxis::Parse("lfl=1:1048576:1", error)};
  EXPECT_EQ(SweepProduct::Of(most, error)->Count(), uint64_t{1} << 40);
  most.push_back(*SweepAxis::Parse("lnl=1,2", error));
  EXPECT_FALSE(SweepProduct::Of(most, error));
  std::vector<SweepAxis> axes;
  axes.push_back(*SweepAxis::Parse("material=mpp,hf", error));
  axes.push_back(*SweepAxis::Parse("stack=1:3:1", error));
  const auto product = SweepProduct::Of(std::move(axes), error);
  ASSERT_TRUE(product);
  EXPECT_EQ(product->Count(), 6u);
  const auto fifth = product->Combination(4);
  EXPECT_EQ(fifth[0].second, "hf");
  EXPECT_EQ(fifth[1].second, "2");
}

TEST(Requests, ReadJsonAndCsvLinesIntoOptions) {
  Request json;
  ReadJsonRequest(R"({"idc": 1.50, "single-layer": false, "lnl": null, "core": "MP-1"})", json);
  ASSERT_EQ(json.error, "");
  ASSERT_EQ(json.options.size(), 3u);
  EXPECT_EQ(json.options[0].text, "1.50");
  EXPECT_EQ(json.options[1].text, "false");
  GivenOptions given;
  given[OptionId::SingleLayer] = "";
  EXPECT_EQ(ApplyRequestOption(given, json.options[1]), "");
  EXPECT_TRUE(!given.Has(OptionId::SingleLayer) && given.Has(OptionId::NoSingleLayer));

  for (const char* bad : {"[1]", R"({"idc": {}})", R"({"save": "x"})", R"({"x": 1})", "{", "7"}) {
    Request request;
    ReadJsonRequest(bad, request);
    EXPECT_NE(request.error, "") << bad;
  }
  EXPECT_EQ(SplitCsvLine(R"(a,"b,c",,"say ""x""")"),
            (std::vector<std::string>{"a", "b,c", "", "say \"x\""}));
  EXPECT_EQ(SplitCsvLine("\"open"), std::nullopt);
}

// Line ends as editors write them: LF, CR LF and CR alone each end a line,
// also where a CR LF straddles two reads; a line too long is cut and said so.
TEST(LineReader, EndsALineAtLfCrLfOrCr) {
  const std::string block(64 * 1024 - 1, 'x');  // a CR at the last byte of the first read
  const std::string longest(LineReader::kMaxLine + 5, 'y');
  const struct {
    const char* name;
    std::string input;
    std::vector<std::string> lines;
    std::vector<bool> cut;
  } cases[] = {
      {"LF", "a\nb\n", {"a", "b"}, {false, false}},
      {"CR LF", "a\r\nb", {"a", "b"}, {false, false}},
      {"CR", "a\rb\r", {"a", "b"}, {false, false}},
      {"CR CR", "a\r\rb", {"a", "", "b"}, {false, false, false}},
      {"LF CR", "a\n\rb", {"a", "", "b"}, {false, false, false}},
      {"CR LF across two reads", block + "\r\nz", {block, "z"}, {false, false}},
      {"too long", longest + "\nq", {longest.substr(0, LineReader::kMaxLine), "q"}, {true, false}},
      {"longest",
       longest.substr(0, LineReader::kMaxLine) + "\r\n",
       {longest.substr(0, LineReader::kMaxLine)},
       {false}},
      {"nothing", "", {}, {}},
  };
  for (const auto& c : cases) {
    const int fd = memfd_create("lines", 0);
    ASSERT_EQ(write(fd, c.input.data(), c.input.size()), static_cast<ssize_t>(c.input.size()));
    lseek(fd, 0, SEEK_SET);
    LineReader reader(fd);
    std::vector<std::string> lines;
    std::vector<bool> cut;
    std::string line;
    bool too_long = false;
    while (reader.Next(line, too_long)) {
      lines.push_back(line);
      cut.push_back(too_long);
    }
    EXPECT_EQ(lines, c.lines) << c.name;
    EXPECT_EQ(cut, c.cut) << c.name;
    EXPECT_EQ(reader.Failure(), "") << c.name;
  }
}

// The manual page describes every option the program takes.
TEST(ManualPage, ListsEveryOption) {
  std::ifstream in(TOV_SOURCE_DIR "/docs/man/tovcalc.1");
  const std::string page{std::istreambuf_iterator<char>(in), {}};
  for (const OptionEntry& entry : kOptions) {
    std::string name;
    for (const char c : entry.name) name += c == '-' ? std::string("\\-") : std::string(1, c);
    EXPECT_NE(page.find("\\-\\-" + name), std::string::npos) << entry.name;
  }
}

// Every option a request of a batch or sweep may set has its CSV column, so
// that what a line was designed with shows (a check mark and its "no-"
// opposite share one).
TEST(DesignCsv, HasAColumnForEveryOptionARequestSets) {
  std::string header;
  AppendCsvHeader(header);
  std::vector<std::string> columns;
  std::string cell;
  for (const char c : header) {
    if (c == ',' || c == '\n') {
      columns.push_back(cell);
      cell.clear();
    } else {
      cell += c;
    }
  }
  for (const OptionEntry& entry : kOptions) {
    if (!entry.per_request) continue;
    std::string name(entry.name);
    if (name.rfind("no-", 0) == 0) name = name.substr(3);
    EXPECT_EQ(std::count(columns.begin(), columns.end(), name), 1) << entry.name;
  }
}

}  // namespace
}  // namespace tov::tovcalc
