// Numbers as the sheet and the report show them, and texts as the sheet reads
// them: data/numbers.tsv.

#include "report/report.h"
#include "table_file.h"
#include "text/number.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace keld {
namespace {

TEST(Numbers, ShownAndReadAsTheSheetDoes) {
    for (const std::vector<std::string>& row : test::readTable(KELD_TEST_TABLES "/numbers.tsv")) {
        const std::string& what = row.at(0);
        const std::string& expected = row.at(2);
        const double x = std::strtod(row[1].c_str(), nullptr);
        std::string got;
        if (what == "input") {
            got = FormatInputValue(x);
        } else if (what == "report") {
            got = FormatReportValue(x);
        } else if (what.starts_with("fixed")) {
            got = formatFixed(x, what[5] - '0', what.ends_with(","));
        } else if (what == "plain") {
            got = formatPlainDecimal(x);
        } else if (what == "int32") {
            const std::optional<std::int32_t> n = roundHalfEvenToInt32(x);
            got = n ? std::to_string(*n) : "none";
        } else if (what == "after") {
            got = hasTextAfterNumber(row[1]) ? "yes" : "no";
        } else {
            const std::optional<double> read = readNumber(row[1]);
            EXPECT_EQ(read.has_value(), expected != "none") << row[1];
            EXPECT_EQ(read.value_or(0), expected == "none" ? 0 : std::stod(expected)) << row[1];
            continue;
        }
        EXPECT_EQ(got, expected) << what << " " << row[1];
    }
}

} // namespace
} // namespace keld
