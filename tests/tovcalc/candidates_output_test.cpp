// The comparison's JSON and CSV: laid out as a standard JSON library lays
// out the same document, numbers as such a library writes real numbers, the
// CSV holding the JSON's values, and every row written without allocating.

#include "app/tovcalc/candidates_output.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <random>
#include <sstream>

#include "app/tovcalc/json_writer.h"
#include "state/core_table_loader.h"
#include "support/allocation_count.h"
#include "support/number_samples.h"

namespace tov::tovcalc {
namespace {

using Json = nlohmann::ordered_json;
using testing::allocation_count::allocations;
using testing::allocation_count::counting;

const CoreTable& Cores() {
  static const CoreTableLoad load = LoadCoreTable(TOV_SOURCE_DIR "/data/coredat");
  if (!load.table) std::abort();
  return *load.table;
}

std::string Real(double value) {
  char text[kNumberRoom];
  return {text, WriteJsonReal(text, value)};
}

std::string Number(double value) {
  char text[kNumberRoom];
  return {text, WriteJsonNumber(text, value)};
}

TEST(JsonReal, WritesAFractionOrAnExponentAsAJsonLibraryDoes) {
  struct Case {
    const char* what;
    double value;
    const char* written;
  };
  const Case cases[] = {
      {"whole", 2.0, "2.0"},
      {"zero", 0.0, "0.0"},
      {"negative zero", -0.0, "-0.0"},
      {"fraction", 0.1, "0.1"},
      {"a float widened", double{0.3f}, "0.30000001192092896"},
      {"four places after the point", 0.0001, "0.0001"},
      {"five places: the exponent", 0.00001, "1e-05"},
      {"digits and places", 0.00012345, "0.00012345"},
      {"fifteen digits before the point", 123456789012345.0, "123456789012345.0"},
      {"sixteen digits: the exponent", 1e15, "1e+15"},
      {"exponent with a fraction", 1.5e16, "1.5e+16"},
      {"three exponent digits", 1e100, "1e+100"},
      {"negative", -1234.5, "-1234.5"},
      {"smallest", std::numeric_limits<double>::denorm_min(), "5e-324"},
      {"not a number", NAN, "null"},
      {"infinite", -INFINITY, "null"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Real(c.value), c.written) << c.what;
    // The library reads it back as the same value and writes it the same way.
    if (std::isfinite(c.value)) {
      EXPECT_EQ(Json(c.value).dump(), c.written) << c.what;
    }
  }
}

// The formatter as it was first written, kept as the reference: digits
// from to_chars' scientific form, then laid out by position.
namespace reference {

struct Digits {
  std::string digits;
  int exponent = 0;
  explicit Digits(double value) {
    char text[32];
    const auto end =
        std::to_chars(text, text + sizeof text, std::fabs(value), std::chars_format::scientific);
    const std::string written(text, end.ptr);
    const std::size_t e = written.find('e');
    for (char c : written.substr(0, e))
      if (c != '.') digits += c;
    exponent = std::stoi(written.substr(e + 1));
  }
  std::string Exponent() const {
    const std::string magnitude = std::to_string(std::abs(exponent));
    return digits.substr(0, 1) + (digits.size() > 1 ? "." + digits.substr(1) : "") + "e" +
           (exponent < 0 ? "-" : "+") + (magnitude.size() < 2 ? "0" : "") + magnitude;
  }
  std::string Plain() const {
    const int point = exponent + 1;
    const int count = static_cast<int>(digits.size());
    if (point <= 0) return "0." + std::string(static_cast<std::size_t>(-point), '0') + digits;
    if (point >= count) return digits + std::string(static_cast<std::size_t>(point - count), '0');
    return digits.substr(0, static_cast<std::size_t>(point)) + "." +
           digits.substr(static_cast<std::size_t>(point));
  }
};

std::string Number(double value) {
  if (!std::isfinite(value)) return "null";
  if (value == std::trunc(value) && std::fabs(value) <= 9007199254740992.0)
    return std::to_string(static_cast<long long>(value));
  const Digits d(value);
  const std::string plain = d.Plain(), exponent = d.Exponent();
  return (value < 0 ? "-" : "") + (plain.size() <= exponent.size() ? plain : exponent);
}

std::string Real(double value) {
  if (!std::isfinite(value)) return "null";
  const std::string sign = std::signbit(value) ? "-" : "";
  if (value == 0) return sign + "0.0";
  const Digits d(value);
  const int point = d.exponent + 1;
  if (point < -3 || point > 15) return sign + d.Exponent();
  return sign + d.Plain() + (point >= static_cast<int>(d.digits.size()) ? ".0" : "");
}

}  // namespace reference

TEST(JsonNumbers, AgreeWithTheReferenceFormatterOnEveryKindOfValue) {
  long differences = 0;
  for (const double value : testing::NumberSamples()) {
    const std::string number = Number(value), real = Real(value);
    if (number != reference::Number(value) || real != reference::Real(value)) {
      if (differences++ < 5)
        ADD_FAILURE() << std::hexfloat << value << ": " << number << " " << real << " for "
                      << reference::Number(value) << " " << reference::Real(value);
    }
  }
  EXPECT_EQ(differences, 0);
}

struct Comparison {
  const char* what;
  DesignRequest request;
  CandidateOptions options;
};

std::vector<Comparison> Comparisons() {
  std::vector<Comparison> list;
  CandidateOptions every;
  every.scope.stacks = {1, 2, 3, 4, 5};
  list.push_back({"start-up inputs, every core", {}, every});
  DesignRequest tiny;
  tiny.dc_current_a = 0.05;
  tiny.ripple_a = 0.01;
  tiny.full_load_l_uh = 2;
  tiny.no_load_l_uh = 3.5;
  tiny.single_layer = true;
  list.push_back({"small choke, single layer, the request's stack", tiny, {}});
  DesignRequest heavy;
  heavy.dc_current_a = 150;
  heavy.full_load_l_uh = 3000;
  heavy.no_load_l_uh = 9000;
  CandidateOptions sorted = every;
  sorted.sort = "-temp_rise_c";
  list.push_back({"heavy choke sorted by falling temperature rise", heavy, sorted});
  CandidateOptions passing = every;
  passing.passing_only = true;
  list.push_back({"heavy choke, passing only (none)", heavy, passing});
  CandidateOptions by_part = every;
  by_part.sort = "part_number";
  by_part.batch_line = 7;
  list.push_back({"a batch line sorted by part number", {}, by_part});
  return list;
}

// The number at the end of a piece of JSON or CSV (after any key, before
// any closing brackets), or nullopt.
std::optional<double> NumberIn(std::string_view text) {
  if (const std::size_t colon = text.rfind(':'); colon != std::string_view::npos) {
    text.remove_prefix(colon + 1);
  }
  while (!text.empty() && (text.front() == ' ' || text.front() == '[')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ']' || text.back() == '}')) text.remove_suffix(1);
  if (text.empty()) return std::nullopt;
  const std::string copy(text);
  char* end = nullptr;
  const double value = std::strtod(copy.c_str(), &end);
  if (end != copy.c_str() + copy.size()) return std::nullopt;
  return value;
}

// Texts equal, or the same number in the same form, both whole or both real:
// of two 17-digit forms that read back as the same number either may be
// written. Keys and brackets around the number must be equal.
bool SameText(std::string_view a, std::string_view b) {
  if (a == b) return true;
  const std::optional<double> x = NumberIn(a), y = NumberIn(b);
  const auto real = [](std::string_view t) { return t.find_first_of(".e") != t.npos; };
  const auto key = [](std::string_view t) { return t.substr(0, t.rfind(':') + 1); };
  return x && y && *x == *y && real(a) == real(b) && key(a) == key(b);
}

// The pieces between commas that differ, the first one shown.
int DifferentLines(const std::string& written, const std::string& expected, std::string& first) {
  std::istringstream a(written), b(expected);
  std::string x, y;
  int different = 0;
  while (true) {
    const bool more_a = static_cast<bool>(std::getline(a, x, ','));
    const bool more_b = static_cast<bool>(std::getline(b, y, ','));
    if (!more_a && !more_b) return different;
    if (more_a != more_b || !SameText(x, y)) {
      if (different++ == 0) first = "written: " + x + "\nexpected: " + y;
    }
  }
}

// The comparison of `request` as one text.
std::string Written(const DesignRequest& request, const CandidateOptions& options) {
  std::string text;
  CandidateComparison(request, Cores(), options).Write(text);
  return text;
}

TEST(CandidatesOutput, JsonIsLaidOutAsAJsonLibraryLaysOutTheSameDocument) {
  for (Comparison c : Comparisons()) {
    c.options.format = CandidateFormat::Json;
    const std::string text = Written(c.request, c.options);
    const Json document = Json::parse(text);
    const std::string relaid = (c.options.batch_line ? document.dump() : document.dump(2)) + "\n";
    std::string first;
    EXPECT_EQ(DifferentLines(text, relaid, first), 0) << c.what << "\n" << first;
  }
}

// A CSV record split into its fields (quoted fields unquoted).
std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char ch = line[i];
    if (quoted && ch == '"' && i + 1 < line.size() && line[i + 1] == '"') {
      fields.back() += '"';
      ++i;
    } else if (ch == '"') {
      quoted = !quoted;
    } else if (ch == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += ch;
    }
  }
  return fields;
}

