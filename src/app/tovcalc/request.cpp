#include "app/tovcalc/request.h"

#include <nlohmann/json.hpp>

namespace tov::tovcalc {
namespace {

std::optional<OptionId> OppositeOf(OptionId id) {
  switch (id) {
    case OptionId::SingleLayer:
      return OptionId::NoSingleLayer;
    case OptionId::NoSingleLayer:
      return OptionId::SingleLayer;
    case OptionId::LflMax:
      return OptionId::NoLflMax;
    case OptionId::NoLflMax:
      return OptionId::LflMax;
    default:
      return std::nullopt;
  }
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

// SAX events of one JSON line: a flat object of options.
class RequestSax : public nlohmann::json_sax<nlohmann::json> {
 public:
  explicit RequestSax(Request& request) : request_(request) {}

  bool null() override { return Scalar(std::nullopt); }
  bool boolean(bool value) override { return Scalar(value ? "true" : "false"); }
  bool number_integer(number_integer_t value) override { return Scalar(std::to_string(value)); }
  bool number_unsigned(number_unsigned_t value) override { return Scalar(std::to_string(value)); }
  bool number_float(number_float_t, const string_t& text) override { return Scalar(text); }
  bool string(string_t& value) override { return Scalar(value); }
  bool binary(binary_t&) override { return Fail("binary values are not JSON text"); }
  bool start_object(std::size_t) override {
    if (depth_++ == 0) return true;
    return Fail("the value of \"" + key_ + "\" is an object: give a text, a number, true or false");
  }
  bool key(string_t& name) override {
    key_ = name;
    return true;
  }
  bool end_object() override {
    --depth_;
    return true;
  }
  bool start_array(std::size_t) override {
    if (depth_ == 0) return Fail("a request is a JSON object, not an array");
    return Fail("the value of \"" + key_ + "\" is an array: give a text, a number, true or false");
  }
  bool end_array() override { return true; }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& e) override {
    // "[json.exception.parse_error.101] parse error at line 1, column 5: ..."
    const std::string what = e.what();
    const std::size_t at = what.find("] ");
    return Fail("not a JSON object: " + (at == std::string::npos ? what : what.substr(at + 2)));
  }

 private:
  bool Scalar(std::optional<std::string> text) {
    if (depth_ == 0) return Fail("a request is a JSON object of options");
    std::string error;
    const std::optional<OptionId> id = RequestOptionNamed(key_, error);
    if (!text) {
      // null: the option is left out, also when the line named it before
      if (id) std::erase_if(request_.options, [&](const auto& option) { return option.id == *id; });
      return true;
    }
    if (!id) return Fail(error);
    request_.options.push_back({*id, std::move(*text)});
    return true;
  }
  bool Fail(std::string error) {
    if (request_.error.empty()) request_.error = std::move(error);
    return false;
  }

  Request& request_;
  int depth_ = 0;
  std::string key_;
};

}  // namespace

std::optional<bool> ParseTruth(std::string_view text) {
  const std::string lower = Lower(text);
  if (lower == "true" || lower == "1" || lower == "yes" || lower == "on") return true;
  if (lower == "false" || lower == "0" || lower == "no" || lower == "off") return false;
  return std::nullopt;
}

std::string ApplyRequestOption(GivenOptions& given, const RequestOption& option) {
  const OptionEntry& entry = EntryOf(option.id);
  if (!entry.value_name.empty()) {
    given[option.id] = option.text;
    return {};
  }
  const std::optional<bool> on = ParseTruth(option.text);
  if (!on) {
    return "--" + std::string(entry.name) + " takes true or false, not \"" + option.text + "\".";
  }
  const std::optional<OptionId> opposite = OppositeOf(option.id);
  given[option.id] = *on ? std::optional<std::string>("") : std::nullopt;
  if (opposite)
    given[*opposite] = *on ? std::optional<std::string>() : std::optional<std::string>("");
  return {};
}

bool SetsSameOption(OptionId a, OptionId b) {
  return a == b || OppositeOf(a) == b;
}

std::optional<OptionId> RequestOptionNamed(std::string_view name, std::string& error) {
  const std::optional<OptionId> id = OptionNamed(name);
  if (!id) {
    error = "unknown option \"" + std::string(name) + "\"";
  } else if (!EntryOf(*id).per_request) {
    error = "--" + std::string(name) + " holds for the whole run: give it on the command line";
  } else {
    return id;
  }
  return std::nullopt;
}

void ReadJsonRequest(std::string_view line, Request& request) {
  RequestSax sax(request);
  nlohmann::json::sax_parse(line, &sax);
}

std::optional<std::vector<std::string>> SplitCsvLine(std::string_view line) {
  std::vector<std::string> cells(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c != '"') {
        cells.back().push_back(c);
      } else if (i + 1 < line.size() && line[i + 1] == '"') {
        cells.back().push_back('"');
        ++i;
      } else {
        quoted = false;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      cells.emplace_back();
    } else {
      cells.back().push_back(c);
    }
  }
  if (quoted) return std::nullopt;
  return cells;
}

std::optional<CsvHeader> ReadCsvHeader(std::string_view line, std::string& error) {
  const auto cells = SplitCsvLine(line);
  if (!cells) {
    error = "a quote is left open";
    return std::nullopt;
  }
  CsvHeader header;
  for (const std::string& cell : *cells) {
    std::string_view name = cell;
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    const std::optional<OptionId> id = RequestOptionNamed(name, error);
    if (!id) return std::nullopt;
    header.columns.push_back(*id);
  }
  return header;
}

void ReadCsvRequest(std::string_view line, const CsvHeader& header, Request& request) {
  const auto cells = SplitCsvLine(line);
  if (!cells) {
    request.error = "a quote is left open";
    return;
  }
  if (cells->size() != header.columns.size()) {
    request.error = std::to_string(cells->size()) + " cells where the header names " +
                    std::to_string(header.columns.size());
    return;
  }
  for (std::size_t i = 0; i < cells->size(); ++i) {
    if (!(*cells)[i].empty()) request.options.push_back({header.columns[i], (*cells)[i]});
  }
}

}  // namespace tov::tovcalc
