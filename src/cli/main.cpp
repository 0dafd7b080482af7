// keld-size: sizes a saved case from the command line, as File, Open followed
// by Calculate would on the sheet.

#include "case_run.h"
#include "json_output.h"
#include "config/ini.h"
#include "report/report.h"
#include "text/number.h"

#include <CLI/CLI.hpp>

#include <clocale>
#include <cstdio>
#include <ctime>
#include <iostream>

namespace {

using namespace keld;


// Today in the user's language, as the report's date.
ReportDate today() {
    std::setlocale(LC_TIME, "");
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    ReportDate date;
    date.year = local.tm_year + 1900;
    date.month = local.tm_mon + 1;
    date.day = local.tm_mday;
    for (int m = 0; m < 12; ++m) {
        std::tm month{};
        month.tm_mon = m;
        char name[64];
        if (std::strftime(name, sizeof name, "%B", &month) > 0) {
            date.monthNames[static_cast<std::size_t>(m)] = name;
        }
    }
    return date;
}

// The report as the report window shows it, its line breaks as newlines.
std::string reportForTerminal(const std::string& report) {
    std::string out;
    out.reserve(report.size());
    for (std::size_t i = 0; i < report.size(); ++i) {
        if (report[i] == '\r' && i + 1 < report.size() && report[i + 1] == '\n') {
            continue;
        }
        out.push_back(report[i] == '\r' ? '\n' : report[i]);
    }
    if (!out.empty() && out.back() != '\n') {
        out.push_back('\n');
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"Sizes a saved air-cooled heat exchanger case (a project file) as the "
                 "calculation sheet would: File, Open, then Calculate.",
                 "keld-size"};
    std::string file;
    bool json = false;
    bool autoRows = false;
    std::string price;
    std::string templateFile;
    app.add_option("PROJECTFILE", file, "Project file (.ini) to size")->required();
    app.add_flag("--json", json, "Print the run as one JSON object: ok, messages, case");
    app.add_flag("--auto-rows", autoRows,
                 "Let the sizing choose the number of tube rows instead of the file's");
    app.add_option("--price", price, "Use this price in US dollars instead of the estimate");
    app.add_option("--template", templateFile,
                   "Print the report with this template instead of the configured one");
    app.set_version_flag("--version", std::string("keld-size ") + KELD_VERSION);
    app.footer("Exit status: 0 the calculation completed, 1 a check or stage stopped it (its "
               "message on standard error), 2 a usage error or a file that cannot be read or "
               "applied.");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return e.get_exit_code() == 0 ? code : 2;
    }

    cli::RunOptions options;
    options.autoRows = autoRows;
    if (app.count("--price") > 0) {
        const std::optional<double> p = readNumber(price);
        if (price.empty() || !p || *p <= 0) {
            std::cerr << "keld-size: --price: Enter KELD Price > 0\n";
            return 2;
        }
        options.price = *p;
    }

    cli::LoadError error;
    std::optional<cli::LoadedCase> loaded = cli::loadCase(file, options, error);
    if (!loaded) {
        std::cerr << "keld-size: " << error.message << "\n";
        return 2;
    }
    const cli::RunResult run = cli::calculate(*loaded);
    if (json) {
        std::cout << cli::runToJson(run, loaded->record)
                         .dump(2, ' ', false, nlohmann::json::error_handler_t::replace)
                  << "\n";
    } else {
        for (const cli::RecordedMessage& m : run.messages) {
            std::cerr << m.text << "\n";
        }
        if (run.ok) {
            cli::MessageRecorder reportMessages;
            std::optional<std::string> templatePath;
            if (!templateFile.empty()) {
                templatePath = templateFile;
            }
            const std::string report = buildReport(executableFolder(), loaded->record, today(),
                                                   reportMessages, nullptr, templatePath);
            for (const cli::RecordedMessage& m : reportMessages.messages) {
                std::cerr << "keld-size: " << m.text << "\n";
            }
            if (report.empty() && !reportMessages.messages.empty()) {
                return 2;
            }
            std::cout << reportForTerminal(report);
        }
    }
    return run.ok ? 0 : 1;
}
