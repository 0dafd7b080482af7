#pragma once
// The summary of one case that keld-size's tables and the Alternatives window
// show, and the columns that show it: one table of columns serves the text
// tables and the CSV of plant lists and sweeps alike.

#include "engine/sizing_case.h"
#include "planning/plan.h"
#include "text/table.h"
#include "units/units.h"

#include <array>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

namespace keld {

// The figures of a completed case, all in English units.
struct CaseSummary {
    double duty = 0; // Btu/hr
    int rows = 0;
    double length = 0; // ft
    double width = 0;  // ft
    int tubes = 0;
    double bareArea = 0;     // sq ft
    double faceArea = 0;     // sq ft
    double airOut = 0;       // °F
    double fanPower = 0;     // hp
    double weight = 0;       // lb
    double price = 0;        // US$
    double pricePerArea = 0; // US$ per sq ft
    // The planning figures: not a number where none were planned.
    double fans = NAN;
    double fanDiameter = NAN;   // ft
    double motorNeeded = NAN;   // hp per fan, before the standard rating
    double soundPressure = NAN; // dB(A) at the listener
    double nearField = NAN;     // dB(A) 1 m below a fan
    double evaluatedCost = NAN; // US$
};

CaseSummary summarize(const SizingCase& c, const planning::Plan& plan);

// A column of figures: its headings in the two unit systems, its CSV names,
// and the value it shows in the table's units.
struct SummaryColumn {
    enum class Form {
        Figure,      // three significant figures in the text table, full precision in CSV
        Whole,       // a whole number
        GroupedWhole // a whole number, thousands grouped by commas in the text table
    };
    std::array<const char*, 2> heading; // English, Metric
    std::array<const char*, 2> csvName;
    Form form;
    double (*value)(const CaseSummary& f, UnitSystem units);
};

// The columns of the figures, by what they show.
namespace columns {
extern const SummaryColumn duty, rows, length, width, tubes, bareArea, faceArea, airOut, fanPower,
    weight, price, pricePerArea, fans, fanDiameter, motorRating, soundPressure, nearField,
    evaluatedCost;
}

// The column's heading for a text table or a CSV header.
Column headingOf(const SummaryColumn& column, UnitSystem units);
std::string csvNameOf(const SummaryColumn& column, UnitSystem units);

// A figure as a text table shows it, and in full precision for CSV.
std::string cellText(const SummaryColumn& column, const CaseSummary& f, UnitSystem units);
std::string cellCsv(const SummaryColumn& column, const CaseSummary& f, UnitSystem units);

} // namespace keld
