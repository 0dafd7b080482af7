#pragma once
// Planning figures on top of a finished calculation: how the bundle is split
// into fan bays, how many fans of which diameter it takes, the noise they
// make, and what owning the cooler costs once its fan energy is counted.
//
// The layer reads XWIDTH, LENGTH, HORSEPOWER and COSTTOTAL of the record and
// never changes the record or any figure of the estimate. The face the fans
// cover is the bundle as built, XWIDTH · LENGTH (a little more than AFACE, as
// the width is rounded up to whole feet).

#include "engine/sizing_case.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace keld::planning {

// The planning options in canonical units.
struct Options {
    double tipSpeedFtMin = 10000;   // fan tip speed, ft/min
    double distanceM = 30;          // distance to the listener, m
    double energyPricePerKwh = 0.1; // US$ per kWh
    double hoursPerYear = 8000;     // running hours per year
    int years = 10;                 // years of operation
    double rate = 0.08;             // discount rate, a fraction
};

// The options as the user gave them: tip speed in ft/min (English) or m/s
// (Metric), distance in ft (English) or m (Metric), the rest without units of
// length; years as typed, so that a fraction can be refused.
struct OptionEntries {
    double tipSpeed = 0;
    double distance = 0;
    double energyPricePerKwh = 0;
    double hoursPerYear = 0;
    double years = 0;
    double rate = 0;
};

// The defaults of a case in these units: the listener stands 100 ft away on
// an English case, 30 m away on a Metric one.
Options defaultOptions(bool english);

// The message of the first option out of its range, worded for the unit
// system the values were given in; none when every option is fine.
std::optional<std::string> checkOptions(const OptionEntries& given, bool english);

// Checked options into canonical units.
Options toOptions(const OptionEntries& given, bool english);

// Options as a user gives them, each one or not, in the units of the case:
// the ones not given keep their defaults exactly.
struct GivenOptions {
    std::optional<double> tipSpeed;
    std::optional<double> distance;
    std::optional<double> energyPricePerKwh;
    std::optional<double> hoursPerYear;
    std::optional<double> years;
    std::optional<double> rate;
};

// The options for a case in these units, or the message of the first given
// value out of its range.
struct OptionsOrMessage {
    Options options;
    std::optional<std::string> message;
};
OptionsOrMessage optionsFrom(const GivenOptions& given, bool english);

// The fans of the bundle and their noise.
struct FanPlan {
    std::int64_t bays = 0;
    std::int64_t fansPerBay = 0;
    std::int64_t fans = 0;
    int fanDiameterFt = 0; // whole feet
    double fanDiameterM = 0;
    double coverage = 0; // all fans' area over the bundle face, a fraction
    double tipSpeedFtMin = 0;
    double rpm = 0;
    double soundPowerPerFanDbA = 0;
    double soundPowerDbA = 0; // all fans together
    double distanceM = 0;
    double soundPressureDbA = 0;    // at distanceM over reflecting ground
    std::vector<std::string> notes; // what was changed in the layout, and why
};

// The cost of owning the cooler: its price plus the present value of the
// energy its fans use.
struct Ownership {
    double energyPricePerKwh = 0;
    double hoursPerYear = 0;
    int years = 0;
    double rate = 0;
    double energyCostPerYear = 0;  // US$
    double energyPresentValue = 0; // US$
    double evaluatedCost = 0;      // US$
};

// The fan plan of a finished record with checked options; none when the
// record holds no finished bundle (a width that is not a whole number of feet
// from 1 ft up, no tube length, no fan power) or a figure would not be a
// number.
std::optional<FanPlan> planFans(const SizingCase& c, const Options& o);

// The cost of ownership of a finished record with checked options; none when
// a figure would not be a number.
std::optional<Ownership> costOfOwnership(const SizingCase& c, const Options& o);

// Both layers of a finished record.
struct Figures {
    std::optional<FanPlan> fans;
    std::optional<Ownership> ownership;
};
Figures figuresOf(const SizingCase& c, const Options& o);

} // namespace keld::planning
