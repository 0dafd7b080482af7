// keld-size run as a user runs it: a process, its output and its exit
// status. Its outputs byte for byte are the golden files of data/golden.

#include "hostile.h"
#include "sweep.h"
#include "table_file.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

struct ProcessRun {
    int status = -1;
    std::string out;
};

// A shell command's standard output and exit status.
ProcessRun command(const std::string& command) {
    ProcessRun run;
    FILE* pipe = popen(command.c_str(), "r");
    std::array<char, 4096> buffer{};
    for (std::size_t n = 0; pipe && (n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
        run.out.append(buffer.data(), n);
    }
    const int raw = pipe ? pclose(pipe) : -1;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

// keld-size with the arguments, in the folder of the test data.
ProcessRun keldSize(const std::string& args) {
    return command("cd " KELD_TEST_DATA " && " KELD_SIZE_PATH " " + args + " 2>/dev/null");
}

// data/exit_status.tsv: the exit status for the arguments.
TEST(KeldSize, ExitStatusTellsHowTheRunEnded) {
    for (const auto& row : keld::test::readTable(KELD_TEST_DATA "/exit_status.tsv")) {
        const std::string args = row.size() > 1 ? row[1] : "";
        EXPECT_EQ(keldSize(args).status, std::stoi(row.at(0))) << args;
    }
}

nlohmann::json jsonOf(const std::string& args) {
    return nlohmann::json::parse(keldSize("--json " + args).out);
}

// The rows of keld-size's CSV, each a map from the header's names to the
// cells (the test files' texts hold no commas or quotes).
std::vector<std::map<std::string, std::string>> csvRows(const std::string& args) {
    std::istringstream in(keldSize("--csv " + args).out);
    std::vector<std::string> names;
    std::vector<std::map<std::string, std::string>> rows;
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> cells;
        std::istringstream fields(line);
        for (std::string cell; std::getline(fields, cell, ',');) {
            cells.push_back(cell);
        }
        if (names.empty()) {
            names = cells;
            continue;
        }
        std::map<std::string, std::string>& row = rows.emplace_back();
        for (std::size_t i = 0; i < cells.size() && i < names.size(); ++i) {
            row[names[i]] = cells[i];
        }
    }
    return rows;
}

double number(const std::map<std::string, std::string>& row, const std::string& name) {
    return std::stod(row.at(name));
}

// What the golden files hold, as promises that a golden file rewritten by
// mistake would break: the planning options leave the estimate as it is;
// the energy cost grows with the energy price; a Metric table is the
// English one converted by the report's factors; --auto-rows chooses 4 rows
// for the condensing case; the sweep's CSV, ranking and materials.
TEST(KeldSize, OutputsKeepTheirPromises) {
    const nlohmann::json plain = jsonOf("condensing_metric.ini");
    const nlohmann::json options =
        jsonOf("--tip-speed 40 --noise-distance 100 --energy-price 0.3 --hours 5000 --years 15 "
               "--rate 0.1 --fewest-fans 3 --fan-clearance 0.5 --largest-fan 4 --motor-margin 1.3 "
               "--drive-efficiency 1 --motor-efficiency 0.8 --noise-limit 70 "
               "--near-field-limit 90 condensing_metric.ini");
    EXPECT_EQ(options.at("case"), plain.at("case"));
    EXPECT_NE(options.at("fans"), plain.at("fans"));
    const double energy = plain.at("ownership").at("energyCostPerYear");
    const double dearer =
        jsonOf("--energy-price 0.15 condensing_metric.ini").at("ownership").at("energyCostPerYear");
    EXPECT_NEAR(dearer / energy, 1.5, 1e-12);
    EXPECT_EQ(jsonOf("--auto-rows condensing_metric.ini").at("case").at("NROWS"), 4);

    const auto english = csvRows("liquid_english.ini");
    const auto metric = csvRows("--units METRIC liquid_english.ini");
    ASSERT_EQ(english.size(), 1u);
    ASSERT_EQ(metric.size(), 1u);
    const struct {
        const char* english;
        const char* metric;
        double factor;
    } converted[] = {{"width_ft", "width_m", 0.3048},
                     {"fan_power_hp", "fan_power_kw", 0.7457},
                     {"weight_lb", "weight_kg", 0.4536},
                     {"duty_mmbtu_hr", "duty_mw", 0.2931},
                     {"price_usd", "price_usd", 1}};
    for (const auto& c : converted) {
        EXPECT_NEAR(number(metric[0], c.metric), number(english[0], c.english) * c.factor,
                    1e-9 * number(metric[0], c.metric))
            << c.metric;
    }

    const auto swept = csvRows("--sweep --rank NOISE --materials all liquid_english.ini");
    ASSERT_EQ(swept.size(), 2160u); // 8 row counts, 27 lengths, 10 materials
    std::set<std::string> materials;
    for (std::size_t k = 0; k < swept.size(); ++k) {
        materials.insert(swept[k].at("material"));
        if (k > 0 && !swept[k].at("rank").empty()) {
            EXPECT_LE(number(swept[k - 1], "sound_pressure_dba"),
                      number(swept[k], "sound_pressure_dba"));
        }
    }
    EXPECT_EQ(materials.size(), 10u);
}

// data/sweep_lengths.tsv: the lengths of a sweep from ranges and lists.
TEST(KeldSize, SweepLengthsAsRangesAndLists) {
    for (const auto& row : keld::test::readTable(KELD_TEST_DATA "/sweep_lengths.tsv")) {
        std::vector<double> expected;
        std::istringstream in(row.size() > 1 ? row[1] : "");
        for (double x = 0; in >> x;) {
            expected.push_back(x);
        }
        std::string error;
        const auto got = keld::cli::parseLengths(row.at(0), error);
        EXPECT_EQ(got.value_or(std::vector<double>{}), expected) << row[0];
        EXPECT_EQ(error.find("--lengths") != std::string::npos, expected.empty()) << error;
    }
}

// data/hostile.tsv: hostile project files and report templates (hostile.h)
// through keld-size end with its exit status and a clear message.
class HostileFile : public testing::TestWithParam<keld::hostile::Row> {};

TEST_P(HostileFile, EndsWithTheDefinedStatusAndMessage) {
    using namespace keld::hostile;
    const Row& row = GetParam();
    const Scratch scratch;
    const fs::path file = scratch.path() / "hostile.ini";
    const fs::path proper = scratch.path() / "proper.ini";
    ASSERT_TRUE(place(row.kind, row.shape, file) && place(Kind::Project, "proper", proper));
    std::string run = "ulimit -v 3145728; timeout 110 "; // 3 GiB, as the in-process table
#ifdef KELD_ASAN
    run = "timeout 110 ";
#endif
    if (row.shape == "unreadable") {
        ASSERT_TRUE(unreadableAsNobody(file)) << "the file stays readable even to the user nobody";
        if (getuid() == 0 && seteuid(0) == 0) {
            run += "setpriv --reuid=65534 --regid=65534 --clear-groups ";
        }
    }
    run += KELD_SIZE_PATH " " + (row.kind == Kind::Template
                                     ? "--template " + file.string() + " " + proper.string()
                                     : file.string());
    const ProcessRun r = command(run + " 2>" + (scratch.path() / "err").string());
    const std::string err = slurp(scratch.path() / "err");
    EXPECT_EQ(r.status, std::stoi(row.expected.at(0))) << err;
    EXPECT_NE(err.find(row.expected.at(1)), std::string::npos) << err;
}

INSTANTIATE_TEST_SUITE_P(Cli, HostileFile,
                         testing::ValuesIn(keld::hostile::readRows(KELD_TEST_DATA "/hostile.tsv")),
                         keld::hostile::rowName);

// The words of a text's lines, blank lines left out.
std::vector<std::string> wordLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string joined;
        for (std::string w; words >> w;) {
            joined += (joined.empty() ? "" : " ") + w;
        }
        if (!joined.empty()) {
            lines.push_back(joined);
        }
    }
    return lines;
}

