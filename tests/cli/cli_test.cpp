// keld-size run as a user runs it: a process, its output and its exit status.

#include "keld_size_process.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <ostream>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

using keld::test::keldSize;
using keld::test::ProcessRun;

std::string data(const char* name) {
    return keld::test::testData(name);
}

struct ExitCase {
    const char* args;
    int status;
};

inline std::ostream& operator<<(std::ostream& os, const ExitCase& c) {
    return os << c.args;
}

class ExitStatusTest : public ::testing::TestWithParam<ExitCase> {};

TEST_P(ExitStatusTest, TellsHowTheRunEnded) {
    std::string args = GetParam().args;
    const std::size_t at = args.find('@');
    if (at != std::string::npos) {
        const std::size_t end = args.find(' ', at);
        const std::string name = args.substr(at + 1, end == std::string::npos ? end : end - at - 1);
        args.replace(at, name.size() + 1, data(name.c_str()));
    }
    EXPECT_EQ(keldSize(args).status, GetParam().status) << args;
}

INSTANTIATE_TEST_SUITE_P(
    Files, ExitStatusTest,
    ::testing::Values(
        ExitCase{"@liquid_english.ini", 0}, ExitCase{"@condensing_metric.ini", 0},
        ExitCase{"--json @liquid_english.ini", 0}, ExitCase{"@rows_out_of_range.ini", 1},
        ExitCase{"--auto-rows @rows_out_of_range.ini", 1},
        ExitCase{"@fluid_of_another_service.ini", 2}, ExitCase{"@unknown_material.ini", 2},
        ExitCase{"/no/such/file.ini", 2}, ExitCase{"", 2},
        ExitCase{"--bogus @liquid_english.ini", 2}, ExitCase{"--price 0 @liquid_english.ini", 2},
        ExitCase{"--price -5 @liquid_english.ini", 2}, ExitCase{"--help", 0},
        ExitCase{"--version", 0}, ExitCase{"--pdf /no/such/folder/r.pdf @liquid_english.ini", 2},
        ExitCase{"--pdf r.pdf --json @liquid_english.ini", 2}));

nlohmann::json jsonRun(const std::string& args) {
    const ProcessRun run = keldSize("--json " + args);
    return nlohmann::json::parse(run.out);
}

TEST(KeldSizeJson, CompletedRunCarriesEveryFieldAndMessage) {
    const nlohmann::json j = jsonRun(data("liquid_english.ini"));
    EXPECT_TRUE(j["ok"]);
    EXPECT_EQ(j["messages"], nlohmann::json::array({"All calculation completed without error."}));
    const auto& c = j["case"];
    EXPECT_EQ(c.size(), 44u);
    EXPECT_EQ(c["FILENM"], "liquid_english.ini");
    EXPECT_EQ(c["TITLE"], "Cooling Water Return");
    EXPECT_EQ(c["SERVICE"], "Liquid Cooling");
    EXPECT_EQ(c["ROWSFIXED"], true);
    EXPECT_EQ(c["NROWS"], 5); // the file's rows are kept
    EXPECT_EQ(c["MATERIALFACTOR"], 1.0);
    EXPECT_EQ(c["COSTFACTOR"], 1.1);
    EXPECT_EQ(c["COSTUSER"], 0.0);
    EXPECT_TRUE(c["NROWS"].is_number_integer());
    EXPECT_TRUE(c["QTOTAL"].is_number_float());
}

TEST(KeldSizeJson, AutoRowsAndUserPrice) {
    const nlohmann::json j = jsonRun("--auto-rows --price 125000 " + data("condensing_metric.ini"));
    EXPECT_EQ(j["case"]["ROWSFIXED"], false);
    EXPECT_EQ(j["case"]["NROWS"], 4); // the file says 6
    EXPECT_EQ(j["case"]["COSTTOTAL"], 125000.0);
    EXPECT_EQ(j["case"]["COSTUSER"], 125000.0);
}

TEST(KeldSizeJson, ValidationFailureIsReportedWithItsMessage) {
    const ProcessRun run = keldSize("--json " + data("rows_out_of_range.ini"));
    EXPECT_EQ(run.status, 1);
    const nlohmann::json j = nlohmann::json::parse(run.out);
    EXPECT_FALSE(j["ok"]);
    EXPECT_EQ(j["messages"], nlohmann::json::array({"The Number of Tube Rows (Item 6) is out of "
                                                    "range.\nValues between 3 and 10 are valid."}));
    EXPECT_EQ(j["case"]["NROWS"], 12);
    EXPECT_EQ(j["case"]["ERRTHERMAL"], ""); // no stage ran
}

