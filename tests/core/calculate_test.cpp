// The calculation driver: the entry checks in their order, what the record
// keeps after a failure, the draft rule and the stages' arithmetic faults.

#include "engine/calculate.h"
#include "engine/estimates.h"
#include "sheet_fixtures.h"
#include "table_file.h"

#include <gtest/gtest.h>

#include <tuple>

namespace keld {
namespace {

// data/validation.tsv: one entry changed, the first failure's message.
TEST(CalculateOutput, FirstFailingCheckShowsItsMessage) {
    for (const auto& row : test::readTable(KELD_TEST_TABLES "/validation.tsv")) {
        SCOPED_TRACE(row[0]);
        const bool english = row[1] == "E";
        SheetEntries e = test::workedExample(english);
        (row[2] == "0" ? e.fluid : e.text[static_cast<Field>(std::stoi(row[2]))]) = row[3];
        SizingCase c = test::freshCase(english);
        test::Messages m;
        const std::string message = row.size() > 4 ? row[4] : "";
        EXPECT_EQ(Calculate_Output(e, c, m), message.empty());
        EXPECT_EQ(m.texts,
                  std::vector<std::string>{message.empty() ? kCompletionMessage : message});
        EXPECT_EQ(m.icons.front(), MessageIcon::None);
    }
}

// After a failed check the record keeps the fields read before it, the
// failing field's value just read (in English units) and the earlier results.
TEST(CalculateOutput, FailedCheckKeepsWhatWasRead) {
    SizingCase c = test::freshCase();
    test::Messages m;
    ASSERT_TRUE(Calculate_Output(test::workedExample(), c, m));
    const SizingCase before = c;
    SheetEntries e = test::workedExample();
    e.text[Field::Title] = "New title";
    e.text[Field::Duty] = "20";
    e.text[Field::HotInlet] = "210";
    e.text[Field::TubeLength] = "61";
    EXPECT_FALSE(Calculate_Output(e, c, m));
    EXPECT_EQ(std::tuple(c.TITLE, c.QTOTAL, c.THOTIN, c.LENGTH),
              std::tuple("New title", 20e6, 210.0, 61.0));
    EXPECT_EQ(std::tuple(c.NROWS, c.COSTTOTAL, c.TAIROUT),
              std::tuple(before.NROWS, before.COSTTOTAL, before.TAIROUT));
    SizingCase metric = test::freshCase(false);
    e = test::workedExample(false);
    e.text[Field::Duty] = "3000"; // MW
    EXPECT_FALSE(Calculate_Output(e, metric, m));
    EXPECT_DOUBLE_EQ(metric.QTOTAL, 10236.9); // million Btu/hr, not yet multiplied
    EXPECT_DOUBLE_EQ(metric.UOVERALL, 79.95848);
}

// The service is the first option selected; with none, the record's is kept.
TEST(CalculateOutput, ServiceIsTheFirstSelectedOptionOrKept) {
    SizingCase c = test::freshCase();
    test::Messages m;
    SheetEntries e = test::workedExample();
    for (const auto& [selected, service] : {std::pair{std::array{false, true, true}, "Gas Cooling"},
                                            {std::array{false, false, false}, "earlier"}}) {
        c.SERVICE = "earlier";
        e.service = selected;
        ASSERT_TRUE(Calculate_Output(e, c, m));
        EXPECT_EQ(c.SERVICE, service);
    }
}

// Air leaving above 121 °C forces the draft in the record, once; a record
// without a draft counts as induced. (In °F: sheet_rules.tsv, "outlet air".)
TEST(CalculateOutput, OutletAirAbove250ForcesTheDraft) {
    SheetEntries e = test::workedExample(false);
    e.text[Field::HotInlet] = "370";
    e.text[Field::HotOutlet] = "340";
    SizingCase c = test::freshCase(false);
    c.DRAFT.reset();
    test::Messages m;
    ASSERT_TRUE(Calculate_Output(e, c, m));
    EXPECT_TRUE(isTrue(c.DRAFT));
    ASSERT_TRUE(Calculate_Output(e, c, m));
    EXPECT_EQ(m.texts, (std::vector<std::string>{kCompletionMessage,
                                                 "Outlet air temperature > 121 Deg. C.\n"
                                                 "Therefore, only forced draft can be used.\n"
                                                 "This will be reflected in the output",
                                                 kCompletionMessage}));
}

// A stage statement that faults stops the calculation with the stage's
// message, which its error field keeps; the next good run clears it. (The
// price's faults: validation.tsv.)
TEST(CalculateOutput, StageFaultStopsWithItsMessage) {
    SheetEntries e = test::workedExample(); // a tube count beyond 32 bits
    e.text[Field::Duty] = "9990";
    e.text[Field::AirInlet] = "199.99";
    e.text[Field::HotInlet] = "200";
    e.text[Field::HotOutlet] = "199.999";
    e.text[Field::TubeLength] = "8";
    SizingCase c = test::freshCase();
    test::Messages m;
    EXPECT_FALSE(Calculate_Output(e, c, m));
    EXPECT_EQ(m.texts, std::vector<std::string>{c.ERRTHERMAL});
    EXPECT_EQ(c.ERRTHERMAL,
              "The number of tubes of this case is beyond what the estimate can compute.\n"
              "Check the heat duty and the temperatures (Item 5).");
    ASSERT_TRUE(Calculate_Output(test::workedExample(), c, m));
    EXPECT_EQ(c.ERRTHERMAL + c.ERRPOWER + c.ERRPRICE, "   ");
}

// The stages that no entries can make fault, on records set up by hand: the
// target keeps its value and the message names the statement.
TEST(Stages, FanPowerAndWeightFaults) {
    SizingCase c; // 0 rows: no fan-power or weight table row, a division by zero
    c.ATUBEBARETOTAL = 1000;
    c.HORSEPOWER = 12;
    EXPECT_EQ(EstimateHorsepower(c),
              "The fan power of this case is beyond what the estimate can "
              "compute.\nCheck the heat duty and the temperatures (Item 5).");
    EXPECT_EQ(c.HORSEPOWER, 12);
    c.NROWS = 4;
    c.AFACE = 1e308;
    c.WEIGHTTOTAL = 34;
    EXPECT_EQ(EstimateWeight(c), "The weight of this case is beyond what the estimate can "
                                 "compute.\nCheck the heat duty and the temperatures (Item 5).");
    EXPECT_EQ(c.WEIGHTTOTAL, 34);
}

} // namespace
} // namespace keld
