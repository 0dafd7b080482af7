#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

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
    EXPECT_STREQ(condensing.fluids[9].name, "Amine Still OH @ 230 to 180 \xC2\xB0" "F");
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
    } rows[] = {{"Steel", 1.0},       {"Stainless Tubes Only", 1.3}, {"Inconel 600", 12.5},
                {"Titanium", 6.75},   {"Hastelloy", 6.7}};
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
