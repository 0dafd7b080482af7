#pragma once
// keld-size with one file: the report the window would show, printed here,
// written as a PDF, or the run as one JSON object.

#include "case_run.h"

#include <iosfwd>
#include <string>

namespace keld::cli {

struct SingleOptions {
    bool json = false;
    std::string templateFile; // the report's template instead of the configured one
    std::string pdfFile;      // write the report here instead of printing it
    std::string paper;        // of the PDF: "a4", "letter" or empty for the locale's
};

// The exit status: 0 the calculation completed, 1 a check or stage stopped
// it, 2 a file or option that cannot be used.
int runSingle(const Sheet& started, const std::string& programFolder, const std::string& file,
              const RunOptions& options, const SingleOptions& single, std::ostream& out,
              std::ostream& err);

} // namespace keld::cli
