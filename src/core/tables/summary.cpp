#include "tables/summary.h"

#include "planning/motors.h"
#include "report/report.h"
#include "text/number.h"
#include "units/units.h"

namespace keld {
namespace {

using units::Quantity;

bool metric(UnitSystem u) {
    return u == UnitSystem::Metric;
}

using units::shown;

} // namespace

CaseSummary summarize(const SizingCase& c, const planning::Plan& plan) {
    CaseSummary f;
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
    if (plan.fans && plan.fans->layout) {
        const planning::FanFigures& fans = *plan.fans;
        f.fans = static_cast<double>(fans.layout->fans);
        f.fanDiameter = fans.layout->diameterFt;
        f.motorNeeded = fans.motorPowerNeededHp;
        f.soundPressure = fans.soundPressureDbA;
        f.nearField = fans.nearFieldDbA;
    }
    if (plan.ownership) {
        f.evaluatedCost = plan.ownership->evaluatedCost;
    }
    return f;
}

namespace columns {
using Form = SummaryColumn::Form;
const SummaryColumn duty = {{"Duty MMBtu/hr", "Duty MW"},
                            {"duty_mmbtu_hr", "duty_mw"},
                            Form::Figure,
                            [](const CaseSummary& f, UnitSystem u) {
                                return (metric(u) ? units::toMetric(Quantity::Duty, f.duty)
                                                  : f.duty) /
                                       units::kBtuPerHourPerMillion;
                            }};
const SummaryColumn rows = {{"Rows", "Rows"},
                            {"rows", "rows"},
                            Form::Whole,
                            [](const CaseSummary& f, UnitSystem) { return double(f.rows); }};
const SummaryColumn length = {
    {"Length ft", "Length m"},
    {"length_ft", "length_m"},
    Form::Figure,
    [](const CaseSummary& f, UnitSystem u) { return shown(Quantity::Length, f.length, u); }};
const SummaryColumn width = {
    {"Width ft", "Width m"},
    {"width_ft", "width_m"},
    Form::Figure,
    [](const CaseSummary& f, UnitSystem u) { return shown(Quantity::Length, f.width, u); }};
const SummaryColumn tubes = {{"Tubes", "Tubes"},
                             {"tubes", "tubes"},
                             Form::GroupedWhole,
                             [](const CaseSummary& f, UnitSystem) { return double(f.tubes); }};
const SummaryColumn bareArea = {
    {"Bare sq ft", "Bare sq m"},
    {"bare_area_sq_ft", "bare_area_sq_m"},
    Form::Figure,
    [](const CaseSummary& f, UnitSystem u) { return shown(Quantity::Area, f.bareArea, u); }};
const SummaryColumn faceArea = {
    {"Face sq ft", "Face sq m"},
    {"face_area_sq_ft", "face_area_sq_m"},
    Form::Figure,
    [](const CaseSummary& f, UnitSystem u) { return shown(Quantity::Area, f.faceArea, u); }};
const SummaryColumn airOut = {
    {"Air out \u00B0F", "Air out \u00B0C"},
    {"air_out_f", "air_out_c"},
    Form::Figure,
    [](const CaseSummary& f, UnitSystem u) { return shown(Quantity::Temperature, f.airOut, u); }};
const SummaryColumn fanPower = {
    {"Fan hp", "Fan kW"},
    {"fan_power_hp", "fan_power_kw"},
    Form::Figure,
    [](const CaseSummary& f, UnitSystem u) { return shown(Quantity::Power, f.fanPower, u); }};
const SummaryColumn weight = {
    {"Weight lb", "Weight kg"},
    {"weight_lb", "weight_kg"},
    Form::Figure,
    [](const CaseSummary& f, UnitSystem u) { return shown(Quantity::Mass, f.weight, u); }};
const SummaryColumn price = {{"Price US$", "Price US$"},
                             {"price_usd", "price_usd"},
                             Form::Figure,
                             [](const CaseSummary& f, UnitSystem) { return f.price; }};
const SummaryColumn pricePerArea = {{"US$/sq ft", "US$/sq m"},
                                    {"price_per_sq_ft", "price_per_sq_m"},
                                    Form::Figure,
                                    [](const CaseSummary& f, UnitSystem u) {
                                        return shown(Quantity::PricePerArea, f.pricePerArea, u);
                                    }};
const SummaryColumn fans = {{"Fans", "Fans"},
                            {"fans", "fans"},
                            Form::Whole,
                            [](const CaseSummary& f, UnitSystem) { return f.fans; }};
const SummaryColumn fanDiameter = {
    {"Fan ft", "Fan m"},
    {"fan_diameter_ft", "fan_diameter_m"},
    Form::Figure,
    [](const CaseSummary& f, UnitSystem u) { return shown(Quantity::Length, f.fanDiameter, u); }};
// The standard rating of the table's units (NEMA hp, IEC kW) that the motor
// power each fan needs takes.
const SummaryColumn motorRating = {
    {"Motor hp", "Motor kW"},
    {"motor_rating_hp", "motor_rating_kw"},
    Form::Figure,
    [](const CaseSummary& f, UnitSystem u) {
        return std::isnan(f.motorNeeded)
                   ? NAN
                   : planning::standardMotorRating(f.motorNeeded, u).value_or(NAN);
    }};
const SummaryColumn nearField = {{"1 m dB(A)", "1 m dB(A)"},
                                 {"near_field_dba", "near_field_dba"},
                                 Form::Figure,
                                 [](const CaseSummary& f, UnitSystem) { return f.nearField; }};
const SummaryColumn soundPressure = {
    {"Noise dB(A)", "Noise dB(A)"},
    {"sound_pressure_dba", "sound_pressure_dba"},
    Form::Figure,
    [](const CaseSummary& f, UnitSystem) { return f.soundPressure; }};
const SummaryColumn evaluatedCost = {
    {"Evaluated US$", "Evaluated US$"},
    {"evaluated_cost_usd", "evaluated_cost_usd"},
    Form::Figure,
    [](const CaseSummary& f, UnitSystem) { return f.evaluatedCost; }};
} // namespace columns

Column headingOf(const SummaryColumn& column, UnitSystem units) {
    return {column.heading[metric(units) ? 1 : 0], Align::Right};
}

std::string csvNameOf(const SummaryColumn& column, UnitSystem units) {
    return column.csvName[metric(units) ? 1 : 0];
}

std::string cellText(const SummaryColumn& column, const CaseSummary& f, UnitSystem units) {
    const double v = column.value(f, units);
    if (!std::isfinite(v)) {
        return {};
    }
    switch (column.form) {
    case SummaryColumn::Form::Whole:
        return std::to_string(static_cast<long long>(v));
    case SummaryColumn::Form::GroupedWhole:
        return formatFixed(v, 0, true);
    case SummaryColumn::Form::Figure:
        break;
    }
    return FormatReportValue(v);
}

std::string cellCsv(const SummaryColumn& column, const CaseSummary& f, UnitSystem units) {
    const double v = column.value(f, units);
    if (!std::isfinite(v)) {
        return {};
    }
    if (column.form == SummaryColumn::Form::Figure) {
        return fullPrecision(v);
    }
    return std::to_string(static_cast<long long>(v));
}

} // namespace keld
