#pragma once
// The batch's design lines: one JSON object (the object a single run prints,
// with the request's line and options) or one CSV line per request.

#include "app/tovcalc/batch_run.h"
#include "app/tovcalc/run.h"

namespace tov::tovcalc {

class DesignJsonLines : public RequestAction {
 public:
  DesignJsonLines(const CoreTable& cores, const DesignFileRecord* design_file)
      : designer_(cores, design_file, false) {}
  void Header(std::string&) override {}
  void Refused(std::string& out, const BatchItem& item, int status,
               const std::string& error) override;
  int Run(std::string& out, const BatchItem& item, const Settings& settings) override;
  // The line of a refused request: its error, line, request and status.
  static void WriteRefusal(std::string& out, const BatchItem& item, int status,
                           const std::string& error);

 private:
  Designer designer_;
};

// --candidates for each request: its comparison as one JSON line.
class CandidateJsonLines : public RequestAction {
 public:
  CandidateJsonLines(const CoreTable& cores, const DesignFileRecord* design_file,
                     const CandidateOptions& options)
      : cores_(cores), designer_(cores, design_file, false), options_(options) {}
  void Header(std::string&) override {}
  void Refused(std::string& out, const BatchItem& item, int status,
               const std::string& error) override;
  int Run(std::string& out, const BatchItem& item, const Settings& settings) override;

 private:
  const CoreTable& cores_;
  Designer designer_;
  CandidateOptions options_;
};

class DesignCsvLines : public RequestAction {
 public:
  DesignCsvLines(const CoreTable& cores, const DesignFileRecord* design_file)
      : designer_(cores, design_file, false) {}
  void Header(std::string& out) override;
  void Refused(std::string& out, const BatchItem& item, int status,
               const std::string& error) override;
  int Run(std::string& out, const BatchItem& item, const Settings& settings) override;

 private:
  Designer designer_;
};

}  // namespace tov::tovcalc
