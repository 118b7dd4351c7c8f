// One JSON request line on any bytes, against the JSON library's own
// document reader: a line it reads as a flat object of per-request options
// (texts, numbers, true, false; null, also for an unknown name) is a request
// with exactly those options, the last of a repeated name winning; any other
// line is refused with a reason.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/tovcalc/request.h"
#include "fuzz_checks.h"

namespace {

using tov::tovcalc::OptionId;

// The value a number text stands for, as the C library reads it.
double NumberOf(const std::string& text) {
  return std::strtod(text.c_str(), nullptr);
}

bool SameScalar(const nlohmann::json& value, const std::string& text) {
  if (value.is_string()) return value.get<std::string>() == text;
  if (value.is_boolean()) return text == (value.get<bool>() ? "true" : "false");
  const double expected = value.get<double>();
  const double got = NumberOf(text);
  return got == expected || (std::isnan(got) && std::isnan(expected));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  tov::tovcalc::Request request;
  tov::tovcalc::ReadJsonRequest(line, request);

  // Every member as the document reader meets it, a repeated name each time:
  // the document keeps only the last, but an unknown option given a value
  // anywhere is refused.
  using Event = nlohmann::json::parse_event_t;
  std::vector<std::pair<std::string, nlohmann::json>> members;
  bool nested = false;
  std::string key;
  const auto member = [&](int depth, Event event, nlohmann::json& parsed) {
    if (depth >= 1 && (event == Event::object_start || event == Event::array_start)) nested = true;
    if (depth == 1 && event == Event::key) key = parsed.get<std::string>();
    if (depth == 1 && event == Event::value) members.emplace_back(key, parsed);
    return true;
  };
  const nlohmann::json document = nlohmann::json::parse(line, member, false);
  bool flat = document.is_object() && !nested;
  std::map<OptionId, const nlohmann::json*> expected;
  if (flat) {
    for (const auto& [name, value] : members) {
      std::string why;
      if (!value.is_null() && !tov::tovcalc::RequestOptionNamed(name, why)) flat = false;
    }
    for (const auto& [name, value] : document.items()) {
      std::string why;
      const auto id = tov::tovcalc::RequestOptionNamed(name, why);
      if (id && !value.is_null()) expected[*id] = &value;
    }
  }
  if (!flat) {
    if (request.error.empty()) tov::fuzz::Fail("accepted what is no flat object of options", line);
    return 0;
  }
  if (!request.error.empty()) tov::fuzz::Fail("refused a flat object of options", line);

  // The document keeps the last of a repeated name; so does a request when
  // its options are applied in order.
  std::map<OptionId, std::string> last;
  for (const auto& option : request.options) last[option.id] = option.text;
  if (last.size() != expected.size()) tov::fuzz::Fail("options other than the object's", line);
  for (const auto& [id, value] : expected) {
    const auto found = last.find(id);
    if (found == last.end() || !SameScalar(*value, found->second)) {
      tov::fuzz::Fail("an option's text is not its value", line);
    }
  }
  return 0;
}
