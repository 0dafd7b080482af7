#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <ostream>

namespace keld {
namespace {

TEST(Catalogue, ListSizesAndUserEntryPositions) {
    EXPECT_EQ(fluidListSize(Service::Condensing), 15u);
    EXPECT_EQ(fluidListSize(Service::GasCooling), 20u);
    EXPECT_EQ(fluidListSize(Service::LiquidCooling), 23u);
    const auto liquid = fluidList(Service::LiquidCooling, "User Defined Liquid");
    ASSERT_EQ(liquid.size(), 23u);
    EXPECT_EQ(liquid[22], "User Defined Liquid");
    EXPECT_EQ(liquid[0], "Engine Jacket Water 40% EG");
    EXPECT_EQ(liquid[21], "Fuel Oils");
}

TEST(Catalogue, BindingOrderAndCoefficients) {
    const auto& condensing = serviceInfo(Service::Condensing);
    EXPECT_STREQ(condensing.fluids[0].name, "Steam @ 0 to 20 psig");
    EXPECT_EQ(condensing.fluids[0].lower, 110);
    EXPECT_EQ(condensing.fluids[0].upper, 175);
    EXPECT_STREQ(condensing.fluids[9].name, "Amine Still OH @ 230 to 180 \xC2\xB0"
                                            "F");
    EXPECT_STREQ(condensing.fluids[8].name, "Heavy Naphtha");
    EXPECT_EQ(condensing.fluids[8].lower, 70);
    const auto& liquid = serviceInfo(Service::LiquidCooling);
    EXPECT_STREQ(liquid.fluids[8].name, "Heavy Naphtha");
    EXPECT_EQ(liquid.fluids[8].lower, 80);
    EXPECT_STREQ(liquid.fluids[20].name, "Tar");
    EXPECT_EQ(liquid.fluids[20].upper, 10);
    const auto& gas = serviceInfo(Service::GasCooling);
    EXPECT_STREQ(gas.fluids[13].name, "Air or Flue Gas @ 50 psig and dp = 1 psi");
    EXPECT_STREQ(gas.fileCode, "GAS");
    EXPECT_STREQ(gas.userPrefix, "User Defined Gas: ");
}

TEST(Catalogue, MaterialsAndTheirFactors) {
    ASSERT_EQ(materials().size(), 10u);
    struct Row {
        const char* name;
        double factor;
    } rows[] = {{"Steel", 1.0},
                {"Stainless Tubes Only", 1.3},
                {"Inconel 600", 12.5},
                {"Titanium", 6.75},
                {"Hastelloy", 6.7}};
    for (const Row& r : rows) {
        const auto pos = findMaterial(r.name);
        ASSERT_TRUE(pos) << r.name;
        EXPECT_EQ(materialFactor(*pos), r.factor) << r.name;
    }
    EXPECT_LT(*findMaterial("Titanium"), *findMaterial("Hastelloy"));
    EXPECT_FALSE(findMaterial("steel"));
}

} // namespace
} // namespace keld

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

TEST(Catalogue, BeyondTheListThereIsNoCoefficient) {
    EXPECT_FALSE(coefficientTexts(Service::Condensing, 15, {}, true));
}

TEST(Catalogue, UserDefinedEntryTextAndName) {
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
