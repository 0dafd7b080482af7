#pragma once
// Every unit factor of the estimate, once.
//
// The sizing record holds English units (°F, Btu/hr, Btu/(hr sq ft °F), ft,
// sq ft, lb, lb/hr, ft/min, hp, US$); the sheet shows English or Metric
// units and the report shows both. The conversions are written here as the
// estimate has always made them, operand for operand, so that every figure
// comes out to the last bit as before.
//
// Three pairs are deliberately not exact inverses, and each direction keeps
// its own factor: 5.678 · 0.17612 = 1.00001 (coefficient), 0.3048 · 3.2808 =
// 0.99999 (length) and 0.2931 · 3.4123 = 1.00014 (duty). A value switched
// there and back may therefore drift in its last shown digit. The
// user-defined fluid dialog shows the coefficient with a fourth factor,
// 5.678263, the exact one.

namespace keld {

// The unit system a sheet shows and a table or option is given in. The
// record itself keeps the sheet's own flag, ENGLISH.
enum class UnitSystem { English, Metric };

} // namespace keld

namespace keld::units {

// Overall heat transfer coefficient, Btu/(hr sq ft °F) and W/(sq m °C).
inline constexpr double kCoefficientToMetric = 5.678;          // sheet and report
inline constexpr double kCoefficientToMetricDialog = 5.678263; // user-defined fluid dialog
inline constexpr double kCoefficientToEnglish = 0.17612;

// Temperature, °F and °C: (x − 32) / 1.8 and x · 1.8 + 32.
inline constexpr double kFahrenheitPerCelsius = 1.8;
inline constexpr double kFahrenheitAtFreezing = 32;

// Length, ft and m.
inline constexpr double kFeetToMetres = 0.3048;
inline constexpr double kMetresToFeet = 3.2808;

// Heat duty, million Btu/hr and MW; the record holds Btu/hr.
inline constexpr double kDutyToMetric = 0.2931;
inline constexpr double kDutyToEnglish = 3.4123;
inline constexpr double kBtuPerHourPerMillion = 1000000;

// Quantities that only the report (and the tables of keld-size) converts.
inline constexpr double kAirFlowToMetric = 0.126; // lb/hr to kg/s, with / 1000 after it
inline constexpr double kAirFlowDivisor = 1000;
inline constexpr double kSquareFeetToSquareMetres = 0.0929;
inline constexpr double kPoundsToKilograms = 0.4536;
inline constexpr double kHorsepowerToKilowatts = 0.7457;
inline constexpr double kPerSquareFootToPerSquareMetre = 10.764;
inline constexpr double kPerPoundToPerKilogram = 2.2046;
inline constexpr double kInchesToMillimetres = 25.4;

// Fan tip speed, ft/min and m/s (exact: 0.3048 m / 60 s).
inline constexpr double kFeetPerMinuteToMetresPerSecond = 0.00508;

// Air volume, cu ft/min and cu m/s, and air density, lb/cu ft and kg/cu m
// (exact from 0.3048 m and 0.45359237 kg); only the planning layer's air
// side shows them.
inline constexpr double kCubicFeetPerMinuteToCubicMetresPerSecond =
    kFeetToMetres * kFeetToMetres * kFeetToMetres / 60;
inline constexpr double kPoundsPerCubicFootToKilogramsPerCubicMetre =
    0.45359237 / (kFeetToMetres * kFeetToMetres * kFeetToMetres);

enum class Quantity {
    Coefficient,           // Btu/(hr sq ft °F) | W/(sq m °C)
    Temperature,           // °F | °C
    Length,                // ft | m
    Duty,                  // million Btu/hr | MW
    AirFlow,               // lb/hr | kg/s
    Area,                  // sq ft | sq m
    Mass,                  // lb | kg
    Power,                 // hp | kW
    PricePerArea,          // US$/sq ft | US$/sq m
    PricePerMass,          // US$/lb | US$/kg
    Diameter,              // in | mm
    Speed,                 // ft/min | m/s
    AirVolume,             // cu ft/min | cu m/s
    Density,               // lb/cu ft | kg/cu m
    TemperatureDifference, // °F | °C (a difference: / 1.8)
};

// An English value in Metric units.
constexpr double toMetric(Quantity q, double x) {
    switch (q) {
    case Quantity::Coefficient:
        return x * kCoefficientToMetric;
    case Quantity::Temperature:
        return (x - kFahrenheitAtFreezing) / kFahrenheitPerCelsius;
    case Quantity::Length:
        return x * kFeetToMetres;
    case Quantity::Duty:
        return x * kDutyToMetric;
    case Quantity::AirFlow:
        return x * kAirFlowToMetric / kAirFlowDivisor;
    case Quantity::Area:
        return x * kSquareFeetToSquareMetres;
    case Quantity::Mass:
        return x * kPoundsToKilograms;
    case Quantity::Power:
        return x * kHorsepowerToKilowatts;
    case Quantity::PricePerArea:
        return x * kPerSquareFootToPerSquareMetre;
    case Quantity::PricePerMass:
        return x * kPerPoundToPerKilogram;
    case Quantity::Diameter:
        return x * kInchesToMillimetres;
    case Quantity::Speed:
        return x * kFeetPerMinuteToMetresPerSecond;
    case Quantity::AirVolume:
        return x * kCubicFeetPerMinuteToCubicMetresPerSecond;
    case Quantity::Density:
        return x * kPoundsPerCubicFootToKilogramsPerCubicMetre;
    case Quantity::TemperatureDifference:
        return x / kFahrenheitPerCelsius;
    }
    return x;
}

// A Metric value in English units. Where the estimate has a factor of its own
// for this direction it is used; the quantities that only the report shows
// divide by their Metric factor.
constexpr double toEnglish(Quantity q, double x) {
    switch (q) {
    case Quantity::Coefficient:
        return x * kCoefficientToEnglish;
    case Quantity::Temperature:
        return x * kFahrenheitPerCelsius + kFahrenheitAtFreezing;
    case Quantity::Length:
        return x * kMetresToFeet;
    case Quantity::Duty:
        return x * kDutyToEnglish;
    case Quantity::AirFlow:
        return x * kAirFlowDivisor / kAirFlowToMetric;
    case Quantity::Area:
        return x / kSquareFeetToSquareMetres;
    case Quantity::Mass:
        return x / kPoundsToKilograms;
    case Quantity::Power:
        return x / kHorsepowerToKilowatts;
    case Quantity::PricePerArea:
        return x / kPerSquareFootToPerSquareMetre;
    case Quantity::PricePerMass:
        return x / kPerPoundToPerKilogram;
    case Quantity::Diameter:
        return x / kInchesToMillimetres;
    case Quantity::Speed:
        return x / kFeetPerMinuteToMetresPerSecond;
    case Quantity::AirVolume:
        return x / kCubicFeetPerMinuteToCubicMetresPerSecond;
    case Quantity::Density:
        return x / kPoundsPerCubicFootToKilogramsPerCubicMetre;
    case Quantity::TemperatureDifference:
        return x * kFahrenheitPerCelsius;
    }
    return x;
}

// A value in the units of a unit system: English as it is, Metric converted.
constexpr double shown(Quantity q, double english, UnitSystem system) {
    return system == UnitSystem::English ? english : toMetric(q, english);
}

} // namespace keld::units
