// keld-size: sizes a saved case from the command line, as File, Open followed
// by Calculate would on the sheet.

#include "case_run.h"
#include "json_output.h"
#include "text/number.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>

namespace {

using namespace keld;

std::string twoUnits(double english, const char* englishUnit, double metric,
                     const char* metricUnit, int decimals = 2) {
    return formatFixed(english, decimals, true) + " " + englishUnit + "  (" +
           formatFixed(metric, decimals, true) + " " + metricUnit + ")";
}

void printSummary(const SizingCase& c) {
    const auto celsius = [](double f) { return (f - 32) / 1.8; };
    std::cout << "Title:                 " << c.TITLE << "\n"
              << "Item:                  " << c.ITEM << "\n"
              << "File:                  " << c.FILENM << "\n"
              << "Service:               " << c.SERVICE << "\n"
              << "Hot side fluid:        " << c.HOTSIDEFLUID << "\n"
              << "Tubes and headers:     " << c.MATERIAL << "\n"
              << "Fan draft:             " << (isTrue(c.DRAFT) ? "Forced" : "Induced") << "\n"
              << "Heat duty:             "
              << twoUnits(c.QTOTAL / 1e6, "MMBtu/hr", c.QTOTAL * 0.2931 / 1e6, "MW", 3) << "\n"
              << "Hot fluid in / out:    "
              << twoUnits(c.THOTIN, "F", celsius(c.THOTIN), "C", 1) << " / "
              << twoUnits(c.THOTOUT, "F", celsius(c.THOTOUT), "C", 1) << "\n"
              << "Air in / out:          "
              << twoUnits(c.TAIRIN, "F", celsius(c.TAIRIN), "C", 1) << " / "
              << twoUnits(c.TAIROUT, "F", celsius(c.TAIROUT), "C", 1) << "\n"
              << "Coefficient used:      "
              << twoUnits(c.UOVERALL, "Btu/(hr sq ft F)", c.UOVERALL * 5.678, "W/(sq m C)") << "\n"
              << "Air flow:              "
              << twoUnits(c.MAIR, "lb/hr", c.MAIR * 0.126 / 1000, "kg/s", 1) << "\n"
              << "Tube rows:             " << c.NROWS << "\n"
              << "Tube length:           "
              << twoUnits(c.LENGTH, "ft", c.LENGTH * 0.3048, "m") << "\n"
              << "Bundle width:          "
              << twoUnits(c.XWIDTH, "ft", c.XWIDTH * 0.3048, "m") << "\n"
              << "Tubes per row / total: " << c.TUBESPERROW << " / " << c.TUBESTOTAL << "\n"
              << "Bare tube surface:     "
              << twoUnits(c.ATUBEBARETOTAL, "sq ft", c.ATUBEBARETOTAL * 0.0929, "sq m", 1) << "\n"
              << "Finned surface:        "
              << twoUnits(c.ATUBEFINTOTAL, "sq ft", c.ATUBEFINTOTAL * 0.0929, "sq m", 0) << "\n"
              << "Fan power:             "
              << twoUnits(c.HORSEPOWER, "hp", c.HORSEPOWER * 0.7457, "kW") << "\n"
              << "Weight:                "
              << twoUnits(c.WEIGHTTOTAL, "lb", c.WEIGHTTOTAL * 0.4536, "kg", 0) << "\n"
              << "Price:                 US$ " << formatFixed(c.COSTTOTAL, 0, true)
              << (c.COSTUSER > 0 ? " (entered)" : "") << "\n"
              << "Price per bare area:   "
              << twoUnits(c.COSTTOTALPERAREA, "US$/sq ft", c.COSTTOTALPERAREA * 10.764, "US$/sq m")
              << "\n"
              << "Price per weight:      "
              << twoUnits(c.COSTTOTALPERMASS, "US$/lb", c.COSTTOTALPERMASS * 2.2046, "US$/kg")
              << "\n";
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
    app.add_option("PROJECTFILE", file, "Project file (.ini) to size")->required();
    app.add_flag("--json", json, "Print the run as one JSON object: ok, messages, case");
    app.add_flag("--auto-rows", autoRows,
                 "Let the sizing choose the number of tube rows instead of the file's");
    app.add_option("--price", price, "Use this price in US dollars instead of the estimate");
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
            printSummary(loaded->record);
        }
    }
    return run.ok ? 0 : 1;
}