// The JSON value as the CSV writes it: empty for null, texts as they are.
std::string CsvOf(const Json& value) {
  if (value.is_null()) return "";
  if (value.is_string()) return value.get<std::string>();
  return value.dump();
}

TEST(CandidatesOutput, CsvHoldsTheJsonValuesRowForRow) {
  for (Comparison c : Comparisons()) {
    c.options.batch_line.reset();
    c.options.format = CandidateFormat::Json;
    const Json entries = Json::parse(Written(c.request, c.options))["candidates"];
    c.options.format = CandidateFormat::Csv;
    std::istringstream csv(Written(c.request, c.options));
    std::string line;
    ASSERT_TRUE(std::getline(csv, line));
    const std::vector<std::string> header = Fields(line);
    std::size_t row = 0;
    for (; std::getline(csv, line); ++row) {
      ASSERT_LT(row, entries.size()) << c.what;
      const Json& entry = entries[row];
      const std::vector<std::string> fields = Fields(line);
      ASSERT_EQ(fields.size(), header.size()) << c.what << " row " << row;
      for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string& key = header[i];
        std::string expected;
        if (key == "failed") {
          for (const Json& name : entry["failed"])
            expected.append(expected.empty() ? "" : " ").append(name.get<std::string>());
        } else if (key.starts_with("margin_")) {
          const bool value = key.ends_with("_value");
          const std::string test = key.substr(7, key.size() - 13);
          if (entry["margins"].contains(test))
            expected = CsvOf(entry["margins"][test][value ? "value" : "limit"]);
        } else {
          expected = CsvOf(entry[key]);
        }
        EXPECT_TRUE(SameText(fields[i], expected))
            << c.what << " row " << row << " " << key << ": " << fields[i] << " for " << expected;
      }
    }
    EXPECT_EQ(row, entries.size()) << c.what;
  }
}

