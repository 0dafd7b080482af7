// The fluid lists' coefficients as the sheet shows them, and the entry texts
// of the user-defined fluids.

#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <ostream>

namespace keld {
namespace {

struct CoefficientCase {
    Service service;
    std::size_t position;
    bool english;
    const char* lower;
    const char* upper;
    const char* used;
};

std::ostream& operator<<(std::ostream& os, const CoefficientCase& c) {
    return os << static_cast<int>(c.service) << "/" << c.position << (c.english ? "/E" : "/M");
}

class CoefficientTextsTest : public ::testing::TestWithParam<CoefficientCase> {};

TEST_P(CoefficientTextsTest, RangeAndUsedValueAsTheSheetShowsThem) {
    const CoefficientCase& c = GetParam();
    const std::array<double, 3> user = {0, 50, 75};
    const auto texts = coefficientTexts(c.service, c.position, user, c.english);
    ASSERT_TRUE(texts);
    EXPECT_EQ(texts->lower, c.lower);
    EXPECT_EQ(texts->upper, c.upper);
    EXPECT_EQ(texts->used, c.used);
}

INSTANTIATE_TEST_SUITE_P(
    Fluids, CoefficientTextsTest,
    ::testing::Values(
        CoefficientCase{Service::Condensing, 0, true, "110", "175", "142.5"},
        CoefficientCase{Service::Condensing, 0, false, "624.58", "993.65", "809.115"},
        CoefficientCase{Service::Condensing, 6, true, "95", "95", "95"},
        CoefficientCase{Service::LiquidCooling, 20, true, "5", "10", "7.5"},
        CoefficientCase{Service::LiquidCooling, 20, false, "28.39", "56.78", "42.585"},
        CoefficientCase{Service::LiquidCooling, 15, true, "8", "12", "10"},
        CoefficientCase{Service::GasCooling, 13, false, "56.78", "56.78", "56.78"},
        CoefficientCase{Service::Condensing, 8, true, "70", "90", "80"},
        CoefficientCase{Service::LiquidCooling, 8, true, "80", "90", "85"},
        // the user-defined entries take their stored coefficient
        CoefficientCase{Service::Condensing, 14, true, "0", "0", "0"},
        CoefficientCase{Service::GasCooling, 19, true, "50", "50", "50"},
        CoefficientCase{Service::LiquidCooling, 22, false, "425.85", "425.85", "425.85"}));

TEST(Catalogue, UserDefinedEntryTextAndName) {
    EXPECT_FALSE(coefficientTexts(Service::Condensing, 15, {}, true)); // beyond the list
    EXPECT_EQ(userEntryText(Service::GasCooling, ""), "User Defined Gas: ");
    EXPECT_EQ(userEntryText(Service::LiquidCooling, "Brine"), "User Defined Liquid: Brine");
    EXPECT_EQ(userNameFromEntry(Service::LiquidCooling, "User Defined Liquid: Brine"), "Brine");
    EXPECT_EQ(userNameFromEntry(Service::GasCooling, "User Defined Gas: "), "");
    EXPECT_FALSE(userNameFromEntry(Service::GasCooling, "User Defined Gas"));
    // characters, not bytes: an entry with accented letters before the name
    EXPECT_EQ(userNameFromEntry(Service::GasCooling, "\xC3\xA9ser Defined Gas: Caf\xC3\xA9"),
              "Caf\xC3\xA9");
    EXPECT_FALSE(userNameFromEntry(
        Service::GasCooling,
        "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"));
}

} // namespace
} // namespace keld
