// Inputs that the fuzz targets found faults with (tests/fuzz/regressions),
// kept as tests of the mended behaviour.

#include "report/report.h"
#include "text/cp1252.h"
#include "text/number.h"
#include "tutorial/pages.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace keld {
namespace {

// A heading tag is "<H1" and one more character, usually ">". When that
// character takes several bytes (a page file in Windows-1252 with "»" or "‰"
// there), the whole character goes, not its first byte alone.
struct HeadingRow {
    const char* name;
    const char* line;
    bool report;
    const char* text;
    const char* sectionTitle; // pages only
};

void PrintTo(const HeadingRow& row, std::ostream* os) {
    *os << row.name;
}

class HeadingBeforeWideCharacter : public testing::TestWithParam<HeadingRow> {};

TEST_P(HeadingBeforeWideCharacter, TakesTheWholeCharacter) {
    const HeadingRow& row = GetParam();
    const MarkupResult r = row.report ? ConvertReportMarkup(row.line) : ConvertPageMarkup(row.line);
    EXPECT_EQ(r.text, row.text);
    EXPECT_TRUE(isValidUtf8(r.text));
    if (!row.report) {
        ASSERT_TRUE(r.sectionTitle.has_value());
        EXPECT_EQ(*r.sectionTitle, row.sectionTitle);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Markup, HeadingBeforeWideCharacter,
    testing::Values(HeadingRow{"page_both_tags", "<H1\u00bbIntro</H1\u00bbrest", false, "rest",
                               "Intro"},
                    HeadingRow{"page_closing_tag", "a<H3>T</H3\u2030b", false, "ab", "T"},
                    HeadingRow{"report_opening_tag", "<h2\u20acDuty</h2>after", true,
                               "Duty\r\n\r\nafter", nullptr},
                    HeadingRow{"report_plain", "<H1>plain</H1>", true, "plain\r\n\r\n", nullptr}),
    [](const testing::TestParamInfo<HeadingRow>& row) { return std::string(row.param.name); });

TEST(HeadingBeforeWideCharacter, PageFileFoundByTheFuzzer) {
    // 0x89 after "</H3" is "‰", three bytes once the page is read as UTF-8.
    std::string page = "<TITLE>t</TITLE><H1>a</H1><H3></H1></H3";
    page.append(100, '\x89');
    page += ">x<br>y";
    const PageText text = pageText(page);
    EXPECT_TRUE(isValidUtf8(text.text)) << text.text;
}

// Near the largest double, fifteen significant digits round up past it; a
// value shown in a field or written as plain decimal must read back as a
// number, not as one too large to hold.
struct LargeRow {
    const char* name;
    double x;
};

void PrintTo(const LargeRow& row, std::ostream* os) {
    *os << row.name;
}

class LargestDoubles : public testing::TestWithParam<LargeRow> {};

TEST_P(LargestDoubles, ReadBackAsNumbers) {
    const double x = GetParam().x;
    const std::optional<double> field = readNumber(FormatInputValue(x));
    ASSERT_TRUE(field.has_value()) << FormatInputValue(x);
    EXPECT_TRUE(std::isfinite(*field));
    const std::optional<double> plain = readNumber(formatPlainDecimal(x));
    ASSERT_TRUE(plain.has_value()) << formatPlainDecimal(x);
    EXPECT_NEAR(*plain, x, std::fabs(x) * 1e-14);
    EXPECT_TRUE(readNumber(FormatReportValue(x)).has_value()) << FormatReportValue(x);
}

INSTANTIATE_TEST_SUITE_P(
    Number, LargestDoubles,
    testing::Values(LargeRow{"largest", DBL_MAX}, LargeRow{"largest_negative", -DBL_MAX},
                    LargeRow{"rounds_up_past_the_largest", 1.797693134862315e308},
                    LargeRow{"just_below_the_largest", std::nextafter(DBL_MAX, 0.0)},
                    LargeRow{"rounds_below_the_largest", 1.7976931348623e308}),
    [](const testing::TestParamInfo<LargeRow>& row) { return std::string(row.param.name); });

} // namespace
} // namespace keld
