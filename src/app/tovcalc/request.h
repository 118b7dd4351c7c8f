#pragma once
// The requests of a batch: each names some options, by their long names,
// with the texts they take; every other option keeps the value the command
// line gave it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/tovcalc/command_line.h"

namespace tov::tovcalc {

struct RequestOption {
  OptionId id;
  std::string text;  // an option without a value takes true or false (also 1/0, yes/no)
};

struct Request {
  long long line = 0;  // of the batch file (1-based), or the request's number
  std::vector<RequestOption> options;
  std::string error;  // set when the line cannot be read as a request
};

// The truth value of an option without a value: true, 1, yes, on or false,
// 0, no, off, in any case; nullopt for any other text.
std::optional<bool> ParseTruth(std::string_view text);

// Sets the request's option on top of the given ones: a value replaces the
// option's value; an option without a value is given (true) or taken away
// (false), and a check mark's opposite option goes the other way. Returns
// why the option cannot be set, or the empty text.
std::string ApplyRequestOption(GivenOptions& given, const RequestOption& option);

// Whether options `a` and `b` set the same thing: the same option, or a
// check mark's two options (--single-layer and --no-single-layer).
bool SetsSameOption(OptionId a, OptionId b);

// The option a request may name, or why it may not ("unknown option ...").
std::optional<OptionId> RequestOptionNamed(std::string_view name, std::string& error);

// One line of JSON requests: an object whose members are options, each a
// text, a number (taken as written), true or false; null leaves it out.
void ReadJsonRequest(std::string_view line, Request& request);

// CSV requests: the header line names the options of the columns; each
// following line holds one request, an empty cell leaving its option out.
// Cells may be quoted ("a,b", "say ""x""").
struct CsvHeader {
  std::vector<OptionId> columns;
};
std::optional<CsvHeader> ReadCsvHeader(std::string_view line, std::string& error);
void ReadCsvRequest(std::string_view line, const CsvHeader& header, Request& request);

// The cells of one CSV line; nullopt when a quote is left open.
std::optional<std::vector<std::string>> SplitCsvLine(std::string_view line);

}  // namespace tov::tovcalc
