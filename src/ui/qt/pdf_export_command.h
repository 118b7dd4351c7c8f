#pragma once
// tovdesign --export-pdf OUT.pdf DESIGN.tov: designs the file as Open Design
// does and writes the design's PDF, showing no window and needing no display.

#include <QString>
#include <filesystem>
#include <string>

#include "state/core_table.h"

namespace tov::qt {

// Exit statuses of the export.
enum PdfExportStatus : int {
  kPdfWritten = 0,
  kPdfOfTooLarge = 1,      // written, but the search found no core large enough
  kPdfUsageError = 2,      // a bad command line, or inputs the window would ask for again
  kPdfUnreadableFile = 3,  // the core database or the design file could not be read, or
                           // the PDF could not be written
};

// Whether the command line asks for the export (then no window is shown).
bool AsksForPdfExport(int argc, char** argv);

// Where the program finds a data file `name` of its own, given the program's folder.
using DataLocator = std::filesystem::path (*)(const std::filesystem::path& program_dir,
                                              const std::string& name);

// The whole export with an application of its own on the offscreen platform:
// reads the command line, the core database where `locate` finds it (as the
// window does) and the design file; messages go to standard error as
// "Title: text". Returns the exit status.
int RunPdfExport(int argc, char** argv, DataLocator locate);

// The export on `cores` in a running application: opens `design_path` as Open
// Design does and writes the PDF to `pdf_path` (both file names as bytes).
int ExportDesignPdf(const CoreTable& cores, const std::string& design_path,
                    const std::filesystem::path& pdf_path);

}  // namespace tov::qt
