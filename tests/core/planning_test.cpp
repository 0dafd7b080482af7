// Fans, motors, noise, the air side and the cost of ownership on top of
// finished cases; the options they take; and the sweep.

#include "planning/motors.h"
#include "planning/plan.h"
#include "sheet_fixtures.h"
#include "sweep/sweep.h"
#include "table_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <sstream>

namespace keld::planning {
namespace {

// "E:fewest-fans=1 largest-fan=29": options given in English (E) or Metric
// (M) units, by their flags.
OptionsOrMessage given(const std::string& text) {
    GivenOptions values{};
    std::istringstream pairs(text.substr(2));
    for (std::string pair; pairs >> pair;) {
        const std::string flag = pair.substr(0, pair.find('='));
        const auto& t = optionTable();
        const auto row = std::find_if(t.begin(), t.end(), [&](auto& o) { return o.flag == flag; });
        values.at(row == t.end() ? kOptionCount : static_cast<std::size_t>(row->id)) =
            std::stod(pair.substr(flag.size() + 1));
    }
    return optionsFrom(values, text.starts_with("M:") ? UnitSystem::Metric : UnitSystem::English);
}

// data/fan_layouts.tsv: bays, fans and their diameter at the rules' boundaries.
TEST(FanLayout, AtTheRulesBoundaries) {
    for (const auto& r : test::readTable(KELD_TEST_TABLES "/fan_layouts.tsv")) {
        SCOPED_TRACE(r.at(0));
        const OptionsOrMessage o = given(r.at(3));
        ASSERT_FALSE(o.message) << *o.message;
        const std::optional<FanLayout> l =
            layoutFans(std::stod(r.at(1)), std::stod(r.at(2)), o.options);
        ASSERT_EQ(l.has_value(), r.at(4) != "none");
        if (!l) {
            continue;
        }
        EXPECT_EQ(std::tuple(l->bays, l->fansPerBay, l->diameterFt),
                  std::tuple(std::stoll(r.at(4)), std::stoll(r.at(5)), std::stoi(r.at(6))));
        EXPECT_NEAR(l->plenumDepthFt, std::stod(r.at(7)), 1e-6);
        EXPECT_NEAR(l->coverage, std::stod(r.at(8)), 1e-6);
    }
}

// A finished record worked by hand through every figure of the plan:
// W = 20 ft, L = 36 ft, 40 hp, 600,000 lb/hr of air from 70 to 130 °F,
// forced draft, the hot fluid leaving at 110 °F.
SizingCase handWorked() {
    SizingCase c = test::freshCase();
    c.XWIDTH = 20;
    c.LENGTH = 36;
    c.HORSEPOWER = 40;
    c.MAIR = 600000;
    c.TAIRIN = 70;
    c.TAIROUT = 130;
    c.THOTOUT = 110;
    c.AFACE = 700;
    c.FACEVELOCITY = 600;
    c.COSTTOTAL = 250000;
    return c;
}

TEST(Plan, EveryFigureWorkedByHand) {
    Options o;
    o.set(Option::NearFieldLimit, 85);
    const Plan p = planCase(handWorked(), o);
    ASSERT_TRUE(p.fans && p.fans->layout && p.air && p.ownership);
    const FanPlan& f = *p.fans;
    const FanLayout& l = *f.layout;
    // 36 ft is exactly 1.8 bay widths: one fan would do, two is the fewest.
    // 2·pi·d²/4 >= 0.4·20·36 = 288 gives d = 14 (13: 265.5); 14 + 1 <= 18.
    EXPECT_EQ(std::tuple(l.bays, l.fansPerBay, l.diameterFt, l.bayWidthFt, l.plotLengthFt),
              std::tuple(1, 2, 14, 20.0, 18.0));
    EXPECT_NEAR(l.coverage, 0.427606, 1e-6); // 307.88 / 720
    EXPECT_DOUBLE_EQ(l.plenumDepthFt, 2);    // (18 − 14) / 2
    EXPECT_NEAR(f.fanDiameterM, 4.2672, 1e-12);
    EXPECT_NEAR(f.rpm, 227.364, 1e-3); // 10,000 / (14 pi)
    // 20 hp a fan; 20 · 1.10 / 0.95 = 23.16 hp takes a 25 hp motor.
    EXPECT_EQ(std::tuple(f.shaftPowerPerFanHp, f.motorRating), std::tuple(20.0, 25.0));
    // PWL = 56 + 30 log 10 + 10 log 20 = 99.010; two fans 102.021; at 30.48 m:
    // 102.021 − 20 log 30.48 − 8 = 64.340. 1 m below a fan: 14 ft = 4.2672 m
    // sweeps 14.301 sq m (more than 2 pi): 99.010 − 11.554 = 87.457.
    EXPECT_NEAR(f.soundPowerPerFanDbA, 99.0103, 1e-4);
    EXPECT_NEAR(f.soundPowerDbA, 102.0206, 1e-4);
    EXPECT_NEAR(f.soundPressureDbA, 64.3403, 1e-4);
    EXPECT_NEAR(f.nearFieldDbA, 87.4565, 1e-4);
    // 85 dB(A) 1 m below: 10,000 · 10^((85 − 87.457) / 30) = 8,281.6 ft/min,
    // which the chosen 10,000 ft/min exceeds.
    ASSERT_TRUE(f.tipSpeedForLimitsFtMin);
    EXPECT_NEAR(*f.tipSpeedForLimitsFtMin, 8281.62, 1e-2);
    EXPECT_TRUE(f.breaksNearFieldLimit && !f.breaksListenerLimit);
    EXPECT_EQ(f.notes, std::vector<std::string>{
                           "At a tip speed of 10000 ft/min the fans break the noise limit 1 m "
                           "below a fan; 8282 ft/min is the highest tip speed that meets the "
                           "limits."});
    // Air at 70 °F is standard air, 0.075 lb/cu ft: 10,000 lb/min is 133,333
    // cu ft/min; at 130 °F 0.075 · 529.67 / 589.67 = 0.067369, 148,437 cu ft/min.
    const AirSide& a = *p.air;
    EXPECT_DOUBLE_EQ(a.densityInletLbFt3, 0.075);
    EXPECT_NEAR(a.volumeInletAcfm, 133333.333, 1e-3);
    EXPECT_NEAR(a.volumeOutletAcfm, 148437.077, 1e-3);
    EXPECT_NEAR(a.volumeAtFansAcfm, 133333.333, 1e-3); // forced draft: the inlet's
    EXPECT_NEAR(*a.volumePerFanAcfm, 66666.667, 1e-3);
    EXPECT_DOUBLE_EQ(a.bundleFaceSqFt, 720);
    EXPECT_DOUBLE_EQ(a.approachF, 40);
    // 40 hp · 0.7457 / (0.95 · 0.93) = 33.761 kW; 8,000 h at 0.10 US$: 27,008.94
    // a year; (1 − 1.08^−10) / 0.08 = 6.710081: 181,232.20.
    const Ownership& w = *p.ownership;
    EXPECT_NEAR(w.electricalPowerKw, 33.76118, 1e-5);
    EXPECT_NEAR(w.energyCostPerYear, 27008.94, 1e-2);
    EXPECT_NEAR(w.energyPresentValue, 181232.20, 1e-2);
    EXPECT_NEAR(w.evaluatedCost, 431232.20, 1e-2);
}

// Induced draft moves the outlet's air; a listener limit met exactly is met;
// tubes longer than 50 ft and bays wider than the tubes are noted.
TEST(Plan, DraftLimitsAndProportions) {
    SizingCase c = handWorked();
    c.DRAFT = false;
    Options o;
    o.set(Option::NoiseLimit, 64.34030065992837); // the pressure at the listener itself
    const Plan p = planCase(c, o);
    EXPECT_NEAR(p.air->volumeAtFansAcfm, 148437.077, 1e-3);
    EXPECT_FALSE(p.fans->breaksLimits());
    EXPECT_TRUE(p.fans->notes.empty());
    c.LENGTH = 51; // 51 ft: 1.8 · 20 = 36 < 51, two fans of 17 ft in one bay
    c.XWIDTH = 20;
    EXPECT_EQ(planFans(c, Options())->notes,
              std::vector<std::string>{"Tubes longer than 50 ft are hard to transport."});
    c.LENGTH = 8; // three bays of 10 ft wider than 8 ft tubes
    c.XWIDTH = 30;
    c.ENGLISH = false;
    const FanPlan wide = *planFans(c, Options());
    EXPECT_TRUE(wide.wideBays);
    EXPECT_EQ(wide.notes, std::vector<std::string>{
                              "Each bay (3.05 m) is wider than the tubes are long (2.44 m)."});
}

// Records that hold no finished bundle get no plan; one too small for a fan
// gets a plan without a layout, and a note.
TEST(Plan, WithoutAFinishedBundleOrALayout) {
    SizingCase c = handWorked();
    for (const auto& [width, length, power] :
         {std::tuple{0.0, 20.0, 40.0}, {10.5, 20.0, 40.0}, {NAN, 20.0, 40.0}, {10.0, 20.0, 0.0}}) {
        c.XWIDTH = width;
        c.LENGTH = length;
        c.HORSEPOWER = power;
        EXPECT_FALSE(planFans(c, Options())) << width << " " << power;
    }
    c.XWIDTH = 3;
    c.LENGTH = 8;
    c.HORSEPOWER = 5;
    const Plan p = planCase(c, Options());
    ASSERT_TRUE(p.fans);
    EXPECT_FALSE(p.fans->layout);
    EXPECT_FALSE(p.air->volumePerFanAcfm);
    EXPECT_EQ(p.fans->notes,
              std::vector<std::string>{
                  "No fan layout fits this bundle: fans of whole feet from 4 ft up to the largest "
                  "fan diameter (20 ft), each with its ring clearance (1 ft), cannot cover 40 % "
                  "of the face in bays of at most 30 ft with up to 50 fans per bay."});
    // 11 ft by 14 ft: two fans need plots of 7 ft, too short for a 7 ft fan
    // and its ring; one fan of 9 ft (pi·81/4 = 63.6 >= 0.4·11·14 = 61.6) fits.
    c.XWIDTH = 11;
    c.LENGTH = 14;
    const std::vector<std::string> notes = planFans(c, Options())->notes;
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[1], "With fewer fans in all (the option \"fewest fans\"), 1 fan of 9 ft would "
                        "fit.");
}

// Standard motor ratings: a power exactly on a rating takes it, a hair above
// takes the next; above the largest there is none. 22 kW is 29.50248 hp.
TEST(Motors, StandardRatings) {
    constexpr UnitSystem kE = UnitSystem::English, kM = UnitSystem::Metric;
    for (const auto& [hp, units, rating] : {std::tuple{25.0, kE, std::optional(25.0)},
                                            {25.001, kE, 30.0},
                                            {0.2, kE, 1.0},
                                            {300.0, kE, 300.0},
                                            {300.01, kE, std::nullopt},
                                            {29.5024, kM, 22.0},
                                            {29.51, kM, 30.0},
                                            {335.3, kM, std::nullopt}}) {
        EXPECT_EQ(standardMotorRating(hp, units), rating) << hp;
    }
}

// 100 hp through a drive of 0.95 and a motor of 0.93 draws 74.57 / 0.8835 =
// 84.403 kW; 8,000 h at 0.10 US$: 67,522.35 US$ a year.
TEST(CostOfOwnership, PresentValueOfTheEnergy) {
    SizingCase c = handWorked();
    c.HORSEPOWER = 100;
    for (const auto& [rate, years, presentValue] : {std::tuple{0.08, 10, 453080.49},
                                                    {0.0, 10, 675223.54},
                                                    {1e-300, 10, 675223.54},
                                                    {1.0, 1, 33761.18}}) {
        Options o;
        o.set(Option::Rate, rate);
        o.set(Option::Years, years);
        const std::optional<Ownership> w = costOfOwnership(c, o);
        ASSERT_TRUE(w);
        EXPECT_NEAR(w->energyCostPerYear, 67522.35, 1e-2);
        EXPECT_NEAR(w->energyPresentValue, presentValue, 0.01) << rate;
    }
}

// data/options.tsv: each option's check at both ends of its range.
TEST(Options, ChecksAtTheirLimits) {
    for (const auto& r : test::readTable(KELD_TEST_TABLES "/options.tsv")) {
        EXPECT_EQ(given(r.at(0)).message.value_or(""), r.size() > 1 ? r[1] : "") << r[0];
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
    EXPECT_EQ(r.ranked.size(), 32u);
    EXPECT_EQ(r.infeasible.size(), 32u); // 7.9 and 61 ft
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
        const Plan plan = planCase(c, Options());
        const sweep::AlternativeFigures& f = a.figures;
        EXPECT_EQ(std::tuple(f.width, f.faceArea, f.fanPower, f.weight, f.price),
                  std::tuple(c.XWIDTH, c.AFACE, c.HORSEPOWER, c.WEIGHTTOTAL, c.COSTTOTAL));
        EXPECT_EQ(std::tuple(f.evaluatedCost, f.soundPressure, f.fans, f.fanDiameterFt),
                  std::tuple(plan.ownership->evaluatedCost, plan.fans->soundPressureDbA,
                             plan.fans->layout->fans, plan.fans->layout->diameterFt));
    }
    // A noise limit no alternative meets leaves none feasible, with its reason.
    request.lengths = {20};
    request.options.set(Option::NearFieldLimit, 30);
    const sweep::Result quiet = sweep::run(base, request);
    EXPECT_TRUE(quiet.ranked.empty());
    EXPECT_EQ(quiet.messages,
              std::vector<std::string>{"The fans break a noise limit at the chosen tip speed."});
    // An entry that fails before the tube length stops every alternative alike.
    base.type(Field::Title, "");
    const sweep::Result none = sweep::run(base, request);
    EXPECT_TRUE(none.ranked.empty());
    EXPECT_EQ(none.messages, std::vector<std::string>{"Input Project Title (Item 1)"});
}

// Ranking by each figure, best first, a missing figure (no fan layout for
// fans of at most 10 ft with 2 ft for the ring) last; and the marks: among
// equal figures the one ranked first. The weight and the fans do not depend
// on the material: ranked by price or evaluated cost, the lightest is the
// cheaper Steel's; by noise, fan power or weight, the first in sweep order,
// 316 Stainless, as the sweep was asked.
TEST(Sweep, RanksAndMarks) {
    test::Messages m;
    Sheet base;
    base.startUp(KELD_DATA_DIR, m);
    sweep::Request request;
    request.lengths = {8, 20, 30};
    request.materials = {2, 0}; // 316 Stainless, Steel
    request.options.set(Option::LargestFan, 10);
    request.options.set(Option::FanClearance, 2);
    for (const sweep::Rank rank : {sweep::Rank::Price, sweep::Rank::Evaluated, sweep::Rank::Noise,
                                   sweep::Rank::FanPower, sweep::Rank::Weight}) {
        request.rank = rank;
        const sweep::Result r = sweep::run(base, request);
        ASSERT_EQ(r.ranked.size(), 48u);
        std::vector<double> figures;
        for (const std::uint32_t k : r.ranked) {
            figures.push_back(sweep::rankFigure(r.all[k].figures, rank));
        }
        // Best first, a missing figure (not a number) last.
        const auto before = [](double a, double b) { return !std::isnan(a) && !(b <= a); };
        EXPECT_TRUE(std::ranges::is_sorted(figures, before));
        EXPECT_EQ(std::ranges::count_if(figures, [](double x) { return std::isnan(x); }),
                  rank == sweep::Rank::Noise ? 16 : 0)
            << static_cast<int>(rank);
        const bool byCost = rank == sweep::Rank::Price || rank == sweep::Rank::Evaluated;
        EXPECT_EQ(r.all[*r.lightest].material, byCost ? 0 : 2) << static_cast<int>(rank);
        EXPECT_EQ(r.all[*r.cheapest].material, 0);
    }
}

// A sweep large enough for both threads, several chunks each, the merging of
// their messages and the parallel sort (more than 65,536 feasible
// alternatives) gives what one thread gives, to the bit: 7.5 to 60.5 ft by
// 0.02 (2,651 lengths), 8 row counts, six materials: 127,248 alternatives,
// of which those below 8 ft and above 60 ft fail, and those of unusual
// proportions are left out.
TEST(Sweep, TwoThreadsGiveWhatOneGives) {
    test::Messages m;
    Sheet base;
    base.startUp(KELD_DATA_DIR, m);
    std::string unused;
    sweep::Request request;
    request.lengths = *sweep::lengthRange(7.5, 60.5, 0.02, unused);
    request.materials = {0, 1, 2, 3, 4, 5};
    request.usualOnly = true;
    const sweep::Result one = sweep::run(base, request);
    request.threads = 2;
    const sweep::Result two = sweep::run(base, request);
    ASSERT_EQ(one.all.size(), 127248u);
    ASSERT_EQ(two.all.size(), one.all.size());
    EXPECT_GT(one.ranked.size(), 65536u); // sorted in two halves at once
    EXPECT_GE(one.messages.size(), 2u);   // merged from both threads' own lists
    EXPECT_EQ(std::tie(two.messages, two.ranked, two.infeasible),
              std::tie(one.messages, one.ranked, one.infeasible));
    EXPECT_EQ(std::tie(two.cheapest, two.lightest, two.leastPower, two.leastEvaluated),
              std::tie(one.cheapest, one.lightest, one.leastPower, one.leastEvaluated));
    const auto same = [](const sweep::Alternative& a, const sweep::Alternative& b) {
        return a.message == b.message && a.rows == b.rows && a.material == b.material &&
               a.lengthIndex == b.lengthIndex &&
               (!a.ok() || std::memcmp(&a.figures.width, &b.figures.width,
                                       offsetof(sweep::AlternativeFigures, nearField)) == 0);
    };
    EXPECT_TRUE(std::equal(one.all.begin(), one.all.end(), two.all.begin(), same));
}

} // namespace
} // namespace keld::planning