TEST(CandidatesOutput, WritesEachRowWithoutAllocating) {
  CandidateScope scope;
  scope.stacks = {1, 2, 3, 4, 5};
  const CandidateSet set = EvaluateCandidates(DesignRequest{}, Cores(), scope);
  ASSERT_GT(set.candidates.size(), 2000u);
  std::string json_text, csv_text;
  json_text.reserve(8 << 20);
  csv_text.reserve(2 << 20);
  JsonWriter json(json_text, JsonLayout::IndentedByTwo);
  json.BeginArray();
  counting = true;
  allocations = 0;
  for (const Candidate& c : set.candidates) {
    WriteCandidateJson(json, c, Cores());
    AppendCandidateCsv(csv_text, c, Cores());
  }
  counting = false;
  json.EndArray();
  json.Flush();
  EXPECT_EQ(allocations, 0);
  EXPECT_EQ(Json::parse(json_text).size(), set.candidates.size());
}

// What the comparison sends through standard output (a file in memory for
// the while), and the allocations it made on the way.
std::string Streamed(const CandidateComparison& comparison, long& allocated) {
  const int saved = dup(STDOUT_FILENO);
  const int file = memfd_create("stdout", 0);
  dup2(file, STDOUT_FILENO);
  {
    StandardOutput out;
    allocations = 0;
    counting = true;
    comparison.Write(out);
    counting = false;
    allocated = allocations;
    out.Flush();
  }
  dup2(saved, STDOUT_FILENO);
  close(saved);
  std::string text(static_cast<std::size_t>(lseek(file, 0, SEEK_END)), '\0');
  EXPECT_EQ(pread(file, text.data(), text.size(), 0), static_cast<ssize_t>(text.size()));
  close(file);
  return text;
}

TEST(CandidatesOutput, StreamsTheTextItWritesWholeWithoutAllocating) {
  for (Comparison c : Comparisons()) {
    for (const CandidateFormat format :
         {CandidateFormat::Json, CandidateFormat::Csv, CandidateFormat::Table}) {
      c.options.format = format;
      const CandidateComparison comparison(c.request, Cores(), c.options);
      std::string whole;
      comparison.Write(whole);
      long allocated = 0;
      const std::string streamed = Streamed(comparison, allocated);
      EXPECT_TRUE(streamed == whole) << c.what << " " << static_cast<int>(format) << ": "
                                     << streamed.size() << " bytes for " << whole.size();
      if (format != CandidateFormat::Table) {
        EXPECT_EQ(allocated, 0) << c.what;
      }
    }
  }
  // The buffer went out many times on the way.
  CandidateOptions every;
  every.scope.stacks = {1, 2, 3, 4, 5};
  every.format = CandidateFormat::Csv;
  std::string csv;
  CandidateComparison(DesignRequest{}, Cores(), every).Write(csv);
  EXPECT_GT(csv.size(), 10u * 64 * 1024);
}

}  // namespace
}  // namespace tov::tovcalc
