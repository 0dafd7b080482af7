#include "engine/validation.h"

#include "text/number.h"

#include <cmath>
#include <string>

namespace keld {
namespace {

using units::Quantity;

constexpr Bound at(double v) {
    return Bound{true, v, nullptr, nullptr};
}
constexpr Bound airInlet() {
    return Bound{false, 0, &SizingCase::TAIRIN, "the inlet air temperature"};
}
constexpr Bound hotInlet() {
    return Bound{false, 0, &SizingCase::THOTIN, "the hot fluid inlet temperature"};
}

const std::array<EntryCheck, 7> kChecks = {{
    {Field::Coefficient, "Overall Heat Transfer Coefficient (Item 3)",
     "Input Overall Heat Transfer Coefficient (Item 3)", Quantity::Coefficient,
     &SizingCase::UOVERALL, at(6), at(200), 1,
     "The Overall Heat Transfer Coefficient (Item 3) is out of range.",
     "Values between 34.1 and 1136 W/(SqM-C) are valid.",
     "Values between 6 and 200 Btu/(Hr-SqFt-F) are valid.", "Btu/(Hr-SqFt-F)", "W/(SqM-C)"},
    {Field::Duty, "Heat Duty (Item 5)", "Input Hot Side Heat Duty (Item 5)", Quantity::Duty,
     &SizingCase::QTOTAL, at(0.1), at(9990), units::kBtuPerHourPerMillion,
     "The Hot Side Heat Duty (Item 5) is out of range.",
     "Values between 0.3 and 2920 MW are valid.", "Values between 0.1 and 9990 MMBtu/Hr are valid.",
     "million Btu/hr", "MW"},
    {Field::AirInlet, "Inlet Air Temperature (Item 6)", "Input Air Inlet Temperature (Item 5)",
     Quantity::Temperature, &SizingCase::TAIRIN, at(-40), at(200), 1,
     "The Air Inlet Temperature (Item 5) is out of range.",
     "Values between -40 and 94 Deg. C are valid.", "Values between -40 and 200 Deg. F are valid.",
     "\u00B0F", "\u00B0C"},
    {Field::HotInlet, "Hot Fluid Inlet Temperature (Item 5)",
     "Input Hot Fluid Inlet Temperature (Item 5)", Quantity::Temperature, &SizingCase::THOTIN,
     airInlet(), at(750), 1, "The Hot Fluid Inlet Temperature (Item 5) is out of range.",
     "Values between Tair-in and 398 Deg. C are valid.",
     "Values between Tair-in and 750 Deg. F are valid.", "\u00B0F", "\u00B0C"},
    {Field::HotOutlet, "Hot Fluid Outlet Temperature (Item 5)",
     "Input Hot Fluid Outlet Temperature (Item 5)", Quantity::Temperature, &SizingCase::THOTOUT,
     airInlet(), hotInlet(), 1, "The Hot Fluid Outlet Temperature (Item 5) is out of range.",
     "Values between Tair-in and Thot-in are valid.",
     "Values between Tair-in and Thot-in are valid.", "\u00B0F", "\u00B0C"},
    {Field::TubeLength, "Tube Length (Item 6)", "Input Tube Length (Item 6)", Quantity::Length,
     &SizingCase::LENGTH, at(8), at(60), 1, "The Tube Length (Item 6) is out of range.",
     "Values between 2.44 and 18.28 meter are valid.", "Values between 8 and 60 feet are valid.",
     "ft", "m"},
    {Field::Rows, "Number of Tube Rows (Item 6)", "Input Number of Tube Rows (Item 6)",
     std::nullopt, &SizingCase::NROWS, at(3), at(10), 1,
     "The Number of Tube Rows (Item 6) is out of range.", "Values between 3 and 10 are valid.",
     "Values between 3 and 10 are valid.", "", ""},
}};

} // namespace

const std::array<EntryCheck, 7>& entryChecks() {
    return kChecks;
}

const EntryCheck* checkOf(Field field) {
    for (const EntryCheck& check : kChecks) {
        if (check.field == field) {
            return &check;
        }
    }
    return nullptr;
}

namespace {

// A Metric bound on the grid of four significant figures: the outermost
// value of the grid that the check still accepts once the sheet converts it
// back (the factors of the two directions are not exact inverses).
double inwards(const EntryCheck& check, double english, bool lower) {
    const double metric = units::toMetric(*check.quantity, english);
    if (metric == 0) {
        return 0;
    }
    const double scale =
        std::pow(10.0, 3 - static_cast<int>(std::floor(std::log10(std::fabs(metric)))));
    const auto passes = [&](double k) {
        const double back = units::toEnglish(*check.quantity, k / scale);
        return lower ? back >= english : back <= english;
    };
    const double inward = lower ? 1 : -1;
    double k = std::round(metric * scale);
    while (passes(k - inward)) {
        k -= inward;
    }
    while (!passes(k)) {
        k += inward;
    }
    return readNumber(formatPlainDecimal(k / scale)).value_or(k / scale);
}

} // namespace

AcceptedRange acceptedRange(const EntryCheck& check, UnitSystem units) {
    AcceptedRange r;
    const auto end = [&](const Bound& b, bool lower) -> std::optional<double> {
        if (b.entry) {
            return std::nullopt;
        }
        return units == UnitSystem::English || !check.quantity ? b.value
                                                               : inwards(check, b.value, lower);
    };
    r.low = end(check.low, true);
    r.high = end(check.high, false);
    return r;
}

std::string acceptedRangeText(const EntryCheck& check, UnitSystem units) {
    const AcceptedRange r = acceptedRange(check, units);
    const std::string unit = units == UnitSystem::English ? check.unitEnglish : check.unitMetric;
    const std::string withUnit = unit.empty() ? "" : " " + unit;
    if (r.low && r.high) {
        return "From " + formatPlainDecimal(*r.low) + " to " + formatPlainDecimal(*r.high) +
               withUnit;
    }
    std::string text = std::string("Above ") + check.low.entryName;
    if (r.high) {
        return text + ", at most " + formatPlainDecimal(*r.high) + withUnit;
    }
    return text + " and below " + check.high.entryName;
}

std::string notANumberMessage(std::string_view name, std::string_view text) {
    // At most 40 characters of the text, none of them cut into its bytes.
    constexpr std::size_t kShown = 40;
    std::size_t cut = 0;
    for (std::size_t chars = 0; cut < text.size() && chars < kShown; ++chars) {
        do {
            ++cut;
        } while (cut < text.size() && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80);
    }
    std::string message(name);
    message += ": \"";
    message += text.substr(0, cut);
    message += cut < text.size() ? "...\"" : "\"";
    message += " is not a number. Use a point as the decimal mark.";
    return message;
}

std::string rangeMessage(const EntryCheck& check, UnitSystem units) {
    std::string text = check.rangeFirst;
    text += '\n';
    text += units == UnitSystem::English ? check.rangeEnglish : check.rangeMetric;
    return text;
}

} // namespace keld
