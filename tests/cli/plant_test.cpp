// Batch and sweep: a plant list in one table and the cheapest arrangement of
// one case, with figures identical to single runs.

#include "keld_size_process.h"
#include "sweep.h"
#include "text/table.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <ostream>

namespace keld::cli {
namespace {

using Output = keld::test::ProcessRun;
using keld::test::keldSize;

std::string data(const std::string& name) {
    return keld::test::testData(name);
}

// RFC 4180 records, quoted fields with commas, quotes and line breaks.
std::vector<std::vector<std::string>> parseCsv(const std::string& text) {
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> record;
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (quoted) {
            if (ch == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (ch == '"') {
                quoted = false;
            } else {
                field += ch;
            }
        } else if (ch == '"') {
            quoted = true;
        } else if (ch == ',') {
            record.push_back(field);
            field.clear();
        } else if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            record.push_back(field);
            records.push_back(record);
            record.clear();
            field.clear();
            ++i;
        } else {
            field += ch;
        }
    }
    return records;
}

TEST(Csv, FieldsAreQuotedOnlyWhenTheyMustBe) {
    EXPECT_EQ(csvField("plain"), "plain");
    EXPECT_EQ(csvField("a,b"), "\"a,b\"");
    EXPECT_EQ(csvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(csvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(fullPrecision(0.1), "0.1");
    EXPECT_EQ(fullPrecision(1.0 / 3), "0.3333333333333333");
}

struct LengthsCase {
    const char* text;
    std::vector<double> lengths; // empty: refused
};

std::ostream& operator<<(std::ostream& os, const LengthsCase& c) {
    return os << c.text;
}

class LengthsTest : public ::testing::TestWithParam<LengthsCase> {};

TEST_P(LengthsTest, RangesAndLists) {
    std::string error;
    const auto got = parseLengths(GetParam().text, error);
    if (GetParam().lengths.empty()) {
        EXPECT_FALSE(got);
        EXPECT_NE(error.find("--lengths"), std::string::npos);
    } else {
        ASSERT_TRUE(got) << error;
        EXPECT_EQ(*got, GetParam().lengths);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LengthsTest,
    ::testing::Values(LengthsCase{"8:12:2", {8, 10, 12}}, LengthsCase{"20,24,30", {20, 24, 30}},
                      LengthsCase{"2.5:3.5:0.5", {2.5, 3, 3.5}}, LengthsCase{"30", {30}},
                      LengthsCase{"0.1:0.3:0.1", {0.1, 0.2, 0.3}}, LengthsCase{"8:x:2", {}},
                      LengthsCase{"8:60", {}}, LengthsCase{"60:8:2", {}}, LengthsCase{"8:60:0", {}},
                      LengthsCase{"8:60:-2", {}}, LengthsCase{"8:60:0.0000001", {}},
                      LengthsCase{"20,,30", {}}, LengthsCase{"", {}}, LengthsCase{"1e400", {}}));

TEST(Batch, RowsEqualSingleRunsAndAFailingCaseIsReported) {
    const std::vector<std::string> files = {"liquid_english.ini", "condensing_metric.ini",
                                            "rows_out_of_range.ini", "user_liquid_hot_air.ini"};
    std::string args = "--csv";
    for (const std::string& f : files) {
        args += " " + data(f);
    }
    const Output batch = keldSize(args);
    EXPECT_EQ(batch.status, 1); // one case stopped with a message
    const auto records = parseCsv(batch.out);
    ASSERT_EQ(records.size(), files.size() + 1);
    const auto& header = records[0];
    const auto column = [&](const char* name) {
        return static_cast<std::size_t>(std::find(header.begin(), header.end(), name) -
                                        header.begin());
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        const Output single = keldSize("--json " + data(files[i]));
        const auto j = nlohmann::json::parse(single.out);
        const auto& row = records[i + 1];
        ASSERT_EQ(row.size(), header.size());
        if (!j["ok"]) {
            EXPECT_EQ(row[column("message")], "The Number of Tube Rows (Item 6) is out of range. "
                                              "Values between 3 and 10 are valid.");
            EXPECT_EQ(row[column("price_usd")], "");
            continue;
        }
        const auto& c = j["case"];
        EXPECT_EQ(std::stod(row[column("price_usd")]), c["COSTTOTAL"].get<double>()) << files[i];
        EXPECT_EQ(std::stod(row[column("weight_lb")]), c["WEIGHTTOTAL"].get<double>());
        EXPECT_EQ(std::stod(row[column("fan_power_hp")]), c["HORSEPOWER"].get<double>());
        EXPECT_EQ(std::stod(row[column("air_out_f")]), c["TAIROUT"].get<double>());
        EXPECT_EQ(std::stod(row[column("duty_mmbtu_hr")]), c["QTOTAL"].get<double>() / 1000000);
        EXPECT_EQ(std::stoi(row[column("tubes")]), c["TUBESTOTAL"].get<int>());
        EXPECT_EQ(row[column("fluid")], c["HOTSIDEFLUID"]);
    }
}

TEST(Batch, TitleWithACommaAndAQuoteSurvivesCsv) {
    const Output o = keldSize("--csv " + data("quoted_title.ini"));
    EXPECT_EQ(o.status, 0);
    EXPECT_NE(o.out.find("\"Loop \"\"A\"\", north\""), std::string::npos) << o.out;
    const auto records = parseCsv(o.out);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1][2], "Loop \"A\", north");
    EXPECT_EQ(records[1][1], "E-2,b");
}

TEST(Batch, UnreadableFileGivesItsRowAndStatusTwo) {
    const Output o = keldSize(data("liquid_english.ini") + " /no/such/case.ini");
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.out.find("cannot read the file"), std::string::npos);
    EXPECT_NE(o.out.find("Cooling Water Return"), std::string::npos);
}

TEST(Sweep, CheapestRowEqualsASingleRunOfItsInputs) {
    const Output o =
        keldSize("--sweep --csv --lengths 20,30,40 --materials all " + data("liquid_english.ini"));
    ASSERT_EQ(o.status, 0);
    const auto records = parseCsv(o.out);
    ASSERT_EQ(records.size(), 1u + 8 * 3 * 10);
    const auto& header = records[0];
    const auto at = [&](const char* name) {
        return static_cast<std::size_t>(std::find(header.begin(), header.end(), name) -
                                        header.begin());
    };
    const auto& cheapest = records[1];
    EXPECT_EQ(cheapest[0], "1");
    EXPECT_NE(cheapest[at("marks")].find("cheapest"), std::string::npos);
    // the same inputs as one project file
    std::ifstream in(data("liquid_english.ini"), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    text.replace(text.find("5<TEXT8>"), 1, cheapest[1]);
    text.replace(text.find("30<TEXT11>"), 2, cheapest[2]);
    text.replace(text.find("Steel<COMBO2>"), 5, cheapest[3]);
    const std::string path = ::testing::TempDir() + "cheapest.ini";
    std::ofstream(path, std::ios::binary) << text;
    const auto j = nlohmann::json::parse(keldSize("--json " + path).out);
    ASSERT_TRUE(j["ok"]);
    EXPECT_EQ(std::stod(cheapest[at("price_usd")]), j["case"]["COSTTOTAL"].get<double>());
    EXPECT_EQ(std::stod(cheapest[at("weight_lb")]), j["case"]["WEIGHTTOTAL"].get<double>());
    EXPECT_EQ(std::stod(cheapest[at("fan_power_hp")]), j["case"]["HORSEPOWER"].get<double>());
    EXPECT_EQ(std::stod(cheapest[at("face_area_sq_ft")]), j["case"]["AFACE"].get<double>());
    EXPECT_EQ(std::stod(cheapest[at("evaluated_cost_usd")]),
              j["ownership"]["evaluatedCost"].get<double>());
    EXPECT_EQ(std::stod(cheapest[at("sound_pressure_dba")]),
              j["fans"]["soundPressureDbA"].get<double>());
    // sorted by price
    for (std::size_t i = 2; i < records.size(); ++i) {
        EXPECT_LE(std::stod(records[i - 1][at("price_usd")]),
                  std::stod(records[i][at("price_usd")]));
    }
}

TEST(Sweep, RankedByEvaluatedCost) {
    const Output o =
        keldSize("--sweep --csv --rank evaluated --lengths 20,30,40 " + data("liquid_english.ini"));
    ASSERT_EQ(o.status, 0);
    const auto records = parseCsv(o.out);
    const auto& header = records[0];
    const std::size_t cost = static_cast<std::size_t>(
        std::find(header.begin(), header.end(), "evaluated_cost_usd") - header.begin());
    ASSERT_LT(cost, header.size());
    EXPECT_NE(records[1][cost + 2].find("lowest evaluated cost"), std::string::npos);
    for (std::size_t i = 2; i < records.size(); ++i) {
        EXPECT_LE(std::stod(records[i - 1][cost]), std::stod(records[i][cost]));
    }
}

TEST(Sweep, InfeasibleCasesAreListedWithTheirMessage) {
    // 61 ft is beyond the tube length range
    const Output o = keldSize("--sweep --csv --lengths 60,61 " + data("liquid_english.ini"));
    ASSERT_EQ(o.status, 0);
    const auto records = parseCsv(o.out);
    std::size_t infeasible = 0;
    for (const auto& r : records) {
        if (r[0].empty() && r.size() == records[0].size()) {
            ++infeasible;
            EXPECT_EQ(r[2], "61");
            EXPECT_NE(r.back().find("The Tube Length (Item 6) is out of range."),
                      std::string::npos);
        }
    }
    EXPECT_EQ(infeasible, 8u);
}

struct UsageCase {
    const char* args;
};

std::ostream& operator<<(std::ostream& os, const UsageCase& c) {
    return os << c.args;
}

class SweepUsageTest : public ::testing::TestWithParam<UsageCase> {};

TEST_P(SweepUsageTest, UsageErrorsGiveStatusTwo) {
    EXPECT_EQ(keldSize(std::string(GetParam().args) + " " + data("liquid_english.ini")).status, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Args, SweepUsageTest,
    ::testing::Values(UsageCase{"--sweep --lengths 8:x:2"}, UsageCase{"--sweep --lengths 60:8:2"},
                      UsageCase{"--sweep --lengths 8:60:0"}, UsageCase{"--sweep --lengths ,"},
                      UsageCase{"--sweep --materials Gold"}, UsageCase{"--sweep --json"},
                      UsageCase{"--lengths 8:60:2"}, UsageCase{"--units kelvin"}));

} // namespace
} // namespace keld::cli
