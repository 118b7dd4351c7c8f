// tovcalc: the inductor design of the desktop program from the command line.

#include <QCoreApplication>
#include <cstdio>
#include <string>

#include "app/tovcalc/command_line.h"
#include "app/tovcalc/run.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const tov::tovcalc::ParsedCommandLine parsed =
      tov::tovcalc::ParseCommandLine(QCoreApplication::arguments());
  if (!parsed.settings) {
    if (!parsed.help_text.empty()) {
      std::fputs(parsed.help_text.c_str(), stdout);
      return tov::tovcalc::kDesignShown;
    }
    std::fprintf(stderr, "tovcalc: %s\nTry 'tovcalc --help'.\n", parsed.error.c_str());
    return tov::tovcalc::kUsageError;
  }
  return tov::tovcalc::Run(*parsed.settings, QCoreApplication::applicationDirPath().toStdString());
}
