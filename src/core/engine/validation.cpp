#include "engine/validation.h"

#include <string>

namespace keld {
namespace {

using units::Quantity;

constexpr Bound at(double v) {
    return Bound{true, v, nullptr};
}
constexpr Bound above(double SizingCase::*entry) {
    return Bound{false, 0, entry};
}
constexpr Bound below(double SizingCase::*entry) {
    return Bound{false, 0, entry};
}

const std::array<EntryCheck, 7> kChecks = {{
    {Field::Coefficient, "Input Overall Heat Transfer Coefficient (Item 3)", Quantity::Coefficient,
     &SizingCase::UOVERALL, at(6), at(200), 1,
     "The Overall Heat Transfer Coefficient (Item 3) is out of range.",
     "Values between 34.1 and 1136 W/(SqM-C) are valid.",
     "Values between 6 and 200 Btu/(Hr-SqFt-F) are valid."},
    {Field::Duty, "Input Hot Side Heat Duty (Item 5)", Quantity::Duty, &SizingCase::QTOTAL, at(0.1),
     at(9990), units::kBtuPerHourPerMillion, "The Hot Side Heat Duty (Item 5) is out of range.",
     "Values between 0.3 and 2920 MW are valid.",
     "Values between 0.1 and 9990 MMBtu/Hr are valid."},
    {Field::AirInlet, "Input Air Inlet Temperature (Item 5)", Quantity::Temperature,
     &SizingCase::TAIRIN, at(-40), at(200), 1,
     "The Air Inlet Temperature (Item 5) is out of range.",
     "Values between -40 and 94 Deg. C are valid.", "Values between -40 and 200 Deg. F are valid."},
    {Field::HotInlet, "Input Hot Fluid Inlet Temperature (Item 5)", Quantity::Temperature,
     &SizingCase::THOTIN, above(&SizingCase::TAIRIN), at(750), 1,
     "The Hot Fluid Inlet Temperature (Item 5) is out of range.",
     "Values between Tair-in and 398 Deg. C are valid.",
     "Values between Tair-in and 750 Deg. F are valid."},
    {Field::HotOutlet, "Input Hot Fluid Outlet Temperature (Item 5)", Quantity::Temperature,
     &SizingCase::THOTOUT, above(&SizingCase::TAIRIN), below(&SizingCase::THOTIN), 1,
     "The Hot Fluid Outlet Temperature (Item 5) is out of range.",
     "Values between Tair-in and Thot-in are valid.",
     "Values between Tair-in and Thot-in are valid."},
    {Field::TubeLength, "Input Tube Length (Item 6)", Quantity::Length, &SizingCase::LENGTH, at(8),
     at(60), 1, "The Tube Length (Item 6) is out of range.",
     "Values between 2.44 and 18.28 meter are valid.", "Values between 8 and 60 feet are valid."},
    {Field::Rows, "Input Number of Tube Rows (Item 6)", std::nullopt, &SizingCase::NROWS, at(3),
     at(10), 1, "The Number of Tube Rows (Item 6) is out of range.",
     "Values between 3 and 10 are valid.", "Values between 3 and 10 are valid."},
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

std::string rangeMessage(const EntryCheck& check, bool english) {
    std::string text = check.rangeFirst;
    text += '\n';
    text += english ? check.rangeEnglish : check.rangeMetric;
    return text;
}

} // namespace keld
