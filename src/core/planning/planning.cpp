#include "planning/planning.h"

#include "units/units.h"

#include <array>
#include <cmath>
#include <initializer_list>
#include <numbers>

namespace keld::planning {
namespace {

using units::Quantity;

// Planning rules of common practice for air-cooled exchangers: a bay (the
// bundle width one group of fans serves) is at most 30 ft wide, a fan serves
// a plot at most 1.8 bay widths long, and the fans cover at least 40 % of the
// face they serve.
constexpr double kWidestBayFt = 30;
constexpr double kLongestPlotPerBayWidth = 1.8;
constexpr double kLeastCoverage = 0.40;

// The usual planning correlation for the sound power of axial fans:
// PWL = 56 + 30 · log10(tip speed / 1000 ft/min) + 10 · log10(power in hp).
constexpr double kSoundPowerBaseDbA = 56;
constexpr double kTipSpeedDbPerDecade = 30;
constexpr double kReferenceTipSpeedFtMin = 1000;
constexpr double kFanPowerDbPerDecade = 10;
// Sound power of equal sources adds as 10 · log10(count).
constexpr double kSourcesDbPerDecade = 10;
// Spreading from a source on reflecting ground (a hemisphere):
// SPL = PWL − 20 · log10(r / 1 m) − 8 dB.
constexpr double kDistanceDbPerDecade = 20;
constexpr double kReferenceDistanceM = 1;
constexpr double kHemisphereLossDb = 8;

// The defaults: common planning values for fan tip speed, a listener at the
// plot boundary, energy price, running hours, evaluation period and rate.
constexpr double kDefaultDistanceFt = 100;
constexpr double kDefaultDistanceM = 30;

// A whole-number ratio computed through a factor such as 1.8 may come out a
// hair above the whole number it equals; the layout rules round up past that.
constexpr double kRoundingAllowance = 1e-9;

// Counts stay exact in a double up to 2^53; a bundle wider than 10^15 ft (far
// beyond any calculation, whose tube count is a 32-bit number) is not planned.
constexpr double kWidestPlannedFt = 1e15;
constexpr std::int64_t kMostCount = std::int64_t{1} << 53;
// Rounds of layout change; every finished record needs a few at most.
constexpr int kMostLayoutRounds = 64;

// The ranges of the options, in the units the user gave them.
struct OptionRule {
    double OptionEntries::*value;
    bool lowRefused; // the low end itself is out of range ("above 0")
    bool whole;      // a whole number
    double lowEnglish;
    double highEnglish;
    double lowMetric;
    double highMetric;
    const char* messageEnglish;
    const char* messageMetric;
};

constexpr std::array<OptionRule, 6> kOptionRules = {{
    // Planning rules of common practice for air-cooled exchangers hold the
    // fan tip speed at or below 12,000 ft/min (61 m/s) for noise and stress.
    {&OptionEntries::tipSpeed, true, false, 0, 12000, 0, 61,
     "The fan tip speed must be above 0 and at most 12000 ft/min.",
     "The fan tip speed must be above 0 and at most 61 m/s."},
    // The spreading law holds outside the fans' near field (1 m) and is of
    // no planning use beyond 10 km.
    {&OptionEntries::distance, false, false, 3.3, 32808, 1, 10000,
     "The distance to the listener must be from 3.3 to 32808 ft.",
     "The distance to the listener must be from 1 to 10000 m."},
    // Present-value evaluation of running costs: a price per kWh well above
    // any tariff as the limit, hours within one year, a whole number of years
    // and a discount rate given as a fraction.
    {&OptionEntries::energyPricePerKwh, false, false, 0, 10, 0, 10,
     "The energy price must be from 0 to 10 US$ per kWh.",
     "The energy price must be from 0 to 10 US$ per kWh."},
    {&OptionEntries::hoursPerYear, false, false, 0, 8760, 0, 8760,
     "The running hours must be from 0 to 8760 per year.",
     "The running hours must be from 0 to 8760 per year."},
    {&OptionEntries::years, false, true, 1, 100, 1, 100,
     "The years of operation must be a whole number from 1 to 100.",
     "The years of operation must be a whole number from 1 to 100."},
    {&OptionEntries::rate, false, false, 0, 1, 0, 1,
     "The discount rate must be a fraction from 0 to 1.",
     "The discount rate must be a fraction from 0 to 1."},
}};

bool withinRule(const OptionRule& rule, double v, bool english) {
    const double low = english ? rule.lowEnglish : rule.lowMetric;
    const double high = english ? rule.highEnglish : rule.highMetric;
    const bool aboveLow = rule.lowRefused ? v > low : v >= low; // false for NaN
    return aboveLow && v <= high && (!rule.whole || v == std::floor(v));
}

// The layout of the bundle's fans.
struct Layout {
    std::int64_t bays = 0;
    std::int64_t fansPerBay = 0;
    double diameterFt = 0; // the smallest whole foot that covers 40 %
    bool fits = false;     // every fan fits its plot
};

// The smallest fan count along the tubes for plots at most 1.8 bay widths long.
std::int64_t fansAlongTubes(double width, double length, std::int64_t bays) {
    const double bayWidth = width / static_cast<double>(bays);
    const double fans =
        std::ceil(length / (kLongestPlotPerBayWidth * bayWidth) - kRoundingAllowance);
    return fans < 1 ? 1 : static_cast<std::int64_t>(fans);
}

Layout layoutOf(double width, double length, std::int64_t bays, std::int64_t fansPerBay) {
    Layout l{bays, fansPerBay};
    const double bayWidth = width / static_cast<double>(bays);
    const double perBay = static_cast<double>(fansPerBay);
    const double needed = kLeastCoverage * bayWidth * length;
    const auto covers = [&](double d) { return perBay * std::numbers::pi * d * d / 4 >= needed; };
    double d = std::ceil(std::sqrt(4 * needed / (std::numbers::pi * perBay)));
    while (d > 1 && covers(d - 1)) {
        --d;
    }
    while (!covers(d)) {
        ++d;
    }
    l.diameterFt = d < 1 ? 1 : d;
    // Whole numbers times whole numbers: exact, so a fan as wide as its plot fits.
    l.fits = l.diameterFt * static_cast<double>(bays) <= width && l.diameterFt * perBay <= length;
    return l;
}

// The smallest count above `from` for which `ok` holds, where `ok` is false up
// to some count and true from there on; 0 when there is none below 2^53.
template <class Ok> std::int64_t firstAbove(std::int64_t from, Ok ok) {
    std::int64_t failing = from;
    std::int64_t step = 1;
    std::int64_t passing = from + step;
    while (!ok(passing)) {
        failing = passing;
        step *= 2;
        if (step > kMostCount - from) {
            return 0;
        }
        passing = from + step;
    }
    while (passing - failing > 1) {
        const std::int64_t mid = failing + (passing - failing) / 2;
        (ok(mid) ? passing : failing) = mid;
    }
    return passing;
}

std::string layoutNote(std::int64_t now, std::int64_t before, const char* what) {
    return std::to_string(now) + " " + what + " instead of " + std::to_string(before) +
           ", so that whole-foot fans that fit their plots cover 40 % of the face.";
}

// Bays and fans by the rules; where whole-foot fans that fit their plots
// cannot cover 40 %, plots wider than long get one more bay and the others
// one more fan per bay, until they can. A run of such steps in one direction
// is taken at once (the condition is monotonic along it), so that a bundle of
// a million feet ends as quickly as one of ten.
std::optional<Layout> arrangeFans(double width, double length, std::vector<std::string>& notes) {
    const std::int64_t firstBays = static_cast<std::int64_t>(std::ceil(width / kWidestBayFt));
    const std::int64_t firstFans = fansAlongTubes(width, length, firstBays);
    std::int64_t bays = firstBays;
    std::int64_t fansPerBay = firstFans;
    for (int round = 0; round < kMostLayoutRounds; ++round) {
        const std::int64_t ruled = fansAlongTubes(width, length, bays);
        fansPerBay = ruled > fansPerBay ? ruled : fansPerBay;
        const Layout l = layoutOf(width, length, bays, fansPerBay);
        if (l.fits) {
            if (bays != firstBays) {
                notes.push_back(layoutNote(bays, firstBays, "bays"));
            }
            if (fansPerBay != firstFans) {
                notes.push_back(layoutNote(fansPerBay, firstFans, "fans per bay"));
            }
            return l;
        }
        const double plotLength = length / static_cast<double>(fansPerBay);
        if (width / static_cast<double>(bays) > plotLength) {
            bays = firstAbove(bays, [&](std::int64_t n) {
                return width / static_cast<double>(n) <= plotLength ||
                       layoutOf(width, length, n, fansPerBay).fits;
            });
        } else {
            const double bayWidth = width / static_cast<double>(bays);
            fansPerBay = firstAbove(fansPerBay, [&](std::int64_t f) {
                return bayWidth > length / static_cast<double>(f) ||
                       layoutOf(width, length, bays, f).fits;
            });
        }
        if (bays == 0 || fansPerBay == 0) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

bool allFinite(std::initializer_list<double> values) {
    for (double v : values) {
        if (!std::isfinite(v)) {
            return false;
        }
    }
    return true;
}

} // namespace

Options defaultOptions(bool english) {
    Options o;
    o.distanceM =
        english ? units::toMetric(Quantity::Length, kDefaultDistanceFt) : kDefaultDistanceM;
    return o;
}

std::optional<std::string> checkOptions(const OptionEntries& given, bool english) {
    for (const OptionRule& rule : kOptionRules) {
        if (!withinRule(rule, given.*rule.value, english)) {
            return english ? rule.messageEnglish : rule.messageMetric;
        }
    }
    return std::nullopt;
}

Options toOptions(const OptionEntries& given, bool english) {
    Options o;
    o.tipSpeedFtMin = english ? given.tipSpeed : units::toEnglish(Quantity::Speed, given.tipSpeed);
    o.distanceM = english ? units::toMetric(Quantity::Length, given.distance) : given.distance;
    o.energyPricePerKwh = given.energyPricePerKwh;
    o.hoursPerYear = given.hoursPerYear;
    // Checked years are whole and from 1 to 100; anything else keeps the default.
    if (given.years >= 1 && given.years <= 100) {
        o.years = static_cast<int>(given.years);
    }
    o.rate = given.rate;
    return o;
}

OptionsOrMessage optionsFrom(const GivenOptions& given, bool english) {
    OptionsOrMessage out{defaultOptions(english), std::nullopt};
    // The defaults in the case's units, to check the given values among them.
    OptionEntries entries;
    entries.tipSpeed = english ? out.options.tipSpeedFtMin
                               : units::toMetric(Quantity::Speed, out.options.tipSpeedFtMin);
    entries.distance = english ? kDefaultDistanceFt : out.options.distanceM;
    entries.energyPricePerKwh = out.options.energyPricePerKwh;
    entries.hoursPerYear = out.options.hoursPerYear;
    entries.years = out.options.years;
    entries.rate = out.options.rate;
    const std::pair<const std::optional<double>*, double OptionEntries::*> fields[] = {
        {&given.tipSpeed, &OptionEntries::tipSpeed},
        {&given.distance, &OptionEntries::distance},
        {&given.energyPricePerKwh, &OptionEntries::energyPricePerKwh},
        {&given.hoursPerYear, &OptionEntries::hoursPerYear},
        {&given.years, &OptionEntries::years},
        {&given.rate, &OptionEntries::rate}};
    for (const auto& [value, entry] : fields) {
        if (*value) {
            entries.*entry = **value;
        }
    }
    out.message = checkOptions(entries, english);
    if (out.message) {
        return out;
    }
    const Options converted = toOptions(entries, english);
    if (given.tipSpeed) {
        out.options.tipSpeedFtMin = converted.tipSpeedFtMin;
    }
    if (given.distance) {
        out.options.distanceM = converted.distanceM;
    }
    if (given.energyPricePerKwh) {
        out.options.energyPricePerKwh = converted.energyPricePerKwh;
    }
    if (given.hoursPerYear) {
        out.options.hoursPerYear = converted.hoursPerYear;
    }
    if (given.years) {
        out.options.years = converted.years;
    }
    if (given.rate) {
        out.options.rate = converted.rate;
    }
    return out;
}

std::optional<FanPlan> planFans(const SizingCase& c, const Options& o) {
    const double width = c.XWIDTH;
    const double length = c.LENGTH;
    const bool finished = width >= 1 && width <= kWidestPlannedFt && width == std::floor(width) &&
                          length > 0 && length <= kWidestPlannedFt && c.HORSEPOWER > 0 &&
                          std::isfinite(c.HORSEPOWER);
    if (!finished || !(o.tipSpeedFtMin > 0) || !(o.distanceM > 0)) {
        return std::nullopt;
    }
    FanPlan p;
    const std::optional<Layout> l = arrangeFans(width, length, p.notes);
    if (!l) {
        return std::nullopt;
    }
    p.bays = l->bays;
    p.fansPerBay = l->fansPerBay;
    p.fans = l->bays * l->fansPerBay;
    p.fanDiameterFt = static_cast<int>(l->diameterFt);
    p.fanDiameterM = units::toMetric(Quantity::Length, l->diameterFt);
    const double fans = static_cast<double>(p.fans);
    p.coverage = fans * std::numbers::pi * l->diameterFt * l->diameterFt / 4 / (width * length);
    p.tipSpeedFtMin = o.tipSpeedFtMin;
    p.rpm = o.tipSpeedFtMin / (std::numbers::pi * l->diameterFt);
    p.soundPowerPerFanDbA =
        kSoundPowerBaseDbA +
        kTipSpeedDbPerDecade * std::log10(o.tipSpeedFtMin / kReferenceTipSpeedFtMin) +
        kFanPowerDbPerDecade * std::log10(c.HORSEPOWER / fans);
    p.soundPowerDbA = p.soundPowerPerFanDbA + kSourcesDbPerDecade * std::log10(fans);
    p.distanceM = o.distanceM;
    p.soundPressureDbA = p.soundPowerDbA -
                         kDistanceDbPerDecade * std::log10(o.distanceM / kReferenceDistanceM) -
                         kHemisphereLossDb;
    if (!allFinite({p.fanDiameterM, p.coverage, p.rpm, p.soundPowerPerFanDbA, p.soundPowerDbA,
                    p.soundPressureDbA})) {
        return std::nullopt;
    }
    return p;
}

std::optional<Ownership> costOfOwnership(const SizingCase& c, const Options& o) {
    Ownership w;
    w.energyPricePerKwh = o.energyPricePerKwh;
    w.hoursPerYear = o.hoursPerYear;
    w.years = o.years;
    w.rate = o.rate;
    w.energyCostPerYear =
        units::toMetric(Quantity::Power, c.HORSEPOWER) * o.hoursPerYear * o.energyPricePerKwh;
    // Present value of a level annuity: yearly · (1 − (1 + i)^(−n)) / i, and
    // yearly · n at i = 0; written with log1p and expm1 so that a tiny rate
    // tends to n instead of cancelling to 0.
    const double n = o.years;
    const double i = o.rate;
    const double factor = i == 0 ? n : -std::expm1(-n * std::log1p(i)) / i;
    w.energyPresentValue = w.energyCostPerYear * factor;
    w.evaluatedCost = c.COSTTOTAL + w.energyPresentValue;
    if (!(i >= 0) || o.years < 1 ||
        !allFinite({w.energyPricePerKwh, w.hoursPerYear, w.rate, w.energyCostPerYear,
                    w.energyPresentValue, w.evaluatedCost})) {
        return std::nullopt;
    }
    return w;
}

Figures figuresOf(const SizingCase& c, const Options& o) {
    return {planFans(c, o), costOfOwnership(c, o)};
}

} // namespace keld::planning
