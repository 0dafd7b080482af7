#pragma once
// keld-size --pdf: the report as a PDF, laid out exactly as the report
// window prints it. Needs no display: the toolkit runs offscreen.

#include <string>

namespace keld::cli {

// Whether this build can write PDFs (it needs the desktop program's toolkit).
bool canWritePdf();

// Writes the report (CR LF line breaks) to `path`; false when it could not.
bool writePdf(const std::string& path, const std::string& report);

} // namespace keld::cli
