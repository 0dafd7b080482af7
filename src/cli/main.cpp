// keld-size: sizes a saved case from the command line, as File, Open followed
// by Calculate would on the sheet.

#include "batch.h"
#include "case_run.h"
#include "catalogue/catalogue.h"
#include "config/ini.h"
#include "json_output.h"
#include "pdf_output.h"
#include "planning/sweep_table.h"
#include "report/report.h"
#include "sweep.h"
#include "text/number.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <optional>
#include <string_view>
#include <thread>

namespace {

using namespace keld;

// The time that SOURCE_DATE_EPOCH fixes for reproducible output: a decimal
// count of seconds since 1970-01-01 UTC. None when it is unset or no such count.
std::optional<std::time_t> sourceDateEpoch() {
    const char* text = std::getenv("SOURCE_DATE_EPOCH");
    const std::string_view digits = text ? text : "";
    std::time_t seconds = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), seconds);
    if (digits.empty() || digits.front() == '-' || error != std::errc() ||
        end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return seconds;
}

// Today in the user's language, as the report's date; the day of
// SOURCE_DATE_EPOCH in UTC when that is set.
ReportDate today() {
    std::setlocale(LC_TIME, "");
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (const std::optional<std::time_t> fixed = sourceDateEpoch();
        !(fixed && gmtime_r(&*fixed, &local))) {
        localtime_r(&now, &local);
    }
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

// The planning options of a case, or nothing after their message (with the
// file's name before it when a plant list is sized).
std::optional<planning::Options> planFor(const Sheet& sheet, const cli::RunOptions& options,
                                         const std::string& where = {}) {
    const planning::OptionsOrMessage plan = cli::planningOptions(sheet, options);
    if (plan.message) {
        std::cerr << "keld-size: " << (where.empty() ? "" : where + ": ") << *plan.message << "\n";
        return std::nullopt;
    }
    return plan.options;
}

// A plant list: one summary row per file.
int runBatch(const Sheet& started, const std::vector<std::string>& files,
             const cli::RunOptions& options, bool json, bool csv, Units units) {
    if (json) {
        nlohmann::ordered_json all = nlohmann::ordered_json::array();
        int status = 0;
        for (const std::string& file : files) {
            cli::LoadError error;
            std::optional<Sheet> sheet = cli::loadCase(started, file, options, error);
            if (!sheet) {
                all.push_back({{"file", file}, {"ok", false}, {"messages", {error.message}}});
                status = 2;
                continue;
            }
            const std::optional<planning::Options> plan = planFor(*sheet, options, file);
            if (!plan) {
                return 2;
            }
            const cli::RunResult run = cli::calculate(*sheet);
            const planning::Figures figures = planning::figuresOf(sheet->record(), *plan);
            nlohmann::ordered_json one = {{"file", file}};
            one.update(cli::runToJson(run, sheet->record(), run.ok ? &figures : nullptr));
            all.push_back(std::move(one));
            if (!run.ok && status == 0) {
                status = 1;
            }
        }
        std::cout << all.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
        return status;
    }
    std::vector<cli::BatchRow> rows;
    rows.reserve(files.size());
    int status = 0;
    for (const std::string& file : files) {
        rows.push_back(cli::sizeFile(started, file, options));
        if (!rows.back().usage.empty()) {
            std::cerr << "keld-size: " << file << ": " << rows.back().usage << "\n";
            return 2;
        }
        if (!rows.back().loaded) {
            status = 2;
        } else if (!rows.back().ok && status == 0) {
            status = 1;
        }
    }
    std::cout << (csv ? cli::batchCsv(rows, units) : cli::batchText(rows, units));
    return status;
}

// One case over rows, tube lengths and materials, the best first.
int runSweep(const Sheet& started, const std::string& file, cli::RunOptions options,
             const std::string& lengthText, const std::vector<std::size_t>& chosen, bool csv,
             Units units, planning::Rank rank) {
    options.autoRows = false;
    cli::LoadError error;
    std::optional<Sheet> sheet = cli::loadCase(started, file, options, error);
    if (!sheet) {
        std::cerr << "keld-size: " << error.message << "\n";
        return 2;
    }
    planning::SweepRequest request;
    if (lengthText.empty()) {
        request.lengths = planning::defaultLengths(isTrue(sheet->record().ENGLISH));
    } else {
        std::string message;
        std::optional<std::vector<double>> parsed = cli::parseLengths(lengthText, message);
        if (!parsed) {
            std::cerr << "keld-size: " << message << "\n";
            return 2;
        }
        request.lengths = std::move(*parsed);
    }
    const std::optional<planning::Options> plan = planFor(*sheet, options);
    if (!plan) {
        return 2;
    }
    request.materials = chosen;
    request.options = *plan;
    request.rank = rank;
    request.threads = std::max(1U, std::thread::hardware_concurrency());
    const planning::SweepResult result = planning::sweep(*sheet, request);
    std::cout << (csv ? planning::sweepCsv(result, units) : planning::sweepText(result, units));
    return result.ranked.empty() ? 1 : 0;
}

// "--materials": all, or names of the list (checked and spelt as the list
// spells them by the option's validator).
std::vector<std::size_t> materialPositions(const std::vector<std::string>& names) {
    std::vector<std::size_t> chosen;
    for (const std::string& name : names) {
        if (name == "all") {
            chosen.clear();
            for (std::size_t m = 0; m < materials().size(); ++m) {
                chosen.push_back(m);
            }
            return chosen;
        }
        if (const std::optional<std::size_t> m = findMaterial(name)) {
            chosen.push_back(*m);
        }
    }
    return chosen;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"Sizes a saved air-cooled heat exchanger case (a project file) as the "
                 "calculation sheet would: File, Open, then Calculate.",
                 "keld-size"};
    std::vector<std::string> files;
    bool json = false;
    bool summary = false;
    bool csv = false;
    bool doSweep = false;
    std::string units = "english";
    std::string lengths;
    std::vector<std::string> materialNames;
    bool autoRows = false;
    std::string price;
    std::string templateFile;
    std::string pdfFile;
    std::string paper;
    std::string rank = "price";
    // Fans, noise and the cost of ownership, in each file's units.
    double tipSpeed = 0;
    double noiseDistance = 0;
    double energyPrice = 0;
    double hours = 0;
    double years = 0;
    double rate = 0;
    app.add_option("PROJECTFILE", files, "Project file(s) (.ini) to size")->required();
    app.add_flag("--json", json, "Print the run as one JSON object: ok, messages, case");
    app.add_flag("--auto-rows", autoRows,
                 "Let the sizing choose the number of tube rows instead of the file's");
    app.add_option("--price", price, "Use this price in US dollars instead of the estimate");
    app.add_option("--template", templateFile,
                   "Print the report with this template instead of the configured one");
    app.add_option("--pdf", pdfFile,
                   "Write the report to this PDF file, laid out as the desktop program prints "
                   "it, instead of printing it here");
    app.add_option("--paper", paper,
                   "Paper of the PDF: a4 or letter (default: the locale's, Letter in the United "
                   "States, A4 elsewhere)")
        ->transform(CLI::IsMember({"a4", "letter"}, CLI::ignore_case));
    app.add_flag("--summary", summary, "One summary table of the files (several files imply it)");
    app.add_flag("--csv", csv, "Write the summary or the sweep as CSV, numbers in full precision");
    app.add_option("--units", units, "Units of the summary or sweep: english or metric")
        ->check(CLI::IsMember({"english", "metric"}, CLI::ignore_case));
    app.add_flag("--sweep", doSweep,
                 "Size the one file for rows 3 to 10 and every tube length, cheapest first");
    app.add_option("--lengths", lengths,
                   "Tube lengths of the sweep, in the file's units: FROM:TO:STEP or a list "
                   "(default 8:60:2 ft, 2.5:18:0.5 m)");
    std::vector<std::string> materialList = {"all"};
    for (const Material& m : materials()) {
        materialList.emplace_back(m.name);
    }
    app.add_option("--materials", materialNames,
                   "Materials of the sweep: all, or names separated by commas (default: the "
                   "file's)")
        ->delimiter(',')
        ->check(CLI::IsMember(materialList, CLI::ignore_case));
    app.add_option("--rank", rank,
                   "What the sweep ranks by: price, evaluated (price and the present value of "
                   "the fan energy) or noise (sound pressure at the listener)")
        ->check(CLI::IsMember({"price", "evaluated", "noise"}, CLI::ignore_case));
    app.add_option("--tip-speed", tipSpeed,
                   "Fan tip speed in the file's units, ft/min or m/s (default 10000 ft/min, "
                   "50.8 m/s; at most 12000 ft/min, 61 m/s)");
    app.add_option("--noise-distance", noiseDistance,
                   "Distance from the fans to the listener in the file's units, ft or m "
                   "(default 100 ft, 30 m)");
    app.add_option("--energy-price", energyPrice, "Energy price in US$ per kWh (default 0.10)");
    app.add_option("--hours", hours, "Running hours per year (default 8000)");
    app.add_option("--years", years, "Years of operation for the cost of ownership (default 10)");
    app.add_option("--rate", rate, "Discount rate as a fraction (default 0.08 for 8 %)");
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
    const std::pair<const char*, double*> planningFlags[] = {{"--tip-speed", &tipSpeed},
                                                             {"--noise-distance", &noiseDistance},
                                                             {"--energy-price", &energyPrice},
                                                             {"--hours", &hours},
                                                             {"--years", &years},
                                                             {"--rate", &rate}};
    std::optional<double>* const given[] = {&options.planning.tipSpeed,
                                            &options.planning.distance,
                                            &options.planning.energyPricePerKwh,
                                            &options.planning.hoursPerYear,
                                            &options.planning.years,
                                            &options.planning.rate};
    for (std::size_t i = 0; i < std::size(planningFlags); ++i) {
        if (app.count(planningFlags[i].first) > 0) {
            *given[i] = *planningFlags[i].second;
        }
    }
    if (app.count("--price") > 0) {
        const std::optional<double> p = readNumber(price);
        if (price.empty() || !p || *p <= 0) {
            std::cerr << "keld-size: --price: Enter KELD Price > 0\n";
            return 2;
        }
        options.price = *p;
    }

    // The option's check spells the unit system in lower case.
    const Units tableUnits = units == "metric" ? Units::Metric : Units::English;
    cli::MessageRecorder startMessages;
    const Sheet started = cli::startedSheet(executableFolder(), startMessages);
    for (const cli::RecordedMessage& m : startMessages.messages) {
        std::cerr << "keld-size: " << m.text << "\n";
    }
    if (!pdfFile.empty() &&
        (doSweep || files.size() > 1 || summary || csv || app.count("--units") > 0)) {
        std::cerr << "keld-size: --pdf takes one project file, no table\n";
        return 2;
    }
    if (!paper.empty() && pdfFile.empty()) {
        std::cerr << "keld-size: --paper belongs to --pdf\n";
        return 2;
    }
    if (doSweep) {
        if (files.size() != 1 || json) {
            std::cerr << "keld-size: --sweep takes one project file and no --json\n";
            return 2;
        }
        const planning::Rank ranking = rank == "evaluated" ? planning::Rank::Evaluated
                                       : rank == "noise"   ? planning::Rank::Noise
                                                           : planning::Rank::Price;
        return runSweep(started, files[0], options, lengths, materialPositions(materialNames), csv,
                        tableUnits, ranking);
    }
    if (!lengths.empty() || !materialNames.empty() || app.count("--rank") > 0) {
        std::cerr << "keld-size: --lengths, --materials and --rank belong to --sweep\n";
        return 2;
    }
    if (files.size() > 1 || summary || csv || app.count("--units") > 0) {
        return runBatch(started, files, options, json, csv, tableUnits);
    }

    if (!pdfFile.empty() && (json || !cli::canWritePdf())) {
        std::cerr << (json ? "keld-size: --pdf takes no --json\n"
                           : "keld-size: --pdf: this build of keld-size cannot write PDF files\n");
        return 2;
    }
    const std::string& file = files[0];
    cli::LoadError error;
    std::optional<Sheet> sheet = cli::loadCase(started, file, options, error);
    if (!sheet) {
        std::cerr << "keld-size: " << error.message << "\n";
        return 2;
    }
    const std::optional<planning::Options> plan = planFor(*sheet, options);
    if (!plan) {
        return 2;
    }
    const cli::RunResult run = cli::calculate(*sheet);
    const planning::Figures figures = planning::figuresOf(sheet->record(), *plan);
    if (json) {
        std::cout << cli::runToJson(run, sheet->record(), run.ok ? &figures : nullptr)
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
            const std::string report = buildReport(executableFolder(), sheet->record(), today(),
                                                   reportMessages, nullptr, templatePath, &figures);
            for (const cli::RecordedMessage& m : reportMessages.messages) {
                std::cerr << "keld-size: " << m.text << "\n";
            }
            if (report.empty() && !reportMessages.messages.empty()) {
                return 2;
            }
            if (!pdfFile.empty()) {
                const cli::Paper sheets = paper == "a4"       ? cli::Paper::A4
                                          : paper == "letter" ? cli::Paper::Letter
                                                              : cli::Paper::Locale;
                if (!cli::writePdf(pdfFile, report,
                                   {reportDocumentTitle(sheet->record()), sheets})) {
                    std::cerr << "keld-size: --pdf: could not write " << pdfFile << "\n";
                    return 2;
                }
            } else {
                std::cout << reportForTerminal(report);
            }
        }
    }
    return run.ok ? 0 : 1;
}
