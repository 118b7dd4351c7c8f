// One JSON request line on any bytes, against the JSON library's own
// document reader: a line it reads as a flat object of known per-request
// options (texts, numbers, true, false, null) is a request with exactly those
// options, the last of a repeated name winning; any other line is refused
// with a reason and no option.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

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

  const nlohmann::json document = nlohmann::json::parse(line, nullptr, false);
  bool flat = document.is_object();
  std::map<OptionId, const nlohmann::json*> expected;
  if (flat) {
    for (const auto& [name, value] : document.items()) {
      std::string why;
      const auto id = tov::tovcalc::RequestOptionNamed(name, why);
      if (value.is_structured() || value.is_binary()) flat = false;
      if (!value.is_null() && !id) flat = false;
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
