#pragma once
// The one record of a calculation: inputs, sheet flags, the engine's
// intermediate values and its results. Every number is in English units
// (°F, Btu/hr, Btu/(hr sq ft °F), ft, sq ft, lb, lb/hr, ft/min, hp, US$).

#include "units/units.h"

#include <cstdint>
#include <optional>
#include <string>

namespace keld {

// A flag that may still be unset; an unset flag counts as not true.
using Flag = std::optional<bool>;

inline bool isTrue(const Flag& f) {
    return f.value_or(false);
}

struct SizingCase {
    std::string FILENM;     // project file name; one blank after an edit of the sheet
    std::string TITLE;      // project title
    std::string ITEM;       // item number
    std::string SERVICE;    // "Liquid Cooling", "Gas Cooling" or "Condensing"
    std::string ERRTHERMAL; // failure text of the thermal stage; " " means none
    std::string ERRPRICE;   // failure text of the price stage
    std::string ERRPOWER;   // failure text of the fan-power stage
    std::string HOTSIDEFLUID;
    std::string MATERIAL;
    Flag ENGLISH;            // true: the sheet shows English units
    Flag ROWSFIXED;          // true: the sizing keeps the entered row count
    Flag DRAFT;              // true: forced draft, false: induced
    double THOTIN = 0;       // °F
    double THOTOUT = 0;      // °F
    double MAIR = 0;         // lb/hr
    double TAIRIN = 0;       // °F
    double TAIROUT = 0;      // °F
    std::int32_t NROWS = 0;  // tube rows
    double TUBESPERFOOT = 0; // tubes per ft of width
    std::int32_t TUBESPERROW = 0;
    std::int32_t TUBESTOTAL = 0;
    double ATUBEPERFOOT = 0;   // sq ft of bare surface per ft of tube
    double ATUBEBARETOTAL = 0; // sq ft
    double ATUBEFINTOTAL = 0;  // sq ft
    double AFACE = 0;          // sq ft
    double XWIDTH = 0;         // ft, whole
    double LENGTH = 0;         // ft
    double UOVERALL = 0;       // Btu/(hr sq ft °F)
    double QTOTAL = 0;         // Btu/hr
    double PHOT = 0;           // hot-side temperature effectiveness
    double ROWINDEX = 0;       // 100 · PHOT / UOVERALL
    double NTUAIR = 0;         // transfer units on the air side
    double CRATIO = 0;         // capacity-rate ratio Cmin/Cmax
    double EFFECTIVENESS = 0;
    double HORSEPOWER = 0;   // hp
    double WEIGHTTOTAL = 0;  // lb
    double COSTTOTAL = 0;    // US$
    double FACEVELOCITY = 0; // ft/min
    double COSTFACTOR = 0;   // price multiplication factor
    double LENGTHFACTOR = 0;
    double MATERIALFACTOR = 0;
    double COSTTOTALPERAREA = 0; // US$ per sq ft of bare surface
    double COSTTOTALPERMASS = 0; // US$ per lb
    double COSTUSER = 0;         // price entered by the user; 0 means none
};

// The unit system of the sheet that filled the record (an unset flag counts
// as Metric, as everywhere).
inline UnitSystem unitsOf(const SizingCase& c) {
    return isTrue(c.ENGLISH) ? UnitSystem::English : UnitSystem::Metric;
}

// Calls f(name, field) for every field, in declared order; for writers of the
// whole record (JSON, tests) that must not forget one.
template <class Case, class F> void forEachField(Case& c, F&& f) {
    f("FILENM", c.FILENM);
    f("TITLE", c.TITLE);
    f("ITEM", c.ITEM);
    f("SERVICE", c.SERVICE);
    f("ERRTHERMAL", c.ERRTHERMAL);
    f("ERRPRICE", c.ERRPRICE);
    f("ERRPOWER", c.ERRPOWER);
    f("HOTSIDEFLUID", c.HOTSIDEFLUID);
    f("MATERIAL", c.MATERIAL);
    f("ENGLISH", c.ENGLISH);
    f("ROWSFIXED", c.ROWSFIXED);
    f("DRAFT", c.DRAFT);
    f("THOTIN", c.THOTIN);
    f("THOTOUT", c.THOTOUT);
    f("MAIR", c.MAIR);
    f("TAIRIN", c.TAIRIN);
    f("TAIROUT", c.TAIROUT);
    f("NROWS", c.NROWS);
    f("TUBESPERFOOT", c.TUBESPERFOOT);
    f("TUBESPERROW", c.TUBESPERROW);
    f("TUBESTOTAL", c.TUBESTOTAL);
    f("ATUBEPERFOOT", c.ATUBEPERFOOT);
    f("ATUBEBARETOTAL", c.ATUBEBARETOTAL);
    f("ATUBEFINTOTAL", c.ATUBEFINTOTAL);
    f("AFACE", c.AFACE);
    f("XWIDTH", c.XWIDTH);
    f("LENGTH", c.LENGTH);
    f("UOVERALL", c.UOVERALL);
    f("QTOTAL", c.QTOTAL);
    f("PHOT", c.PHOT);
    f("ROWINDEX", c.ROWINDEX);
    f("NTUAIR", c.NTUAIR);
    f("CRATIO", c.CRATIO);
    f("EFFECTIVENESS", c.EFFECTIVENESS);
    f("HORSEPOWER", c.HORSEPOWER);
    f("WEIGHTTOTAL", c.WEIGHTTOTAL);
    f("COSTTOTAL", c.COSTTOTAL);
    f("FACEVELOCITY", c.FACEVELOCITY);
    f("COSTFACTOR", c.COSTFACTOR);
    f("LENGTHFACTOR", c.LENGTHFACTOR);
    f("MATERIALFACTOR", c.MATERIALFACTOR);
    f("COSTTOTALPERAREA", c.COSTTOTALPERAREA);
    f("COSTTOTALPERMASS", c.COSTTOTALPERMASS);
    f("COSTUSER", c.COSTUSER);
}

} // namespace keld
