// keld-size: sizes a saved case from the command line, as File, Open followed
// by Calculate would on the sheet. Here are the command line and the
// dispatch; the runs are in batch, sweep and single_run.

#include "batch.h"
#include "case_run.h"
#include "config/ini.h"
#include "json_output.h"
#include "planning_flags.h"
#include "single_run.h"
#include "sweep.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <iostream>
#include <string_view>

namespace {

using namespace keld;

int usage(const char* text) {
    std::cerr << "keld-size: " << text << "\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"Sizes a saved air-cooled heat exchanger case (a project file) as the "
                 "calculation sheet would: File, Open, then Calculate.",
                 "keld-size"};
    std::vector<std::string> files;
    bool summary = false;
    std::string units = "english";
    std::string rank = "price";
    std::string price;
    std::vector<std::string> materialNames;
    cli::RunOptions options;
    cli::SingleOptions single;
    cli::SweepOptions sweep;
    cli::PlanningFlags planningFlags;
    bool doSweep = false;
    app.add_option("PROJECTFILE", files, "Project file(s) (.ini) to size")->required();
    app.add_flag("--json", single.json, "Print the run as one JSON object: ok, messages, case");
    app.add_flag("--auto-rows", options.autoRows,
                 "Let the sizing choose the number of tube rows instead of the file's");
    app.add_option("--price", price, "Use this price in US dollars instead of the estimate");
    app.add_option("--template", single.templateFile,
                   "Print the report with this template instead of the configured one");
    app.add_option("--pdf", single.pdfFile,
                   "Write the report to this PDF file, laid out as the desktop program prints "
                   "it, instead of printing it here");
    app.add_option("--paper", single.paper,
                   "Paper of the PDF: a4 or letter (default: the locale's, Letter in the United "
                   "States, A4 elsewhere)")
        ->transform(CLI::IsMember({"a4", "letter"}, CLI::ignore_case));
    app.add_flag("--summary", summary, "One summary table of the files (several files imply it)");
    app.add_flag("--csv", sweep.csv,
                 "Write the summary or the sweep as CSV, numbers in full precision");
    app.add_option("--units", units, "Units of the summary or sweep: english or metric")
        ->transform(CLI::IsMember({"english", "metric"}, CLI::ignore_case));
    app.add_flag("--sweep", doSweep,
                 "Size the one file for rows 3 to 10 and every tube length, cheapest first");
    app.add_option("--lengths", sweep.lengths,
                   "Tube lengths of the sweep, in the file's units: FROM:TO:STEP or a list "
                   "(default 8:60:2 ft, 2.5:18:0.5 m)");
    app.add_option("--materials", materialNames,
                   "Materials of the sweep: all, or names separated by commas (default: the "
                   "file's)")
        ->delimiter(',')
        ->transform(CLI::IsMember(cli::materialNames(), CLI::ignore_case));
    app.add_option("--rank", rank,
                   "What the sweep ranks by: price, evaluated (price and the present value of "
                   "the fan energy) or noise (sound pressure at the listener)")
        ->transform(CLI::IsMember({"price", "evaluated", "noise"}, CLI::ignore_case));
    app.add_flag("--usual-only", sweep.usualOnly,
                 "Leave out of the sweep the alternatives of unusual proportions: tubes longer "
                 "than 50 ft (15.24 m), bays wider than the tubes are long");
    planningFlags.declare(app);
    bool describe = false; // answered before the parse, as it needs no project file
    app.add_flag("--describe", describe,
                 "Print the tags of a project file's lines and the planning options (flags, "
                 "units, defaults, ranges) as JSON, and nothing else");
    app.set_version_flag("--version", std::string("keld-size ") + KELD_VERSION);
    app.footer("Exit status: 0 the calculation completed, 1 a check or stage stopped it (its "
               "message on standard error), 2 a usage error or a file that cannot be read or "
               "applied.");

    // --describe needs no project file.
    if (std::find(argv + 1, argv + argc, std::string_view("--describe")) != argv + argc) {
        std::cout << cli::describeJson().dump(2) << "\n";
        return 0;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return e.get_exit_code() == 0 ? code : 2;
    }
    options.planning = planningFlags.given(app);
    if (app.count("--price") > 0) {
        // The price dialog's own rule and message.
        if (const std::optional<std::string> refused = Sheet().enterPrice(price)) {
            return usage(("--price: " + *refused).c_str());
        }
        options.price = price;
    }

    // The option's check spells the unit system in lower case.
    sweep.units = units == "metric" ? UnitSystem::Metric : UnitSystem::English;
    cli::MessageRecorder startMessages;
    const Sheet started = cli::startedSheet(executableFolder(), startMessages);
    for (const cli::RecordedMessage& m : startMessages.messages) {
        std::cerr << "keld-size: " << m.text << "\n";
    }
    const bool table = files.size() > 1 || summary || sweep.csv || app.count("--units") > 0;
    if (!single.pdfFile.empty() && (doSweep || table)) {
        return usage("--pdf takes one project file, no table");
    }
    if (!single.paper.empty() && single.pdfFile.empty()) {
        return usage("--paper belongs to --pdf");
    }
    if (doSweep) {
        if (files.size() != 1 || single.json) {
            return usage("--sweep takes one project file and no --json");
        }
        sweep.rank = rank == "evaluated" ? sweep::Rank::Evaluated
                     : rank == "noise"   ? sweep::Rank::Noise
                                         : sweep::Rank::Price;
        sweep.materials = cli::materialPositions(materialNames);
        return cli::runSweep(started, files[0], options, sweep, std::cout, std::cerr);
    }
    if (!sweep.lengths.empty() || !materialNames.empty() || app.count("--rank") > 0 ||
        sweep.usualOnly) {
        return usage("--lengths, --materials, --rank and --usual-only belong to --sweep");
    }
    if (table) {
        const cli::BatchFormat format = single.json ? cli::BatchFormat::Json
                                        : sweep.csv ? cli::BatchFormat::Csv
                                                    : cli::BatchFormat::Text;
        return cli::runBatch(started, files, options, format, sweep.units, std::cout, std::cerr);
    }
    return cli::runSingle(started, executableFolder(), files[0], options, single, std::cout,
                          std::cerr);
}
