// Fans, bays and noise, the cost of ownership and its options, and the
// sweep, on top of finished cases.

#include "planning/plan.h"
#include "sheet_fixtures.h"
#include "sweep/sweep.h"
#include "table_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace keld::planning {
namespace {

SizingCase record(double width, double length, double horsepower = 40, double price = 0) {
    SizingCase c;
    c.XWIDTH = width;
    c.LENGTH = length;
    c.HORSEPOWER = horsepower;
    c.COSTTOTAL = price;
    return c;
}

// data/fan_layouts.tsv: bays, fans and their diameter at the rules' boundaries.
TEST(PlanFans, BaysFansAndDiameterAtTheRulesBoundaries) {
    for (const auto& r : test::readTable(KELD_TEST_TABLES "/fan_layouts.tsv")) {
        SCOPED_TRACE(r.at(0));
        const std::optional<FanPlan> p = planFans(record(std::stod(r.at(1)), std::stod(r.at(2))),
                                                  Options::defaults(UnitSystem::English));
        ASSERT_TRUE(p);
        EXPECT_EQ(p->bays, std::stoll(r.at(3)));
        EXPECT_EQ(p->fansPerBay, std::stoll(r.at(4)));
        EXPECT_EQ(p->fans, p->bays * p->fansPerBay);
        EXPECT_EQ(p->fanDiameterFt, std::stoi(r.at(5)));
        EXPECT_NEAR(p->coverage, std::stod(r.at(6)), 1e-6);
        std::string notes;
        for (const std::string& n : p->notes) {
            notes += n + "\n";
        }
        EXPECT_EQ(notes, r.size() > 7 ? r[7] : "");
    }
}

// Records that hold no finished bundle get no plan, and no NaN.
TEST(PlanFans, NoPlanWithoutAFinishedBundle) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const SizingCase& c : {record(0, 20), record(10.5, 20), record(nan, 20),
                                record(10, 0.5) /* no whole-foot fan fits */, record(10, 20, 0)}) {
        EXPECT_FALSE(planFans(c, Options::defaults(UnitSystem::English)))
            << c.XWIDTH << " " << c.LENGTH;
    }
}

// 4 fans of 16 ft (bays of 22.75 ft, 20 ft tubes), 60 hp, 8,000 ft/min:
// PWL = 56 + 30 log 8 + 10 log 15 = 94.85 dB(A) per fan, + 10 log 4 = 100.87;
// at 50 m: 100.87 - 20 log 50 - 8 = 58.89 dB(A); 8000 / (16 pi) = 159.15 rpm.
TEST(PlanFans, NoiseAndSpeedWorkedByHand) {
    Options o = Options::defaults(UnitSystem::Metric);
    o.set(Option::TipSpeed, 8000);
    o.set(Option::Distance, 50);
    const std::optional<FanPlan> p = planFans(record(91, 20, 60), o);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->fans, 4);
    EXPECT_EQ(p->fanDiameterFt, 16);
    EXPECT_NEAR(p->fanDiameterM, 4.8768, 1e-9);
    EXPECT_NEAR(p->rpm, 159.155, 1e-3);
    EXPECT_NEAR(p->soundPowerPerFanDbA, 94.854, 1e-3);
    EXPECT_NEAR(p->soundPowerDbA, 100.874, 1e-3);
    EXPECT_NEAR(p->soundPressureDbA, 58.895, 1e-3);
}

// 100 hp = 74.57 kW; 8,000 h at 0.10 US$: 59,656 US$ a year; annuity factor
// at 8 % over 10 years (1 - 1.08^-10) / 0.08 = 6.710081.
TEST(CostOfOwnership, PresentValueOfTheFanEnergy) {
    struct Row {
        double rate;
        int years;
        double presentValue;
    };
    for (const Row r : {Row{0.08, 10, 400296.62}, Row{0, 10, 596560}, Row{1e-300, 10, 596560},
                        Row{1, 1, 29828}}) {
        Options o = Options::defaults(UnitSystem::English);
        o.set(Option::Rate, r.rate);
        o.set(Option::Years, r.years);
        const std::optional<Ownership> w = costOfOwnership(record(30, 20, 100, 250000), o);
        ASSERT_TRUE(w);
        EXPECT_NEAR(w->energyCostPerYear, 59656, 1e-6);
        EXPECT_NEAR(w->energyPresentValue, r.presentValue, 0.01) << r.rate;
        EXPECT_NEAR(w->evaluatedCost, 250000 + r.presentValue, 0.01) << r.rate;
    }
}

