#pragma once
// Fan power, price and weight of the sized bundle: look-ups and correlations
// keyed by the number of tube rows.

#include "engine/sizing_case.h"

#include <string>

namespace keld {

inline constexpr double kPriceAdder = 20;           // US$ per sq ft, added to U(A)
inline constexpr double kPriceFactor = 1.45;
inline constexpr double kSmallestPricedArea = 1000; // sq ft
inline constexpr double kPriceFloor = 40000;        // US$
inline constexpr double kPriceMarkup = 1.25;        // when the user entered no price

struct PriceCoefficients {
    double a;
    double b;
    double c;
};

// Square feet of bare tube surface per horsepower (rows 3 to 12; 0 outside).
double bareAreaPerHorsepower(int rows);
// Pounds per square foot of bundle face (rows 3 to 12; 0 outside).
double weightPerFaceArea(int rows);
// Coefficients of the price per square foot U(A) = A^(−a) · b + c.
PriceCoefficients priceCoefficients(int rows);

void EstimateHorsepower(SizingCase& c, std::string& failure);
void EstimatePrice(SizingCase& c, std::string& failure);
void EstimateWeight(SizingCase& c, std::string& failure);

} // namespace keld
