#include "json_output.h"

#include "planning/motors.h"
#include "project/project_file.h"
#include "units/units.h"

#include <type_traits>

namespace keld::cli {

nlohmann::ordered_json caseToJson(const SizingCase& c) {
    nlohmann::ordered_json out = nlohmann::ordered_json::object();
    forEachField(c, [&](const char* name, const auto& value) {
        using T = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<T, Flag>) {
            out[name] = value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json(nullptr);
        } else {
            out[name] = value;
        }
    });
    return out;
}

namespace {

// The key of an option's value, as the option table names it.
const char* jsonKey(planning::Option option) {
    return planning::optionRow(option).jsonKey;
}

nlohmann::ordered_json bySystem(const auto& english, const auto& metric) {
    return {{"english", english}, {"metric", metric}};
}

using Json = nlohmann::ordered_json;

// An option's value: a whole number as one, none as null.
Json optionJson(const planning::Options& o, planning::Option id) {
    const std::optional<double> v = o.given(id);
    if (!v) {
        return nullptr;
    }
    return planning::optionRow(id).whole ? Json(static_cast<std::int64_t>(*v)) : Json(*v);
}

// A figure, or null.
Json orNull(bool shown, double value) {
    return shown ? Json(value) : Json(nullptr);
}
Json orNull(const std::optional<double>& value) {
    return value ? Json(*value) : Json(nullptr);
}

Json fansToJson(const std::optional<planning::FanPlan>& fans, const planning::Options& o) {
    if (!fans) {
        return nullptr;
    }
    const planning::FanPlan& f = *fans;
    const std::optional<planning::FanLayout>& l = f.layout;
    const bool laidOut = l.has_value();
    const auto length = [&](double planning::FanLayout::*ft, bool metres) {
        return laidOut
                   ? Json(metres ? units::toMetric(units::Quantity::Length, (*l).*ft) : (*l).*ft)
                   : Json(nullptr);
    };
    const auto layoutCount = [&](std::int64_t planning::FanLayout::*count) {
        return laidOut ? Json((*l).*count) : Json(nullptr);
    };
    return {
        {"bays", layoutCount(&planning::FanLayout::bays)},
        {"fansPerBay", layoutCount(&planning::FanLayout::fansPerBay)},
        {"fans", layoutCount(&planning::FanLayout::fans)},
        {"bayWidthFt", length(&planning::FanLayout::bayWidthFt, false)},
        {"bayWidthM", length(&planning::FanLayout::bayWidthFt, true)},
        {"plotLengthFt", length(&planning::FanLayout::plotLengthFt, false)},
        {"plotLengthM", length(&planning::FanLayout::plotLengthFt, true)},
        {"fanDiameterFt", laidOut ? Json(l->diameterFt) : Json(nullptr)},
        {"fanDiameterM", orNull(laidOut, f.fanDiameterM)},
        {"coverage", laidOut ? Json(l->coverage) : Json(nullptr)},
        {"plenumDepthFt", length(&planning::FanLayout::plenumDepthFt, false)},
        {"plenumDepthM", length(&planning::FanLayout::plenumDepthFt, true)},
        {"shaftPowerPerFanHp", orNull(laidOut, f.shaftPowerPerFanHp)},
        {"motorRating", orNull(f.motorRating)},
        {"motorRatingUnit", planning::motorRatingUnit(f.units)},
        {jsonKey(planning::Option::FewestFans), optionJson(o, planning::Option::FewestFans)},
        {jsonKey(planning::Option::FanClearance), optionJson(o, planning::Option::FanClearance)},
        {jsonKey(planning::Option::LargestFan), optionJson(o, planning::Option::LargestFan)},
        {jsonKey(planning::Option::MotorMargin), optionJson(o, planning::Option::MotorMargin)},
        {jsonKey(planning::Option::TipSpeed), f.tipSpeedFtMin},
        {"rpm", orNull(laidOut, f.rpm)},
        {"soundPowerPerFanDbA", orNull(laidOut, f.soundPowerPerFanDbA)},
        {"soundPowerDbA", orNull(laidOut, f.soundPowerDbA)},
        {jsonKey(planning::Option::Distance), f.distanceM},
        {"soundPressureDbA", orNull(laidOut, f.soundPressureDbA)},
        {"nearFieldDbA", orNull(laidOut, f.nearFieldDbA)},
        {jsonKey(planning::Option::NoiseLimit), optionJson(o, planning::Option::NoiseLimit)},
        {jsonKey(planning::Option::NearFieldLimit),
         optionJson(o, planning::Option::NearFieldLimit)},
        {"tipSpeedForLimitsFtMin", orNull(f.tipSpeedForLimitsFtMin)},
        {"notes", f.notes}};
}

Json airToJson(const std::optional<planning::AirSide>& air) {
    if (!air) {
        return nullptr;
    }
    using units::Quantity;
    const planning::AirSide& a = *air;
    return {{"faceAreaSqFt", a.faceAreaSqFt},
            {"faceAreaSqM", units::toMetric(Quantity::Area, a.faceAreaSqFt)},
            {"faceVelocityFtMin", a.faceVelocityFtMin},
            {"faceVelocityMS", units::toMetric(Quantity::Speed, a.faceVelocityFtMin)},
            {"bundleFaceSqFt", a.bundleFaceSqFt},
            {"bundleFaceSqM", units::toMetric(Quantity::Area, a.bundleFaceSqFt)},
            {"airDensityLbFt3", a.densityInletLbFt3},
            {"airVolumeAcfm", a.volumeInletAcfm},
            {"airVolumeM3S", units::toMetric(Quantity::AirVolume, a.volumeInletAcfm)},
            {"airVolumeOutletAcfm", a.volumeOutletAcfm},
            {"airVolumeAtFansAcfm", a.volumeAtFansAcfm},
            {"airVolumePerFanAcfm", orNull(a.volumePerFanAcfm)},
            {"approachF", a.approachF},
            {"approachC", units::toMetric(Quantity::TemperatureDifference, a.approachF)}};
}

Json ownershipToJson(const std::optional<planning::Ownership>& ownership) {
    if (!ownership) {
        return nullptr;
    }
    const planning::Ownership& o = *ownership;
    return {{jsonKey(planning::Option::DriveEfficiency), o.driveEfficiency},
            {jsonKey(planning::Option::MotorEfficiency), o.motorEfficiency},
            {"electricalPowerKw", o.electricalPowerKw},
            {jsonKey(planning::Option::EnergyPrice), o.energyPricePerKwh},
            {jsonKey(planning::Option::Hours), o.hoursPerYear},
            {jsonKey(planning::Option::Years), o.years},
            {jsonKey(planning::Option::Rate), o.rate},
            {"energyCostPerYear", o.energyCostPerYear},
            {"energyPresentValue", o.energyPresentValue},
            {"evaluatedCost", o.evaluatedCost}};
}

} // namespace

