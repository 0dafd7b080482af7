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

void reportFault(const FaultLog& log, std::string& failure) {
    if (log.any() && failure == " ") {
        failure = stageFaultMessage(log.first());
    }
}

} // namespace

double bareAreaPerHorsepower(int rows) {
    const RowTableEntry* e = rowEntry(rows);
    return e ? e->areaPerHorsepower : 0.0;
}

double weightPerFaceArea(int rows) {
    const RowTableEntry* e = rowEntry(rows);
    return e ? e->weightPerFace : 0.0;
}

PriceCoefficients priceCoefficients(int rows) {
    if (rows <= 3) {
        return {1.390023, 194761.6, 29.0303};
    }
    if (rows == 4) {
        return {1.378199, 201861.4, 24.08489};
    }
    if (rows == 5) {
        return {1.306789, 133041.9, 20.97974};
    }
    if (rows == 6) {
        return {1.74192, 3551334, 19.43371};
    }
    if (rows <= 8) {
        return {1.712087, 3551668, 16.91799};
    }
    return {1.603914, 1677404, 15.3634};
}

void EstimateHorsepower(SizingCase& c, std::string& failure) {
    FaultLog log;
    store(c.HORSEPOWER, c.ATUBEBARETOTAL / bareAreaPerHorsepower(c.NROWS), &log, "fan power");
    reportFault(log, failure);
}

void EstimatePrice(SizingCase& c, std::string& failure) {
    FaultLog log;
    const bool small = c.ATUBEBARETOTAL < kSmallestPricedArea;
    const double area = small ? kSmallestPricedArea : c.ATUBEBARETOTAL;
    const PriceCoefficients k = priceCoefficients(c.NROWS);
    double unitPrice = 0;
    store(unitPrice, std::pow(area, -k.a) * k.b + k.c, &log, "price");
    unitPrice = unitPrice + kPriceAdder;
    store(c.LENGTHFACTOR, small ? 1.0 : 5.3 * std::pow(c.LENGTH, -0.48), &log, "tube-length factor");
    store(c.COSTTOTAL,
          c.MATERIALFACTOR * unitPrice * (kPriceFactor * c.COSTFACTOR * c.LENGTHFACTOR * area), &log,
          "price");
    if (c.COSTTOTAL < kPriceFloor) {
        c.COSTTOTAL = kPriceFloor;
    }
    if (c.COSTUSER > 0) {
        c.COSTTOTAL = c.COSTUSER;
    } else {
        store(c.COSTTOTAL, c.COSTTOTAL * kPriceMarkup, &log, "price");
    }
    store(c.COSTTOTALPERAREA, c.COSTTOTAL / c.ATUBEBARETOTAL, &log, "price per area");
    reportFault(log, failure);
}

void EstimateWeight(SizingCase& c, std::string& failure) {
    FaultLog log;
    store(c.WEIGHTTOTAL, c.AFACE * weightPerFaceArea(c.NROWS), &log, "weight");
    store(c.COSTTOTALPERMASS, c.COSTTOTAL / c.WEIGHTTOTAL, &log, "price per weight");
    reportFault(log, failure);
}

} // namespace keld
