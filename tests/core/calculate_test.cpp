// The calculation driver: the entry checks in their order, what the record
// keeps after a failure, the draft rule and the stages' arithmetic faults.

#include "engine/calculate.h"
#include "engine/estimates.h"
#include "engine/thermal.h"
#include "sheet_fixtures.h"

#include <gtest/gtest.h>

namespace keld {
namespace {

struct ValidationCase {
    const char* name;
    bool english;
    int field; // 0: the fluid text; 1..12: TextN
    const char* value;
    const char* message; // nullptr: passes
};

std::ostream& operator<<(std::ostream& os, const ValidationCase& v) {
    return os << v.name;
}

class ValidationTest : public ::testing::TestWithParam<ValidationCase> {};

// A valid sheet in either unit system, one entry changed.
SheetEntries validSheet(bool english) {
    SheetEntries e = test::workedExample();
    if (!english) {
        e.text[Field::Coefficient] = "454"; // W/(sq m °C)
        e.text[Field::AirInlet] = "35";     // °C
        e.text[Field::HotInlet] = "93";
        e.text[Field::HotOutlet] = "49";
        e.text[Field::TubeLength] = "9.1"; // m
        e.text[Field::Duty] = "2.93";      // MW
    }
    return e;
}

TEST_P(ValidationTest, FirstFailingCheckShowsItsMessage) {
    const ValidationCase& v = GetParam();
    SheetEntries e = validSheet(v.english);
    if (v.field == 0) {
        e.fluid = v.value;
    } else {
        e.text[static_cast<Field>(v.field)] = v.value;
    }
    SizingCase c = test::freshCase(v.english);
    test::Messages m;
    const bool ok = Calculate_Output(e, c, m);
    ASSERT_FALSE(m.texts.empty());
    if (v.message) {
        EXPECT_FALSE(ok);
        ASSERT_EQ(m.texts.size(), 1u);
        EXPECT_EQ(m.texts[0], v.message);
        EXPECT_EQ(m.icons[0], MessageIcon::None);
    } else {
        EXPECT_TRUE(ok) << m.texts[0];
        EXPECT_EQ(m.texts[0], kCompletionMessage);
    }
}

constexpr const char* kU_E = "The Overall Heat Transfer Coefficient (Item 3) is out of range.\n"
                             "Values between 6 and 200 Btu/(Hr-SqFt-F) are valid.";
constexpr const char* kU_M = "The Overall Heat Transfer Coefficient (Item 3) is out of range.\n"
                             "Values between 34.1 and 1136 W/(SqM-C) are valid.";
constexpr const char* kQ_E = "The Hot Side Heat Duty (Item 5) is out of range.\n"
                             "Values between 0.1 and 9990 MMBtu/Hr are valid.";
constexpr const char* kQ_M = "The Hot Side Heat Duty (Item 5) is out of range.\n"
                             "Values between 0.3 and 2920 MW are valid.";
constexpr const char* kTA_E = "The Air Inlet Temperature (Item 5) is out of range.\n"
                              "Values between -40 and 200 Deg. F are valid.";
constexpr const char* kTA_M = "The Air Inlet Temperature (Item 5) is out of range.\n"
                              "Values between -40 and 94 Deg. C are valid.";
constexpr const char* kTH_E = "The Hot Fluid Inlet Temperature (Item 5) is out of range.\n"
                              "Values between Tair-in and 750 Deg. F are valid.";
constexpr const char* kTH_M = "The Hot Fluid Inlet Temperature (Item 5) is out of range.\n"
                              "Values between Tair-in and 398 Deg. C are valid.";
constexpr const char* kTO = "The Hot Fluid Outlet Temperature (Item 5) is out of range.\n"
                            "Values between Tair-in and Thot-in are valid.";
constexpr const char* kL_E = "The Tube Length (Item 6) is out of range.\n"
                             "Values between 8 and 60 feet are valid.";
constexpr const char* kL_M = "The Tube Length (Item 6) is out of range.\n"
                             "Values between 2.44 and 18.28 meter are valid.";
constexpr const char* kRows = "The Number of Tube Rows (Item 6) is out of range.\n"
                              "Values between 3 and 10 are valid.";

INSTANTIATE_TEST_SUITE_P(
    MissingEntries, ValidationTest,
    ::testing::Values(
        ValidationCase{"title", true, 4, "", "Input Project Title (Item 1)"},
        ValidationCase{"fluid", true, 0, "", "Select Hot Side Fluid (Item 3)"},
        ValidationCase{"coefficient", true, 3, "",
                       "Input Overall Heat Transfer Coefficient (Item 3)"},
        ValidationCase{"duty", true, 12, "", "Input Hot Side Heat Duty (Item 5)"},
        ValidationCase{"air", true, 5, "", "Input Air Inlet Temperature (Item 5)"},
        ValidationCase{"hotin", true, 6, "", "Input Hot Fluid Inlet Temperature (Item 5)"},
        ValidationCase{"hotout", true, 7, "", "Input Hot Fluid Outlet Temperature (Item 5)"},
        ValidationCase{"length", true, 11, "", "Input Tube Length (Item 6)"},
        ValidationCase{"rows", true, 8, "", "Input Number of Tube Rows (Item 6)"},
        ValidationCase{"item_not_checked", true, 9, "", nullptr},
        ValidationCase{"factor_text_accepted", true, 10, "abc", nullptr},
        ValidationCase{"factor_zero_accepted", true, 10, "0", nullptr}));

INSTANTIATE_TEST_SUITE_P(
    EnglishBounds, ValidationTest,
    ::testing::Values(ValidationCase{"u6", true, 3, "6", nullptr},
                      ValidationCase{"u200", true, 3, "200", nullptr},
                      ValidationCase{"u5_99", true, 3, "5.99", kU_E},
                      ValidationCase{"u200_01", true, 3, "200.01", kU_E},
                      ValidationCase{"u_overflow", true, 3, "1e400", kU_E},
                      ValidationCase{"q0_1", true, 12, "0.1", nullptr},
                      ValidationCase{"q9990", true, 12, "9990", nullptr},
                      ValidationCase{"q0_09", true, 12, "0.09", kQ_E},
                      ValidationCase{"q_negative_overflow", true, 12, "-1e400", kQ_E},
                      ValidationCase{"air_minus40", true, 5, "-40", nullptr},
                      ValidationCase{"air_200_hot_inlet_not_above", true, 5, "200", kTH_E},
                      ValidationCase{"air_201", true, 5, "201", kTA_E},
                      ValidationCase{"air_letters_read_as_0", true, 5, "warm", nullptr},
                      ValidationCase{"hotin_750", true, 6, "750", nullptr},
                      ValidationCase{"hotin_751", true, 6, "751", kTH_E},
                      ValidationCase{"hotin_equals_air", true, 6, "95", kTH_E},
                      ValidationCase{"hotout_equals_air", true, 7, "95", kTO},
                      ValidationCase{"hotout_equals_hotin", true, 7, "200", kTO},
                      ValidationCase{"length8", true, 11, "8", nullptr},
                      ValidationCase{"length60", true, 11, "60", nullptr},
                      ValidationCase{"length_blanks_read_as_0", true, 11, "  ", kL_E},
                      ValidationCase{"rows10_5_reads_10", true, 8, "10.5", nullptr},
                      ValidationCase{"rows10_51_reads_11", true, 8, "10.51", kRows},
                      ValidationCase{"rows2_5_reads_2", true, 8, "2.5", kRows},
                      ValidationCase{"rows_too_large_for_a_whole_number", true, 8, "1e20", kRows}));

INSTANTIATE_TEST_SUITE_P(
    MetricBounds, ValidationTest,
    ::testing::Values(ValidationCase{"u34_06", false, 3, "34.06", kU_M},
                      ValidationCase{"u34_07", false, 3, "34.07", nullptr},
                      ValidationCase{"u1135_5", false, 3, "1135.5", nullptr},
                      ValidationCase{"u1135_6", false, 3, "1135.6", kU_M},
                      ValidationCase{"q0_05MW_passes", false, 12, "0.05", nullptr},
                      ValidationCase{"q0_02MW", false, 12, "0.02", kQ_M},
                      ValidationCase{"air_94C_is_201F", false, 5, "94", kTA_M},
                      ValidationCase{"air_93C_hot_inlet_not_above", false, 5, "93", kTH_M},
                      ValidationCase{"air_letters_read_as_32F", false, 5, "x", nullptr},
                      ValidationCase{"hotin_399C", false, 6, "399", kTH_M},
                      ValidationCase{"length_2_4m", false, 11, "2.4", kL_M},
                      ValidationCase{"length_18_28m", false, 11, "18.28", nullptr},
                      ValidationCase{"length_18_3m", false, 11, "18.3", kL_M}));

TEST(CalculateOutput, EmptyTitleStopsFirstEvenWithEverythingMissing) {
    SizingCase c = test::freshCase();
    test::Messages m;
    EXPECT_FALSE(Calculate_Output(SheetEntries{}, c, m));
    EXPECT_EQ(m.texts, std::vector<std::string>{"Input Project Title (Item 1)"});
}

TEST(CalculateOutput, FailedLengthKeepsEarlierFieldsAndOldResults) {
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
    EXPECT_EQ(c.TITLE, "New title");
    EXPECT_EQ(c.QTOTAL, 20e6);
    EXPECT_EQ(c.THOTIN, 210);
    EXPECT_EQ(c.LENGTH, 61); // the failing field holds the value just read
    EXPECT_EQ(c.NROWS, before.NROWS);
    EXPECT_EQ(c.COSTTOTAL, before.COSTTOTAL);
    EXPECT_EQ(c.TAIROUT, before.TAIROUT);
}

TEST(CalculateOutput, MetricFailureHoldsTheConvertedValue) {
    SizingCase c = test::freshCase(false);
    test::Messages m;
    SheetEntries e = validSheet(false);
    e.text[Field::Duty] = "3000"; // MW
    EXPECT_FALSE(Calculate_Output(e, c, m));
    EXPECT_DOUBLE_EQ(c.QTOTAL, 10236.9); // million Btu/hr, not yet multiplied
    EXPECT_DOUBLE_EQ(c.UOVERALL, 79.95848);
}

TEST(CalculateOutput, ServiceIsTheFirstSelectedOptionOrKept) {
    SizingCase c = test::freshCase();
    c.SERVICE = "earlier";
    test::Messages m;
    SheetEntries e = test::workedExample();
    e.service = {false, true, true};
    ASSERT_TRUE(Calculate_Output(e, c, m));
    EXPECT_EQ(c.SERVICE, "Gas Cooling");
    e.service = {false, false, false};
    c.SERVICE = "earlier";
    ASSERT_TRUE(Calculate_Output(e, c, m));
    EXPECT_EQ(c.SERVICE, "earlier");
}

// Air leaving above 250 °F forces the draft in the record, once; a record
// without a draft counts as induced.
TEST(CalculateOutput, OutletAirAbove250ForcesTheDraft) {
    for (const bool english : {true, false}) {
        SheetEntries e = validSheet(english);
        e.text[Field::HotInlet] = english ? "700" : "370";
        e.text[Field::HotOutlet] = english ? "650" : "340";
        SizingCase c = test::freshCase(english);
        c.DRAFT = english ? Flag{} : Flag{false};
        test::Messages m;
        ASSERT_TRUE(Calculate_Output(e, c, m));
        ASSERT_EQ(m.texts.size(), 2u);
        EXPECT_EQ(m.texts[0], kCompletionMessage);
        EXPECT_EQ(m.texts[1], english ? "Outlet air temperature > 250 Deg. F.\n"
                                        "Therefore, only  forced draft can be used.\n"
                                        "This will be reflected in the output"
                                      : "Outlet air temperature > 121 Deg. C.\n"
                                        "Therefore, only forced draft can be used.\n"
                                        "This will be reflected in the output");
        EXPECT_TRUE(isTrue(c.DRAFT));
        m.texts.clear();
        ASSERT_TRUE(Calculate_Output(e, c, m));
        EXPECT_EQ(m.texts, std::vector<std::string>{kCompletionMessage});
    }
}

// A stage statement that faults stops the calculation with the stage's
// message, which its error field keeps; the next good run clears it.
TEST(CalculateOutput, StageFaultsStopWithTheirMessage) {
    struct Row {
        const char* what;
        std::vector<std::pair<Field, const char*>> entries;
        std::string SizingCase::*error;
        const char* message;
    };
    const Row rows[] = {
        {"a tube count beyond 32 bits",
         {{Field::Duty, "9990"},
          {Field::AirInlet, "199.99"},
          {Field::HotInlet, "200"},
          {Field::HotOutlet, "199.999"},
          {Field::TubeLength, "8"}},
         &SizingCase::ERRTHERMAL,
         "The number of tubes of this case is beyond what the estimate can compute.\n"
         "Check the heat duty and the temperatures (Item 5)."},
        {"a price factor that holds, a price that does not",
         {{Field::PriceFactor, "1e305"}},
         &SizingCase::ERRPRICE,
         "The price of this case is beyond what the estimate can compute.\n"
         "Check the heat duty and the temperatures (Item 5)."},
        {"a price factor too large to hold",
         {{Field::PriceFactor, "1e400"}},
         nullptr,
         "The Price Multiplication Factor (Item 6) is too large to compute with."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        SheetEntries e = test::workedExample();
        for (const auto& [field, text] : row.entries) {
            e.text[field] = text;
        }
        SizingCase c = test::freshCase();
        test::Messages m;
        EXPECT_FALSE(Calculate_Output(e, c, m));
        EXPECT_EQ(m.texts, std::vector<std::string>{row.message});
        if (row.error) {
            EXPECT_EQ(c.*row.error, row.message);
        }
        ASSERT_TRUE(Calculate_Output(test::workedExample(), c, m));
        EXPECT_EQ(c.ERRTHERMAL + c.ERRPOWER + c.ERRPRICE, "   ");
    }
}

// The stages that no entries can make fault, on records set up by hand: the
// target keeps its value and the message names the statement.
TEST(Stages, FanPowerAndWeightFaults) {
    SizingCase c;
    c.NROWS = 0; // no fan-power or weight table row: a division by zero
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