nlohmann::ordered_json runToJson(const CaseRun& caseRun) {
    const RunResult& run = caseRun.run;
    const planning::Plan* plan = run.ok ? &caseRun.plan : nullptr;
    const planning::Options& options = caseRun.options;
    nlohmann::ordered_json out;
    out["ok"] = run.ok;
    nlohmann::ordered_json messages = nlohmann::ordered_json::array();
    for (const RecordedMessage& m : run.messages) {
        messages.push_back(m.text);
    }
    out["messages"] = std::move(messages);
    out["case"] = caseToJson(caseRun.sheet->record());
    if (plan) {
        out["fans"] = fansToJson(plan->fans, options);
        out["air"] = airToJson(plan->air);
        out["ownership"] = ownershipToJson(plan->ownership);
    }
    return out;
}

nlohmann::ordered_json describeJson() {
    nlohmann::ordered_json tags = nlohmann::ordered_json::array();
    for (const ProjectLine& line : kProjectLines) {
        tags.push_back(line.tag);
    }
    nlohmann::ordered_json options = nlohmann::ordered_json::array();
    constexpr UnitSystem kEnglish = UnitSystem::English;
    constexpr UnitSystem kMetric = UnitSystem::Metric;
    for (const planning::OptionRow& row : planning::optionTable()) {
        const auto shown = [&](UnitSystem units) {
            return planning::shownValue(row, row.defaults[units == kEnglish ? 0 : 1], units);
        };
        options.push_back(
            {{"flag", std::string("--") + row.flag},
             {"label", row.label},
             {"group", planning::kOptionGroupTitles[static_cast<std::size_t>(row.group)]},
             {"jsonKey", row.jsonKey},
             {"unit", bySystem(row.unitText[0], row.unitText[1])},
             {"default", bySystem(shown(kEnglish), shown(kMetric))},
             {"low", bySystem(row.low[0], row.low[1])},
             {"high", bySystem(row.high[0], row.high[1])},
             {"noneAllowed", row.noneAllowed},
             {"whole", row.whole},
             {"range", bySystem(planning::acceptedRangeText(row, kEnglish),
                                planning::acceptedRangeText(row, kMetric))},
             {"message", bySystem(row.message[0], row.message[1])}});
    }
    return {{"projectFileTags", tags}, {"options", options}};
}

} // namespace keld::cli