// data/options.tsv: each option's check at its limits, in the units of an
// English (E) or Metric (M) case; the table names options by their flag.
TEST(Options, ChecksAtTheirLimits) {
    for (const auto& r : test::readTable(KELD_TEST_TABLES "/options.tsv")) {
        const UnitSystem units = r.at(0) == "E" ? UnitSystem::English : UnitSystem::Metric;
        const auto& table = optionTable();
        const auto row = std::find_if(table.begin(), table.end(),
                                      [&](const OptionRow& o) { return o.flag == r.at(1); });
        ASSERT_NE(row, table.end()) << r[1];
        GivenOptions given{};
        given[static_cast<std::size_t>(row->id)] = std::stod(r.at(2));
        EXPECT_EQ(optionsFrom(given, units).message.value_or(""), r.size() > 3 ? r[3] : "")
            << r[1] << " " << r[2];
    }
}

// Every alternative of a sweep is the sheet's own calculation of its rows,
// length and material: the same figures to the last bit, the same message.
TEST(Sweep, AlternativesEqualSingleRuns) {
    test::Messages m;
    Sheet base;
    base.startUp(KELD_DATA_DIR, m);
    sweep::Request request;
    request.lengths = {7.9, 20, 30.5, 61};
    request.materials = {0, 6};
    request.threads = 2;
    const sweep::Result r = sweep::run(base, request);
    ASSERT_EQ(r.all.size(), 2u * 8 * 4);
    EXPECT_EQ(r.ranked.size() + r.infeasible.size(), r.all.size());
    EXPECT_EQ(r.infeasible.size(), 2u * 8 * 2); // 7.9 and 61 ft
    for (const sweep::Alternative& a : r.all) {
        Sheet one = base;
        one.type(Field::Rows, std::to_string(a.rows));
        one.clickRows();
        one.type(Field::TubeLength, sweep::lengthText(r.length(a)));
        one.chooseMaterial(a.material);
        test::Messages single;
        ASSERT_EQ(one.calculate(single), a.ok());
        if (!a.ok()) {
            std::string line = single.texts.back();
            std::replace(line.begin(), line.end(), '\n', ' ');
            EXPECT_EQ(r.messages[a.message], line);
            continue;
        }
        const SizingCase& c = one.record();
        const Options o;
        EXPECT_EQ(a.figures.width, c.XWIDTH);
        EXPECT_EQ(a.figures.faceArea, c.AFACE);
        EXPECT_EQ(a.figures.fanPower, c.HORSEPOWER);
        EXPECT_EQ(a.figures.weight, c.WEIGHTTOTAL);
        EXPECT_EQ(a.figures.price, c.COSTTOTAL);
        EXPECT_EQ(a.figures.evaluatedCost, costOfOwnership(c, o)->evaluatedCost);
        EXPECT_EQ(a.figures.soundPressure, planFans(c, o)->soundPressureDbA);
    }
    for (std::size_t k = 1; k < r.ranked.size(); ++k) {
        EXPECT_LE(r.all[r.ranked[k - 1]].figures.price, r.all[r.ranked[k]].figures.price);
    }
    // An entry that fails before the tube length stops every alternative alike.
    base.type(Field::Title, "");
    const sweep::Result none = sweep::run(base, request);
    EXPECT_TRUE(none.ranked.empty());
    EXPECT_EQ(none.messages, std::vector<std::string>{"Input Project Title (Item 1)"});
}

} // namespace
} // namespace keld::planning