#ifdef KELD_PDF
// keld-size --pdf: the report's lines page by page, each page numbered at
// its foot, on the paper of the locale or the one chosen, titled with the
// project's title and item; and the Metric column where the "Metric" heading
// stands on every line that has a value there. (A build without the desktop
// program's toolkit has no --pdf, and no such test.)
TEST(KeldSize, PdfHoldsTheReportWithItsColumnsLinedUp) {
    ASSERT_EQ(std::system("command -v pdftotext >/dev/null"), 0) << "needs poppler-utils";
    const std::string pdf = ::testing::TempDir() + "keld-size-report.pdf";
    const std::string inTheUs = "cd " KELD_TEST_DATA " && LC_ALL=en_US.UTF-8 " KELD_SIZE_PATH " ";
    const ProcessRun run = command(inTheUs + "--pdf " + pdf + " liquid_english.ini 2>/dev/null");
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    const std::string info = command("pdfinfo " + pdf).out;
    EXPECT_NE(info.find("Cooling Water Return - E-101"), std::string::npos) << info;
    EXPECT_NE(info.find("612 x 792 pts"), std::string::npos) << info;
    std::istringstream layout(command("pdftotext -layout " + pdf + " -").out);
    std::vector<std::string> pages;
    for (std::string page; std::getline(layout, page, '\f');) {
        pages.push_back(page);
    }
    std::vector<std::string> lines;
    for (std::size_t n = 1; n <= pages.size(); ++n) {
        std::vector<std::string> page = wordLines(pages[n - 1]);
        ASSERT_FALSE(page.empty());
        EXPECT_EQ(page.back(), "Page " + std::to_string(n) + " of " + std::to_string(pages.size()));
        lines.insert(lines.end(), page.begin(), page.end() - 1);
    }
    const std::string terminal = keldSize("liquid_english.ini").out;
    EXPECT_EQ(lines, wordLines(terminal));

    // Where the words stand on the paper: every value that the terminal
    // shows at the "Metric" heading's column stands where that heading does.
    const std::string boxes = command("pdftotext -bbox " + pdf + " -").out;
    std::vector<std::pair<std::string, double>> words; // text, left edge
    const std::string tag = "<word xMin=\"";
    for (std::size_t at = boxes.find(tag); at != std::string::npos; at = boxes.find(tag, at + 1)) {
        const std::size_t open = boxes.find('>', at) + 1;
        words.emplace_back(boxes.substr(open, boxes.find('<', open) - open),
                           std::stod(boxes.substr(at + tag.size())));
    }
    const auto heading =
        std::find_if(words.begin(), words.end(), [](const auto& w) { return w.first == "Metric"; });
    ASSERT_NE(heading, words.end());
    std::istringstream in(terminal);
    std::size_t column = std::string::npos;
    int values = 0;
    for (std::string line; std::getline(in, line);) {
        if (column == std::string::npos) {
            column = line.find("Metric");
            continue;
        }
        if (line.size() <= column || line[column] == ' ' || line[column - 1] != ' ') {
            continue;
        }
        const std::string value = line.substr(column, line.find(' ', column) - column);
        ++values;
        EXPECT_TRUE(std::any_of(words.begin(), words.end(), [&](const auto& w) {
            return w.first == value && std::abs(w.second - heading->second) < 0.5;
        })) << line;
    }
    EXPECT_GE(values, 15);
    ASSERT_EQ(
        command(inTheUs + "--paper A4 --pdf " + pdf + " liquid_english.ini 2>/dev/null").status, 0);
    EXPECT_NE(command("pdfinfo " + pdf).out.find("595 x 842 pts"), std::string::npos);
}
#endif

} // namespace
