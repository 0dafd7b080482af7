// The report: tags, markup, the template and the installation's own files;
// the pages' markup.

#include "report/report.h"

#include "engine/calculate.h"
#include "engine/validation.h"
#include "sheet/sheet.h"
#include "sheet_fixtures.h"
#include "table_file.h"
#include "text/lines.h"
#include "tutorial/pages.h"

#include <gtest/gtest.h>

#include <chrono>

namespace keld {
namespace {

SizingCase reportCase() {
    SizingCase c;
    c.TITLE = "<!TITLE$><!TITLE$>"; // values that hold tags stay text
    c.ITEM = "<!QTO";
    c.FILENM = "<!qtotal#>";
    c.QTOTAL = 12345678;
    c.TAIRIN = 20;
    c.THOTIN = 500;
    c.COSTTOTALPERAREA = 12.34;
    c.NROWS = 4;
    c.TUBESTOTAL = 1234;
    c.COSTTOTAL = 98765;
    c.DRAFT = true;
    return c;
}

// data/report_markup.tsv: tags, report markup and page markup, line by line.
TEST(Markup, LinesAsTheReportAndThePagesShowThem) {
    const ReportDate date{2026, 3, 7};
    planning::Plan plan;
    plan.fans.emplace().notes = {
        "2 bays instead of 1, so that whole-foot fans that fit their plots cover 40 % of the face.",
        "3 fans per bay instead of 1, so that whole-foot fans that fit their plots cover 40 % of "
        "the face."};
    for (const auto& row : test::readTable(KELD_TEST_TABLES "/report_markup.tsv")) {
        SCOPED_TRACE(row.at(1));
        if (row[0] == "tags") {
            EXPECT_EQ(SubstituteReportTags(row[1], reportCase(), date, &plan), row.at(2));
            continue;
        }
        const MarkupResult r =
            row[0] == "report" ? ConvertReportMarkup(row[1]) : ConvertPageMarkup(row[1]);
        EXPECT_EQ(r.text, row.at(2));
        const std::optional<std::string>& title = row[0] == "report" ? r.caption : r.sectionTitle;
        EXPECT_EQ(title.value_or("-"), row.at(3));
        if (row[0] == "page") {
            EXPECT_EQ(r.hadTag, row.at(4) == "1");
        }
    }
}

// Embedded fins above 500 °F, a price of the user's marked, an English
// figure longer than its column followed by one blank.
TEST(SubstituteReportTags, OnAnotherCase) {
    SizingCase c = reportCase();
    c.THOTIN = 500.5;
    c.COSTUSER = 25000;
    c.COSTTOTAL = 25000;
    c.MAIR = -123456789012.0;
    EXPECT_EQ(SubstituteReportTags("<!TYPE>|<!SPACING>|<!COSTTOTAL#>|<!MAIR#>", c, {}),
              "Embedded|11           0.43|25,000*|-123,000,000,000 -15,600,000");
}

// A line of very many titles ends in bounded time; every title still leaves
// the text, the last ones through the removal of their tags.
TEST(ReportMarkup, LineOfManyTitlesEnds) {
    std::string line;
    for (int i = 0; i < 20000; ++i) {
        line += "<TITLE>t</TITLE>x";
    }
    const auto start = std::chrono::steady_clock::now();
    const MarkupResult r = ConvertReportMarkup(line);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(r.caption, "t");
    EXPECT_EQ(r.text.find('<'), std::string::npos);
    EXPECT_EQ(r.text.substr(0, 3), "xxx");
}

TEST(PageText, LinesWithoutTagsAreJoinedByABlank) {
    const PageText page = pageText("Air\r\ncooled\r\n<h1>Fins</h1>\r\n<TITLE>Cap</TITLE>end<BR>");
    EXPECT_EQ(page.text, "Air cooled end\r\n");
    EXPECT_EQ(page.sectionTitle, "Fins");
    EXPECT_EQ(page.caption, "Cap");
}

// Template lines joined with nothing between, the last caption of any line, a
// tag's value through the markup too; without a template, its message only.
TEST(BuildReport, LinesJoinedAndValuesThroughTheMarkup) {
    SizingCase c = reportCase();
    c.TITLE = "Plant <old> A<BR>B";
    std::optional<std::string> caption;
    EXPECT_EQ(buildReportText("abc\r\ndef\r\n<TITLE>A</TITLE>\r<TITLE>B</TITLE><!TITLE$>", c, {},
                              &caption),
              "abcdefPlant  A\r\nB");
    EXPECT_EQ(caption, "B");
    test::Messages m;
    EXPECT_EQ(buildReport("/no/such/folder", c, {}, m), "");
    EXPECT_EQ(m.texts, std::vector<std::string>{"Could not open Output File."});
    EXPECT_EQ(m.icons, std::vector{MessageIcon::Exclamation});
}

// The installation's own files: the default case calculates and its report
// leaves no tag behind.
TEST(ShippedData, DefaultCaseReportsCompletely) {
    const std::string folder = KELD_DATA_DIR;
    test::Messages m;
    Sheet sheet;
    sheet.startUp(folder, m);
    ASSERT_TRUE(sheet.calculate(m)) << m.texts.front();
    const std::string report = buildReport(folder, sheet.record(), {}, m);
    EXPECT_EQ(m.texts.size(), 1u); // the completion message only
    EXPECT_EQ(report.find('<'), std::string::npos);
}

// data/page_limits.tsv: every limit a page names is one the sheet accepts
// (both temperatures at the ends of their ranges), as its tooltip says.
TEST(ShippedData, PagesNameTheLimitsTheSheetAccepts) {
    for (const auto& l : test::readTable(KELD_TEST_TABLES "/page_limits.tsv")) {
        SCOPED_TRACE(l.at(1));
        const auto bytes = readFileBytes(KELD_DATA_DIR "/Pages/" + l.at(0) + ".txt");
        EXPECT_NE(pageText(bytes.value_or("")).text.find(l[1]), std::string::npos);
        const bool english = l.at(3) == "E";
        const UnitSystem units = english ? UnitSystem::English : UnitSystem::Metric;
        const Field field = static_cast<Field>(std::stoi(l.at(2)));
        for (const std::string& value : {l.at(4), l.at(5)}) {
            if (value == "-") {
                continue;
            }
            EXPECT_NE(acceptedRangeText(*checkOf(field), units).find(value), std::string::npos);
            SheetEntries e = test::workedExample(english);
            e.text[Field::AirInlet] = "-40";
            e.text[Field::HotInlet] = english ? "750" : "398.8";
            e.text[field] = value;
            SizingCase c = test::freshCase(english);
            test::Messages m;
            Calculate_Output(e, c, m);
            EXPECT_NE(m.texts.at(0), rangeMessage(*checkOf(field), units)) << value;
        }
    }
}

TEST(ShippedData, EveryConfiguredPageAndPictureExists) {
    const std::string folder = KELD_DATA_DIR;
    for (const char* set : {"Brochure", "Instructions"}) {
        const int count = pageCount(folder, set);
        EXPECT_GE(count, 6) << set;
        for (int n = 1; n <= count; ++n) {
            const PageEntry page = pageEntry(folder, set, n);
            const auto text = readFileBytes(page.textPath);
            ASSERT_TRUE(text) << page.textPath;
            EXPECT_TRUE(pageText(*text).sectionTitle) << page.textPath;
            EXPECT_TRUE(readFileBytes(page.picturePath)) << page.picturePath;
        }
    }
}

} // namespace
} // namespace keld