TEST(KeldSizeJson, UserLiquidAndForcedDraftMessage) {
    const nlohmann::json j = jsonRun(data("user_liquid_hot_air.ini"));
    EXPECT_TRUE(j["ok"]);
    EXPECT_EQ(j["case"]["HOTSIDEFLUID"], "User Defined Liquid: Brine");
    EXPECT_EQ(j["case"]["MATERIALFACTOR"], 6.75);
    ASSERT_EQ(j["messages"].size(), 2u);
    EXPECT_EQ(j["messages"][1], "Outlet air temperature > 250 Deg. F.\nTherefore, only  forced "
                                "draft can be used.\nThis will be reflected in the output");
    EXPECT_EQ(j["case"]["DRAFT"], true);
}

TEST(KeldSizeJson, MetricCaseReadsTheDegreeSignlessFluidAndConverts) {
    const nlohmann::json j = jsonRun(data("condensing_metric.ini"));
    EXPECT_TRUE(j["ok"]);
    EXPECT_EQ(j["case"]["ENGLISH"], false);
    EXPECT_EQ(j["case"]["UOVERALL"], 809.115 * 0.17612);
    EXPECT_EQ(j["case"]["THOTIN"], 110 * 1.8 + 32);
    EXPECT_EQ(j["case"]["QTOTAL"], 5 * 3.4123 * 1000000);
}

// The planning options change the fans, the noise and the cost of
// ownership, and nothing of the estimate.
TEST(KeldSizeJson, PlanningOptionsLeaveTheEstimateAlone) {
    const nlohmann::json plain = jsonRun(data("liquid_english.ini"));
    const nlohmann::json other = jsonRun("--tip-speed 9000 --noise-distance 200 --energy-price 0.2 "
                                         "--hours 6000 --years 20 --rate 0.05 " +
                                         data("liquid_english.ini"));
    EXPECT_EQ(other["case"], plain["case"]);
    EXPECT_EQ(other["messages"], plain["messages"]);
    EXPECT_EQ(plain["fans"]["tipSpeedFtMin"], 10000.0);
    EXPECT_EQ(plain["fans"]["distanceM"], 30.48); // 100 ft
    EXPECT_EQ(other["fans"]["tipSpeedFtMin"], 9000.0);
    EXPECT_EQ(other["ownership"]["years"], 20);
    EXPECT_EQ(other["ownership"]["rate"], 0.05);
    EXPECT_LT(other["fans"]["soundPressureDbA"].get<double>(),
              plain["fans"]["soundPressureDbA"].get<double>());
    // 0.2 US$ for 6000 hours against 0.1 US$ for 8000: 1.5 times the energy cost
    EXPECT_NEAR(other["ownership"]["energyCostPerYear"].get<double>(),
                1.5 * plain["ownership"]["energyCostPerYear"].get<double>(), 1e-6);
    EXPECT_EQ(jsonRun(data("rows_out_of_range.ini"))["fans"], nullptr);
}

// Lines a file lacks keep the installation's default case, as File, Open on
// the freshly started sheet does: the item number, the price factor (1, not
// 0) and the material.
TEST(KeldSizeJson, MissingLinesKeepTheDefaultCase) {
    const nlohmann::json j = jsonRun(data("missing_lines.ini"));
    EXPECT_TRUE(j["ok"]);
    EXPECT_EQ(j["case"]["TITLE"], "No factor");
    EXPECT_EQ(j["case"]["ITEM"], "E-101");
    EXPECT_EQ(j["case"]["COSTFACTOR"], 1.0);
    EXPECT_EQ(j["case"]["MATERIAL"], "Steel");
}

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

// keld-size --pdf: the report's lines, and the Metric column where the
// "Metric" heading stands on every line that has a value there.
TEST(KeldSize, PdfHoldsTheReportWithItsColumnsLinedUp) {
#ifndef KELD_PDF
    GTEST_SKIP() << "this build of keld-size writes no PDF";
#endif
    if (std::system("command -v pdftotext >/dev/null") != 0) {
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }
    const std::string pdf = ::testing::TempDir() + "keld-size-report.pdf";
    const ProcessRun run = keldSize("--pdf " + pdf + " " + data("liquid_english.ini"));
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    ProcessRun layout = keld::test::command("pdftotext -layout " + pdf + " -");
    std::erase(layout.out, '\f'); // between pages
    const std::string terminal = keldSize(data("liquid_english.ini")).out;
    EXPECT_EQ(wordLines(layout.out), wordLines(terminal));

    // Where the words stand on the paper: every value that the terminal
    // shows at the "Metric" heading's column stands where that heading does.
    const std::string boxes = keld::test::command("pdftotext -bbox " + pdf + " -").out;
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
}

TEST(KeldSize, ShippedDefaultCaseCalculates) {
    const ProcessRun run = keldSize(std::string(KELD_PROGRAM_DIR) + "/Files/default.ini");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("Price"), std::string::npos);
}

} // namespace
