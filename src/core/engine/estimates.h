#pragma once
// Fan power, price and weight of the sized bundle: look-ups and correlations
// keyed by the number of tube rows.

#include "engine/sizing_case.h"

#include <array>
#include <optional>
#include <string>

namespace keld {

inline constexpr double kPriceAdder = 20; // US$ per sq ft, added to U(A)
inline constexpr double kPriceFactor = 1.45;
inline constexpr double kSmallestPricedArea = 1000; // sq ft
inline constexpr double kPriceFloor = 40000;        // US$
inline constexpr double kPriceMarkup = 1.25;        // when the user entered no price
// Tube-length factor of the price, 5.3 · L^(−0.48) (close to 1 at 32 ft).
inline constexpr double kLengthFactorScale = 5.3;
inline constexpr double kLengthFactorExponent = -0.48;

// Coefficients of the price per square foot U(A) = A^(−a) · b + c, by rows:
// the first entry whose `upToRows` is not below the row count.
struct PriceCoefficients {
    int upToRows;
    double a;
    double b;
    double c;
};
inline constexpr std::array<PriceCoefficients, 6> kPriceCoefficients = {{
    {3, 1.390023, 194761.6, 29.0303},
    {4, 1.378199, 201861.4, 24.08489},
    {5, 1.306789, 133041.9, 20.97974},
    {6, 1.74192, 3551334, 19.43371},
    {8, 1.712087, 3551668, 16.91799},
    {2147483647, 1.603914, 1677404, 15.3634},
}};

// Square feet of bare tube surface per horsepower (rows 3 to 12; 0 outside).
double bareAreaPerHorsepower(int rows);
// Pounds per square foot of bundle face (rows 3 to 12; 0 outside).
double weightPerFaceArea(int rows);
// The price coefficients for a row count.
const PriceCoefficients& priceCoefficients(int rows);

// The three estimates; each gives its failure text when a statement could
// not be computed.
std::optional<std::string> EstimateHorsepower(SizingCase& c);
std::optional<std::string> EstimatePrice(SizingCase& c);
std::optional<std::string> EstimateWeight(SizingCase& c);

} // namespace keld
