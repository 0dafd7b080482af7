#include "planning/figures.h"

#include "report/report.h"
#include "text/number.h"
#include "units/units.h"

namespace keld {
namespace {

using units::Quantity;

bool metric(Units u) {
    return u == Units::Metric;
}

double shown(Quantity q, double english, Units u) {
    return metric(u) ? units::toMetric(q, english) : english;
}

} // namespace

CaseFigures figuresOf(const SizingCase& c, const planning::Figures& plan) {
    CaseFigures f;
    f.duty = c.QTOTAL;
    f.rows = c.NROWS;
    f.length = c.LENGTH;
    f.width = c.XWIDTH;
    f.tubes = c.TUBESTOTAL;
    f.bareArea = c.ATUBEBARETOTAL;
    f.faceArea = c.AFACE;
    f.airOut = c.TAIROUT;
    f.fanPower = c.HORSEPOWER;
    f.weight = c.WEIGHTTOTAL;
    f.price = c.COSTTOTAL;
    f.pricePerArea = c.COSTTOTALPERAREA;
    if (plan.fans) {
        f.fans = static_cast<double>(plan.fans->fans);
        f.fanDiameter = plan.fans->fanDiameterFt;
        f.soundPressure = plan.fans->soundPressureDbA;
    }
    if (plan.ownership) {
        f.evaluatedCost = plan.ownership->evaluatedCost;
    }
    return f;
}

namespace columns {
using Form = FigureColumn::Form;
const FigureColumn duty = {{"Duty MMBtu/hr", "Duty MW"},
                           {"duty_mmbtu_hr", "duty_mw"},
                           Form::Figure,
                           [](const CaseFigures& f, Units u) {
                               return (metric(u) ? units::toMetric(Quantity::Duty, f.duty)
                                                 : f.duty) /
                                      units::kBtuPerHourPerMillion;
                           }};
const FigureColumn rows = {{"Rows", "Rows"},
                           {"rows", "rows"},
                           Form::Whole,
                           [](const CaseFigures& f, Units) { return double(f.rows); }};
const FigureColumn length = {
    {"Length ft", "Length m"},
    {"length_ft", "length_m"},
    Form::Figure,
    [](const CaseFigures& f, Units u) { return shown(Quantity::Length, f.length, u); }};
const FigureColumn width = {
    {"Width ft", "Width m"},
    {"width_ft", "width_m"},
    Form::Figure,
    [](const CaseFigures& f, Units u) { return shown(Quantity::Length, f.width, u); }};
const FigureColumn tubes = {{"Tubes", "Tubes"},
                            {"tubes", "tubes"},
                            Form::GroupedWhole,
                            [](const CaseFigures& f, Units) { return double(f.tubes); }};
const FigureColumn bareArea = {
    {"Bare sq ft", "Bare sq m"},
    {"bare_area_sq_ft", "bare_area_sq_m"},
    Form::Figure,
    [](const CaseFigures& f, Units u) { return shown(Quantity::Area, f.bareArea, u); }};
const FigureColumn faceArea = {
    {"Face sq ft", "Face sq m"},
    {"face_area_sq_ft", "face_area_sq_m"},
    Form::Figure,
    [](const CaseFigures& f, Units u) { return shown(Quantity::Area, f.faceArea, u); }};
const FigureColumn airOut = {
    {"Air out \u00B0F", "Air out \u00B0C"},
    {"air_out_f", "air_out_c"},
    Form::Figure,
    [](const CaseFigures& f, Units u) { return shown(Quantity::Temperature, f.airOut, u); }};
const FigureColumn fanPower = {
    {"Fan hp", "Fan kW"},
    {"fan_power_hp", "fan_power_kw"},
    Form::Figure,
    [](const CaseFigures& f, Units u) { return shown(Quantity::Power, f.fanPower, u); }};
const FigureColumn weight = {
    {"Weight lb", "Weight kg"},
    {"weight_lb", "weight_kg"},
    Form::Figure,
    [](const CaseFigures& f, Units u) { return shown(Quantity::Mass, f.weight, u); }};
const FigureColumn price = {{"Price US$", "Price US$"},
                            {"price_usd", "price_usd"},
                            Form::Figure,
                            [](const CaseFigures& f, Units) { return f.price; }};
const FigureColumn pricePerArea = {
    {"US$/sq ft", "US$/sq m"},
    {"price_per_sq_ft", "price_per_sq_m"},
    Form::Figure,
    [](const CaseFigures& f, Units u) { return shown(Quantity::PricePerArea, f.pricePerArea, u); }};
const FigureColumn fans = {{"Fans", "Fans"},
                           {"fans", "fans"},
                           Form::Whole,
                           [](const CaseFigures& f, Units) { return f.fans; }};
const FigureColumn fanDiameter = {
    {"Fan ft", "Fan m"},
    {"fan_diameter_ft", "fan_diameter_m"},
    Form::Figure,
    [](const CaseFigures& f, Units u) { return shown(Quantity::Length, f.fanDiameter, u); }};
const FigureColumn soundPressure = {{"Noise dB(A)", "Noise dB(A)"},
                                    {"sound_pressure_dba", "sound_pressure_dba"},
                                    Form::Figure,
                                    [](const CaseFigures& f, Units) { return f.soundPressure; }};
const FigureColumn evaluatedCost = {{"Evaluated US$", "Evaluated US$"},
                                    {"evaluated_cost_usd", "evaluated_cost_usd"},
                                    Form::Figure,
                                    [](const CaseFigures& f, Units) { return f.evaluatedCost; }};
} // namespace columns

Column headingOf(const FigureColumn& column, Units units) {
    return {column.heading[metric(units) ? 1 : 0], Align::Right};
}

std::string csvNameOf(const FigureColumn& column, Units units) {
    return column.csvName[metric(units) ? 1 : 0];
}

std::string cellText(const FigureColumn& column, const CaseFigures& f, Units units) {
    const double v = column.value(f, units);
    if (!std::isfinite(v)) {
        return {};
    }
    switch (column.form) {
    case FigureColumn::Form::Whole:
        return std::to_string(static_cast<long long>(v));
    case FigureColumn::Form::GroupedWhole:
        return formatFixed(v, 0, true);
    case FigureColumn::Form::Figure:
        break;
    }
    return FormatReportValue(v);
}

std::string cellCsv(const FigureColumn& column, const CaseFigures& f, Units units) {
    const double v = column.value(f, units);
    if (!std::isfinite(v)) {
        return {};
    }
    if (column.form == FigureColumn::Form::Figure) {
        return fullPrecision(v);
    }
    return std::to_string(static_cast<long long>(v));
}

std::string oneLine(std::string_view text) {
    std::string out;
    for (const char ch : text) {
        if (ch == '\n' || ch == '\r') {
            if (!out.empty() && out.back() != ' ') {
                out += ' ';
            }
        } else {
            out += ch;
        }
    }
    return out;
}

} // namespace keld
