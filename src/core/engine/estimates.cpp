#include "engine/estimates.h"

#include "engine/fault.h"

#include <cmath>

namespace keld {
namespace {

struct RowTableEntry {
    double areaPerHorsepower;
    double weightPerFace;
};

constexpr RowTableEntry kRowTable[] = {
    {48.61, 66},   // 3 rows
    {58.5, 75},    // 4
    {68.61, 80},   // 5
    {79.7, 88},    // 6
    {90.57, 97},   // 7
    {102.43, 115}, // 8
    {115.77, 126}, // 9
    {129.56, 131}, // 10
    {145.12, 140}, // 11
    {160.56, 147}, // 12
};

const RowTableEntry* rowEntry(int rows) {
    if (rows < 3 || rows > 12) {
        return nullptr;
    }
    return &kRowTable[rows - 3];
}

std::optional<std::string> failureOf(const FaultLog& log,
                                     const char* entries = kDutyAndTemperatures) {
    if (log.any()) {
        return stageFaultMessage(log.first(), entries);
    }
    return std::nullopt;
}

// The price grows with the price factor as much as with the surface: a price
// beyond computing is mostly a factor beyond reason.
constexpr const char* kPriceEntries =
    "the heat duty and the temperatures (Item 5) and the Price Multiplication Factor (Item 6)";

} // namespace

double bareAreaPerHorsepower(int rows) {
    const RowTableEntry* e = rowEntry(rows);
    return e ? e->areaPerHorsepower : 0.0;
}

double weightPerFaceArea(int rows) {
    const RowTableEntry* e = rowEntry(rows);
    return e ? e->weightPerFace : 0.0;
}

const PriceCoefficients& priceCoefficients(int rows) {
    for (const PriceCoefficients& k : kPriceCoefficients) {
        if (rows <= k.upToRows) {
            return k;
        }
    }
    return kPriceCoefficients.back();
}

std::optional<std::string> EstimateHorsepower(SizingCase& c) {
    FaultLog log;
    store(c.HORSEPOWER, c.ATUBEBARETOTAL / bareAreaPerHorsepower(c.NROWS), &log, "fan power");
    return failureOf(log);
}

std::optional<std::string> EstimatePrice(SizingCase& c) {
    FaultLog log;
    const bool small = c.ATUBEBARETOTAL < kSmallestPricedArea;
    const double area = small ? kSmallestPricedArea : c.ATUBEBARETOTAL;
    const PriceCoefficients& k = priceCoefficients(c.NROWS);
    double unitPrice = 0;
    store(unitPrice, std::pow(area, -k.a) * k.b + k.c, &log, "price");
    unitPrice = unitPrice + kPriceAdder;
    store(c.LENGTHFACTOR,
          small ? 1.0 : kLengthFactorScale * std::pow(c.LENGTH, kLengthFactorExponent), &log,
          "tube-length factor");
    store(c.COSTTOTAL,
          c.MATERIALFACTOR * unitPrice * (kPriceFactor * c.COSTFACTOR * c.LENGTHFACTOR * area),
          &log, "price");
    if (c.COSTTOTAL < kPriceFloor) {
        c.COSTTOTAL = kPriceFloor;
    }
    if (c.COSTUSER > 0) {
        c.COSTTOTAL = c.COSTUSER;
    } else {
        store(c.COSTTOTAL, c.COSTTOTAL * kPriceMarkup, &log, "price");
    }
    store(c.COSTTOTALPERAREA, c.COSTTOTAL / c.ATUBEBARETOTAL, &log, "price per area");
    return failureOf(log, kPriceEntries);
}

std::optional<std::string> EstimateWeight(SizingCase& c) {
    FaultLog log;
    store(c.WEIGHTTOTAL, c.AFACE * weightPerFaceArea(c.NROWS), &log, "weight");
    store(c.COSTTOTALPERMASS, c.COSTTOTAL / c.WEIGHTTOTAL, &log, "price per weight");
    return failureOf(log);
}

} // namespace keld
