#include "single_run.h"

#include "json_output.h"
#include "pdf_output.h"
#include "report/report.h"

#include <ostream>

namespace keld::cli {
namespace {

// The report exactly as the report window shows it, its line breaks (CR LF)
// written as newlines.
std::string reportForTerminal(const std::string& report) {
    std::string out;
    out.reserve(report.size());
    for (std::size_t i = 0; i < report.size(); ++i) {
        if (report[i] == '\r' && i + 1 < report.size() && report[i + 1] == '\n') {
            continue;
        }
        out.push_back(report[i]);
    }
    return out;
}

// The report of a completed run, printed or written as a PDF; 2 when the
// template or the PDF file could not be used.
int report(const std::string& programFolder, const CaseRun& run, const SingleOptions& single,
           std::ostream& out, std::ostream& err) {
    MessageRecorder messages;
    std::optional<std::string> templatePath;
    if (!single.templateFile.empty()) {
        templatePath = single.templateFile;
    }
    const std::string text = buildReport(programFolder, run.sheet->record(), reportToday(),
                                         messages, nullptr, templatePath, &run.plan);
    for (const RecordedMessage& m : messages.messages) {
        err << "keld-size: " << m.text << "\n";
    }
    if (text.empty() && !messages.messages.empty()) {
        return 2;
    }
    if (single.pdfFile.empty()) {
        out << reportForTerminal(text);
    } else if (!writePdf(single.pdfFile, text,
                         {reportDocumentTitle(run.sheet->record()), single.paper == "a4" ? Paper::A4
                                                                    : single.paper == "letter"
                                                                        ? Paper::Letter
                                                                        : Paper::Locale})) {
        err << "keld-size: --pdf: could not write " << single.pdfFile << "\n";
        return 2;
    }
    return 0;
}

} // namespace

int runSingle(const Sheet& started, const std::string& programFolder, const std::string& file,
              const RunOptions& options, const SingleOptions& single, std::ostream& out,
              std::ostream& err) {
    if (!single.pdfFile.empty() && (single.json || !canWritePdf())) {
        err << (single.json ? "keld-size: --pdf takes no --json\n"
                            : "keld-size: --pdf: this build of keld-size cannot write PDF files\n");
        return 2;
    }
    const CaseRun run = runCase(started, file, options);
    if (!run.sheet) {
        err << "keld-size: " << run.error << "\n";
        return 2;
    }
    if (run.usage) {
        err << "keld-size: " << *run.usage << "\n";
        return 2;
    }
    if (single.json) {
        out << runToJson(run).dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
        return run.run.ok ? 0 : 1;
    }
    for (const RecordedMessage& m : run.run.messages) {
        err << m.text << "\n";
    }
    if (!run.run.ok) {
        return 1;
    }
    return report(programFolder, run, single, out, err);
}

} // namespace keld::cli
