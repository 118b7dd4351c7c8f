#include "app/tovcalc/batch_run.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "app/tovcalc/line_reader.h"
#include "app/tovcalc/sweep.h"

namespace tov::tovcalc {
namespace {

void Error(const std::string& text) {
  const std::string line = "tovcalc: " + text + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
}

// Where the requests come from: the lines of the batch file, or one empty
// request when there is none.
class RequestSource {
 public:
  // nullopt after Error() when the file cannot be opened.
  static std::unique_ptr<RequestSource> Open(const std::optional<std::string>& batch) {
    auto source = std::unique_ptr<RequestSource>(new RequestSource);
    if (!batch) return source;
    source->name_ = *batch == "-" ? "standard input" : *batch;
    const int fd = *batch == "-" ? STDIN_FILENO : ::open(batch->c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      Error("The batch file " + *batch + " cannot be read: " + std::strerror(errno) + ".");
      return nullptr;
    }
    source->reader_.emplace(fd);
    return source;
  }

  // The next request; false after the last one. A CSV header that names
  // an unknown option is a fatal error (HeaderError).
  bool Next(Request& request) {
    request = Request{};
    if (!reader_) {
      if (single_done_) return false;
      single_done_ = true;
      request.line = 1;
      return true;
    }
    std::string line;
    bool too_long = false;
    while (reader_->Next(line, too_long)) {
      ++line_number_;
      if (line_number_ == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
      if (line.find_first_not_of(" \t") == std::string::npos) continue;
      if (!format_known_) {
        format_known_ = true;
        json_ = line[line.find_first_not_of(" \t")] == '{';
        if (!json_) {
          std::string error;
          header_ = ReadCsvHeader(line, error);
          if (!header_) {
            header_error_ = name_ + " line " + std::to_string(line_number_) +
                            ": the CSV header names " + error + ".";
            return false;
          }
          continue;
        }
      }
      request.line = line_number_;
      if (too_long) {
        request.error =
            "the line is longer than " + std::to_string(LineReader::kMaxLine) + " bytes";
      } else if (json_) {
        ReadJsonRequest(line, request);
      } else {
        ReadCsvRequest(line, *header_, request);
      }
      return true;
    }
    if (!reader_->Failure().empty()) read_error_ = name_ + ": " + reader_->Failure() + ".";
    return false;
  }

  const std::string& HeaderError() const { return header_error_; }
  const std::string& ReadError() const { return read_error_; }
  bool Streams() const { return name_ == "standard input"; }

 private:
  RequestSource() = default;
  std::optional<LineReader> reader_;
  std::string name_;
  long long line_number_ = 0;
  bool single_done_ = false;
  bool format_known_ = false;
  bool json_ = false;
  std::optional<CsvHeader> header_;
  std::string header_error_;
  std::string read_error_;
};

}  // namespace

int RunBatch(const Settings& settings, const GivenOptions& given, RequestAction& action,
             StandardOutput& out) {
  std::vector<SweepAxis> axes;
  for (const std::string& text : settings.sweeps) {
    std::string error;
    std::optional<SweepAxis> axis = SweepAxis::Parse(text, error);
    if (!axis) {
      Error(error + "\nTry 'tovcalc --help'.");
      return kUsageError;
    }
    axes.push_back(std::move(*axis));
  }
  std::string error;
  const std::optional<SweepProduct> sweeps = SweepProduct::Of(std::move(axes), error);
  if (!sweeps) {
    Error(error + "\nTry 'tovcalc --help'.");
    return kUsageError;
  }
  const std::unique_ptr<RequestSource> source = RequestSource::Open(settings.batch);
  if (!source) return kUnreadableFile;

  bool any_too_large = false, any_refused = false, any_failed = false;
  bool header_written = false;
  long long number = 0;
  Request request;
  std::vector<RequestOption> options;
  while (source->Next(request)) {
    if (!header_written) {
      action.Header(out.Buffer());
      header_written = true;
    }
    for (uint64_t c = 0; c < sweeps->Count(); ++c) {
      ++number;
      const long long line = settings.batch ? request.line : number;
      GivenOptions merged = given;
      options = request.options;
      std::string refusal = request.error;
      // A sweep of an option the request sets refuses the request, which
      // is echoed with its own value.
      for (auto& [id, text] : sweeps->Combination(c)) {
        const OptionId swept = id;
        const auto own =
            std::find_if(request.options.begin(), request.options.end(),
                         [swept](const auto& o) { return SetsSameOption(o.id, swept); });
        if (own == request.options.end()) {
          options.push_back({swept, std::move(text)});
        } else if (refusal.empty()) {
          refusal = "the request sets --" + std::string(EntryOf(own->id).name) +
                    ", which a --sweep sets too; give it in one place";
        }
      }
      std::stable_sort(options.begin(), options.end(), [](const auto& a, const auto& b) {
        return EntryOf(a.id).name < EntryOf(b.id).name;
      });
      for (const RequestOption& option : options) {
        if (!refusal.empty()) break;
        refusal = ApplyRequestOption(merged, option);
      }
      const BatchItem item{line, merged, options};
      int status = kUsageError;
      SettingsOrError read;
      if (refusal.empty()) {
        read = ReadSettings(merged);
        refusal = read.error;
      }
      if (!refusal.empty()) {
        action.Refused(out.Buffer(), item, status, refusal);
      } else {
        status = action.Run(out.Buffer(), item, *read.settings);
      }
      any_refused = any_refused || status == kUsageError || status == kUnreadableFile;
      any_too_large = any_too_large || status == kTooLarge;
      any_failed = any_failed || status == kRequirementFailed;
      out.FlushIfFull();
      if (source->Streams()) out.Flush();
      if (!out.Failure().empty()) return kUnreadableFile;
    }
  }
  if (!source->HeaderError().empty()) {
    Error(source->HeaderError());
    return kUsageError;
  }
  if (!header_written) action.Header(out.Buffer());
  if (!source->ReadError().empty()) {
    Error("The batch could not be read to its end: " + source->ReadError());
    return kUnreadableFile;
  }
  if (any_refused) return kUsageError;
  if (any_too_large) return kTooLarge;
  return any_failed ? kRequirementFailed : kDesignShown;
}

}  // namespace tov::tovcalc
