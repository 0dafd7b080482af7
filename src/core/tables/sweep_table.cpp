#include "tables/sweep_table.h"

#include "catalogue/catalogue.h"
#include "report/report.h"
#include "text/number.h"
#include "units/units.h"

namespace keld::sweep {

std::string marks(const Result& r, std::uint32_t i) {
    std::string m;
    const auto add = [&](const std::optional<std::uint32_t>& at, const char* word) {
        if (at && *at == i) {
            m += m.empty() ? "" : ", ";
            m += word;
        }
    };
    add(r.cheapest, "cheapest");
    add(r.lightest, "lightest");
    add(r.leastPower, "lowest fan power");
    add(r.leastEvaluated, "lowest evaluated cost");
    return m;
}

double lengthShown(const Result& r, double typed, UnitSystem units) {
    if (r.units == units) {
        return typed;
    }
    return r.units == UnitSystem::English ? units::toMetric(units::Quantity::Length, typed)
                                          : units::toEnglish(units::Quantity::Length, typed);
}

std::string lengthCell(const Result& r, double typed, UnitSystem units) {
    if (r.units != units) {
        return FormatReportValue(lengthShown(r, typed, units));
    }
    return formatFixed(typed, r.lengthDecimals);
}

CaseSummary summarize(const Alternative& a) {
    CaseSummary f;
    f.width = a.figures.width;
    f.faceArea = a.figures.faceArea;
    f.fanPower = a.figures.fanPower;
    f.weight = a.figures.weight;
    f.price = a.figures.price;
    f.evaluatedCost = a.figures.evaluatedCost;
    f.soundPressure = a.figures.soundPressure;
    if (a.figures.fans > 0) {
        f.fans = a.figures.fans;
        f.fanDiameter = a.figures.fanDiameterFt;
        f.motorNeeded = a.figures.motorNeeded;
        f.nearField = a.figures.nearField;
    }
    return f;
}

const std::vector<const SummaryColumn*>& sweepColumns() {
    static const std::vector<const SummaryColumn*> list = {
        &columns::width,       &columns::faceArea,      &columns::fanPower, &columns::weight,
        &columns::price,       &columns::evaluatedCost, &columns::fans,     &columns::fanDiameter,
        &columns::motorRating, &columns::soundPressure, &columns::nearField};
    return list;
}

Column lengthHeading(UnitSystem units) {
    return {units == UnitSystem::English ? "Length ft" : "Length m", Align::Right};
}

std::string sweepText(const Result& r, UnitSystem units) {
    std::vector<Column> heads = {
        {"Rank"}, {"Rows"}, lengthHeading(units), {"Material", Align::Left}};
    for (const SummaryColumn* c : sweepColumns()) {
        heads.push_back(headingOf(*c, units));
    }
    heads.push_back({"Note", Align::Left});
    std::vector<Row> rows;
    rows.reserve(r.ranked.size());
    for (std::size_t k = 0; k < r.ranked.size(); ++k) {
        const Alternative& a = r.all[r.ranked[k]];
        const CaseSummary f = summarize(a);
        Row row = {std::to_string(k + 1), std::to_string(a.rows),
                   FormatReportValue(lengthShown(r, r.length(a), units)),
                   materials()[a.material].name};
        for (const SummaryColumn* column : sweepColumns()) {
            row.push_back(cellText(*column, f, units));
        }
        row.push_back(marks(r, r.ranked[k]));
        rows.push_back(std::move(row));
    }
    std::string out = textTable(heads, rows);
    if (!r.infeasible.empty()) {
        out += "\nInfeasible:\n";
        std::vector<Row> bad;
        for (const std::uint32_t i : r.infeasible) {
            const Alternative& a = r.all[i];
            bad.push_back({std::to_string(a.rows),
                           FormatReportValue(lengthShown(r, r.length(a), units)),
                           materials()[a.material].name, r.messages[a.message]});
        }
        out += textTable(
            {{"Rows"}, lengthHeading(units), {"Material", Align::Left}, {"Message", Align::Left}},
            bad);
    }
    return out;
}

std::string sweepCsv(const Result& r, UnitSystem units) {
    std::vector<std::string> header = {
        "rank", "rows", units == UnitSystem::English ? "length_ft" : "length_m", "material"};
    for (const SummaryColumn* c : sweepColumns()) {
        header.push_back(csvNameOf(*c, units));
    }
    header.push_back("marks");
    header.push_back("message");
    std::vector<Row> rows;
    for (std::size_t k = 0; k < r.ranked.size(); ++k) {
        const Alternative& a = r.all[r.ranked[k]];
        const CaseSummary f = summarize(a);
        Row row = {std::to_string(k + 1), std::to_string(a.rows),
                   fullPrecision(lengthShown(r, r.length(a), units)), materials()[a.material].name};
        for (const SummaryColumn* column : sweepColumns()) {
            row.push_back(cellCsv(*column, f, units));
        }
        row.push_back(marks(r, r.ranked[k]));
        row.push_back("");
        rows.push_back(std::move(row));
    }
    for (const std::uint32_t i : r.infeasible) {
        const Alternative& a = r.all[i];
        Row row = {"", std::to_string(a.rows), fullPrecision(lengthShown(r, r.length(a), units)),
                   materials()[a.material].name};
        row.resize(header.size() - 1);
        row.push_back(r.messages[a.message]);
        rows.push_back(std::move(row));
    }
    return csvTable(header, rows);
}

} // namespace keld::sweep
