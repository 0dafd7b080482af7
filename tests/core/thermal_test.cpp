// The engine's stages: the bundle, rows and face velocity, the root solver,
// fan power, price and weight.

#include "engine/calculate.h"
#include "engine/estimates.h"
#include "engine/thermal.h"
#include "planning/plan.h"
#include "sheet_fixtures.h"
#include "table_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>

namespace keld {
namespace {

// data/worked_example.tsv: the worked example to its printed figures.
TEST(Stages, WorkedExampleToItsPrintedFigures) {
    SizingCase c = test::freshCase();
    test::Messages m;
    ASSERT_TRUE(Calculate_Output(test::workedExample(), c, m));
    std::map<std::string, double> figures;
    forEachField(c, [&](const char* name, const auto& field) {
        if constexpr (std::is_arithmetic_v<std::decay_t<decltype(field)>>) {
            figures[name] = static_cast<double>(field);
        }
    });
    for (const auto& row : test::readTable(KELD_TEST_TABLES "/worked_example.tsv")) {
        const double printed = std::stod(row.at(1));
        EXPECT_NEAR(figures.at(row.at(0)), printed, printed * std::stod(row.at(2))) << row[0];
    }
}

// The first row whose index bound lies above the index (none: the last), at
// each bound; rows fixed take their own velocity (rows chosen: worked_example).
TEST(Rows, FirstMatchingRowWinsAndFixedRowsTakeTheirVelocity) {
    for (const auto& [index, rows, velocity] : {std::tuple{0.4499, 4, 650},
                                                {0.45, 5, 600},
                                                {0.6, 6, 550},
                                                {0.75, 8, 450},
                                                {0.8999, 8, 450},
                                                {0.9, 10, 400},
                                                {NAN, 10, 400}}) {
        EXPECT_EQ(std::pair(rowsForIndex(index).rows, rowsForIndex(index).velocity),
                  std::pair(rows, velocity))
            << index;
    }
    const int velocity[] = {650, 650, 600, 550, 450, 450, 400, 400}; // rows 3..10
    for (int rows = 3; rows <= 10; ++rows) {
        EXPECT_EQ(velocityForRows(rows), velocity[rows - 3]) << rows;
    }
    SizingCase c = test::freshCase();
    c.ROWSFIXED = true;
    SheetEntries e = test::workedExample();
    e.text[Field::Rows] = "3";
    test::Messages m;
    ASSERT_TRUE(Calculate_Output(e, c, m));
    EXPECT_EQ(std::pair(c.NROWS, c.FACEVELOCITY), std::pair(3, 650.0));
}

// The two failures of the root search (the worked example shows it converging).
TEST(FindRoot, SaysWhyItFoundNoRoot) {
    SizingCase c;
    // Both ends of one sign: the search runs to its end and says so.
    c.NTUAIR = 0.5;
    c.PHOT = 1.0 / 3 + 0.000001;
    const RootResult unbracketed = FindRoot([&](double x) { return ResidualHotMin(c, x); },
                                            kBracketLow, kBracketHigh, kSolverTolerance);
    EXPECT_EQ(std::pair(unbracketed.status, unbracketed.root),
              std::pair(RootStatus::NotBracketed, kBracketHigh));
    EXPECT_EQ(rootFailure(unbracketed.status),
              "Error in root calculation, root must be bracketed.\n"
              "Reset calculations sheet and try again.\n"
              "If this fails, call Vendrel Products at (555) 014-2701.");
    // A step at 0 with no tolerance left: the bracket halves every round and
    // never gets within a relative tolerance of 0. No sheet entries reach this.
    const RootResult endless = FindRoot([](double x) { return x < 0 ? -1.0 : 1.0; }, -1, 1, 0);
    EXPECT_EQ(std::pair(endless.status, endless.rounds), std::pair(RootStatus::TooManyRounds, 100));
    EXPECT_EQ(rootFailure(endless.status),
              "Maximum iterations exceeded.\n"
              "Reset calculations sheet and try again.\n"
              "It this fails, call Vendrel Products at (555) 014-2701.");
}

// Over many random valid cases in either unit system: the air leaves cooler
// than the hot fluid enters and the hot fluid leaves warmer than the air
// enters, no field is NaN or infinite, and the fan plan keeps its rules.
TEST(Stages, PhysicalSanityOverRandomCases) {
    std::mt19937_64 rng(20261206);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int completed = 0;
    int laidOut = 0;
    for (int i = 0; i < 3000; ++i) {
        const bool english = i % 2 == 0;
        const double airIn = -40 + 240 * unit(rng); // °F
        const double hotIn = airIn + 1 + (750 - airIn - 1) * unit(rng);
        const double hotOut = airIn + (hotIn - airIn) * (0.01 + 0.98 * unit(rng));
        const auto temperature = [&](double f) { return english ? f : (f - 32) / 1.8; };
        SheetEntries e = test::workedExample();
        e.text[Field::AirInlet] = std::to_string(temperature(airIn));
        e.text[Field::HotInlet] = std::to_string(temperature(hotIn));
        e.text[Field::HotOutlet] = std::to_string(temperature(hotOut));
        e.text[Field::Coefficient] = std::to_string((6 + 194 * unit(rng)) * (english ? 1 : 5.678));
        e.text[Field::TubeLength] = std::to_string((8 + 52 * unit(rng)) * (english ? 1 : 0.3048));
        e.text[Field::Duty] =
            std::to_string(0.1 * std::pow(10, 4.99 * unit(rng)) * (english ? 1 : 0.2931));
        e.text[Field::Rows] = std::to_string(3 + i % 8);
        SizingCase c = test::freshCase(english);
        c.ROWSFIXED = unit(rng) < 0.5;
        test::Messages m;
        if (!Calculate_Output(e, c, m)) {
            continue; // an outlet rounded onto its inlet, a duty beyond 32-bit tube counts
        }
        ++completed;
        EXPECT_LT(c.TAIROUT, c.THOTIN) << i;
        EXPECT_GT(c.THOTOUT, c.TAIRIN) << i;
        forEachField(c, [&](const char* name, const auto& field) {
            if constexpr (std::is_same_v<std::decay_t<decltype(field)>, double>) {
                EXPECT_TRUE(std::isfinite(field)) << name << " " << i;
            }
        });
        EXPECT_GE(c.COSTTOTAL, 50000);
        EXPECT_TRUE(isTrue(c.ROWSFIXED) || (c.NROWS != 3 && c.NROWS != 7 && c.NROWS != 9));
        // A fan layout, where there is one, keeps the rules of fan_layouts.tsv.
        const planning::Plan p = planning::planCase(c, {});
        ASSERT_TRUE(p.fans && p.air && p.ownership) << i;
        if (const std::optional<planning::FanLayout>& l = p.fans->layout) {
            ++laidOut;
            EXPECT_LE(l->bayWidthFt, 30 * (1 + 1e-9)) << i;
            EXPECT_GE(l->fans, 2) << i;
            EXPECT_LE((l->diameterFt + 1) * l->bays, c.XWIDTH * (1 + 1e-9)) << i;
            EXPECT_LE((l->diameterFt + 1) * l->fansPerBay, c.LENGTH * (1 + 1e-9)) << i;
            EXPECT_GE(l->coverage, 0.40 * (1 - 1e-9)) << i;
            EXPECT_TRUE(std::isfinite(p.fans->soundPressureDbA) && std::isfinite(p.fans->rpm)) << i;
        } else {
            EXPECT_FALSE(p.fans->notes.empty()) << i;
        }
    }
    EXPECT_GT(completed, 2800);
    EXPECT_GT(laidOut, completed / 2); // small bundles and short tubes on wide ones have none
}

// The price estimate on a record set up by hand.
SizingCase pricedCase(double bare, int rows, double length) {
    SizingCase c;
    c.ATUBEBARETOTAL = bare;
    c.NROWS = rows;
    c.LENGTH = length;
    c.AFACE = 100;
    c.COSTFACTOR = 1;
    c.MATERIALFACTOR = 1;
    return c;
}

TEST(EstimatePrice, SmallSurfacesFloorAndUserPrice) {
    // Below 1000 sq ft the surface is priced as 1000 sq ft without the length
    // factor, and the price per area divides by the surface itself.
    // 4 rows: U(1000) = 1000^-1.378199 · 201861.4 + 24.08489 = 38.8915, + 20
    // = 58.8915 US$/sq ft; · 1.45 · 1000 sq ft · 1.25 = 106,740.88 US$ without
    // the length factor, 106.8477 US$ per each of the 999 sq ft; at 1000 sq ft
    // of 40 ft tubes the factor 5.3 · 40^-0.48 = 0.902167 gives 96,298.13.
    SizingCase small = pricedCase(999, 4, 40);
    SizingCase at = pricedCase(1000, 4, 40);
    EXPECT_FALSE(EstimatePrice(small) || EstimatePrice(at));
    EXPECT_EQ(small.LENGTHFACTOR, 1.0);
    EXPECT_NEAR(small.COSTTOTAL, 106740.88, 1e-2);
    EXPECT_NEAR(small.COSTTOTALPERAREA, 106.8477, 1e-4);
    EXPECT_NEAR(at.LENGTHFACTOR, 0.902167, 1e-6);
    EXPECT_NEAR(at.COSTTOTAL, 96298.13, 1e-2);

    SizingCase zero = pricedCase(5000, 6, 30);
    zero.COSTFACTOR = 0;
    SizingCase noMaterial = pricedCase(5000, 6, 30);
    noMaterial.MATERIALFACTOR = 0;
    EXPECT_FALSE(EstimatePrice(zero) || EstimatePrice(noMaterial));
    EXPECT_EQ(zero.COSTTOTAL, 50000);
    EXPECT_EQ(noMaterial.COSTTOTAL, 50000);

    SizingCase user = pricedCase(5000, 6, 30);
    user.COSTUSER = 12345;
    EXPECT_FALSE(EstimatePrice(user) || EstimateWeight(user));
    EXPECT_EQ(user.COSTTOTAL, 12345);
    EXPECT_DOUBLE_EQ(user.COSTTOTALPERAREA, 2.469);
    EXPECT_EQ(user.WEIGHTTOTAL, 8800); // 100 sq ft of face at 88 lb for 6 rows
    EXPECT_NEAR(user.COSTTOTALPERMASS, 1.402841, 1e-6);
}

} // namespace
} // namespace keld
