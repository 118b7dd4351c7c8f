#pragma once
// tovcalc --candidates: every candidate core of a request as a text table,
// JSON or CSV. Standard library only, whatever parses the command line.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/tovcalc/standard_output.h"
#include "engines/candidates.h"
#include "engines/design_request.h"
#include "state/core_table.h"

namespace tov::tovcalc {

enum class CandidateFormat { Table, Json, Csv };

struct CandidateOptions {
  CandidateScope scope;  // all four materials; no stack counts: the request's
  bool passing_only = false;
  // A column (a key of the JSON entries), "-" before it for descending; ties
  // and the empty key keep passing lines first, then material, stack, row.
  std::string sort;
  CandidateFormat format = CandidateFormat::Table;
  bool metric = false;  // wound sizes of the text table in millimetres
  // A request of a batch: the JSON is one line that starts with its "line".
  std::optional<long long> batch_line;
};

// The command-line options of a comparison as given.
struct CandidateArguments {
  bool candidates = false;  // --candidates
  std::optional<std::string> materials, stacks;
  bool passing = false;
  std::optional<std::string> sort;
  bool csv = false;
  bool json = false;
  bool metric = false;
  bool one_design = false;  // --core, --list or --save, which name or keep one design
};

// The comparison the arguments ask for (nullopt without --candidates) into
// `options`; an error text for the user when they do not fit together.
std::string ReadCandidateArguments(const CandidateArguments& arguments,
                                   std::optional<CandidateOptions>& options);

// "all", or a comma list of mpp, hf, velmax, velmax-e (case ignored), in the
// order given, each once. nullopt with `error` set for anything else.
std::optional<std::vector<Material>> ParseMaterialList(std::string_view text, std::string& error);

// Stack counts from 1 to 5: "2", "1-3", "1,4-5", in the order given, each
// once. nullopt with `error` set for anything else.
std::optional<std::vector<int16_t>> ParseStackList(std::string_view text, std::string& error);

// Whether --sort takes `key` ("-" before it allowed).
bool IsSortKey(std::string_view key);
// The keys --sort takes, for messages: "material, core_row, ...".
std::string SortKeys();

// A comparison evaluated: the candidates of a request (its inputs, options,
// material and stack count as the window holds them), filtered and in the
// order the options ask for, ready to be written.
class CandidateComparison {
 public:
  CandidateComparison(const DesignRequest& request, const CoreTable& cores,
                      const CandidateOptions& options);

  // 0: at least one candidate passes; 1: none does.
  int Status() const { return status_; }
  // What a design run would show in a box (also in the JSON).
  const tov::Notices& Notices() const { return set_.notices; }

  // The comparison in the chosen form, appended to `out`. The JSON is one
  // object {"request": {...}, "candidates": [...]} with numbers at full
  // precision; the CSV has the same columns, one line each, margins as
  // margin_<test>_value and margin_<test>_limit.
  void Write(std::string& out) const;
  // The same, row by row into the buffer of `out`, sent whenever it fills:
  // megabytes of text are never held at once.
  void Write(StandardOutput& out) const;

 private:
  void Write(std::string& out, StandardOutput* stream) const;

  DesignRequest request_;
  const CoreTable& cores_;
  CandidateOptions options_;
  CandidateSet set_;
  std::vector<std::size_t> order_;  // indexes of set_.candidates as written
  int status_ = 0;
};

class JsonWriter;

// One entry of the JSON: the candidate's columns, its failed tests and its
// margins. Allocates nothing but the room `json` writes into.
void WriteCandidateJson(JsonWriter& json, const Candidate& candidate, const CoreTable& cores);

// One line of the CSV, ended by a line break. Allocates nothing but the room
// `out` grows into.
void AppendCandidateCsv(std::string& out, const Candidate& candidate, const CoreTable& cores);

}  // namespace tov::tovcalc
