// A whole batch file on any bytes, read as tovcalc reads one, with a sweep of
// the ambient temperature when the first byte is odd. The lines are counted
// independently (LF, CR LF and CR end a line; blank lines are skipped; a
// first line that does not open a JSON object is the CSV header): every
// request line gives one output item per sweep value, in order, under its
// own line number; a refused item echoes the options it was given; a request
// that runs carries only values within their ranges.

#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/tovcalc/batch_run.h"
#include "fuzz_checks.h"

namespace {

using namespace tov::tovcalc;

struct Item {
  long long line;
  bool refused;
  std::vector<RequestOption> options;
};

// Records each request instead of designing it, and checks what a design would get.
class Recorder : public RequestAction {
 public:
  explicit Recorder(std::string_view input) : input_(input) {}
  std::vector<Item> items;

  void Header(std::string&) override {}
  void Refused(std::string&, const BatchItem& item, int status, const std::string& error) override {
    if (status != kUsageError || error.empty())
      tov::fuzz::Fail("a refusal without a reason", input_);
    items.push_back({item.line, true, item.options});
  }
  int Run(std::string&, const BatchItem& item, const Settings& s) override {
    if (s.stack && (*s.stack < 1 || *s.stack > 5)) tov::fuzz::Fail("stack count", input_);
    if (s.ambient && !(*s.ambient > -234.5f && std::isfinite(*s.ambient))) {  // copper at 0 ohm
      tov::fuzz::Fail("ambient", input_);
    }
    if (s.al_tolerance && !(*s.al_tolerance >= -99 && *s.al_tolerance <= 0)) {
      tov::fuzz::Fail("AL tolerance", input_);
    }
    if (s.list || s.save || s.spice || s.coredat || s.curve)
      tov::fuzz::Fail("a run-wide option", input_);
    items.push_back({item.line, false, item.options});
    return kDesignShown;
  }

 private:
  std::string_view input_;
};

// The request lines' numbers, counted without the program's line reader.
std::vector<long long> RequestLines(std::string_view text, bool& csv) {
  std::vector<std::string_view> lines;
  std::size_t begin = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n' && text[i] != '\r') continue;
    lines.push_back(text.substr(begin, i - begin));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    begin = i + 1;
  }
  if (begin < text.size()) lines.push_back(text.substr(begin));
  if (!lines.empty() && lines[0].starts_with("\xEF\xBB\xBF")) lines[0].remove_prefix(3);
  std::vector<long long> numbers;
  bool first = true;
  csv = false;
  for (std::size_t n = 0; n < lines.size(); ++n) {
    const std::size_t content = lines[n].find_first_not_of(" \t");
    if (content == std::string_view::npos) continue;
    if (first) {
      first = false;
      csv = lines[n][content] != '{';
      if (csv) continue;
    }
    numbers.push_back(static_cast<long long>(n) + 1);
  }
  return numbers;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const int fd = memfd_create("batch", 0);
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const bool swept = size > 0 && (data[0] & 1) != 0;
  if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) return 0;

  GivenOptions given;
  Settings settings;
  settings.batch = "/proc/self/fd/" + std::to_string(fd);
  if (swept) settings.sweeps = {"ambient=20,30.5"};
  Recorder recorder(input);
  StandardOutput out;
  const int status = RunBatch(settings, given, recorder, out);

  bool csv = false;
  const std::vector<long long> lines = RequestLines(input, csv);
  const std::size_t per_line = swept ? 2 : 1;
  if (recorder.items.empty() && csv && status == kUsageError) return 0;  // a bad header
  if (recorder.items.size() != lines.size() * per_line) tov::fuzz::Fail("items per line", input);
  bool any_refused = false;
  for (std::size_t i = 0; i < recorder.items.size(); ++i) {
    const Item& item = recorder.items[i];
    if (item.line != lines[i / per_line]) tov::fuzz::Fail("an item under another line", input);
    any_refused = any_refused || item.refused;
    std::vector<std::string> ambient;
    for (const RequestOption& option : item.options) {
      if (option.id == OptionId::Ambient) ambient.push_back(option.text);
    }
    if (swept && ambient.empty()) tov::fuzz::Fail("the sweep's value not echoed", input);
    if (swept && !item.refused && ambient != std::vector<std::string>{i % 2 == 0 ? "20" : "30.5"}) {
      tov::fuzz::Fail("a request that sets what the sweep sets designed", input);
    }
  }
  if (status != (any_refused ? kUsageError : kDesignShown)) tov::fuzz::Fail("exit status", input);
  return 0;
}
