#pragma once
// keld-size --pdf: the report as a PDF, laid out exactly as the report
// window prints it. Needs no display: the toolkit runs offscreen.

#include <string>

namespace keld::cli {

// Whether this build can write PDFs (it needs the desktop program's toolkit).
bool canWritePdf();

// The paper of the PDF's pages: that of the user's locale (Letter in the
// United States, A4 elsewhere), or the one chosen.
enum class Paper { Locale, A4, Letter };

struct PdfDocument {
    std::string title; // the document's title (PDF metadata)
    Paper paper = Paper::Locale;
};

// Writes the report (CR LF line breaks) to `path`; false when it could not.
bool writePdf(const std::string& path, const std::string& report, const PdfDocument& document = {});

} // namespace keld::cli
