#include "json_output.h"

#include "project/project_file.h"

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

nlohmann::ordered_json fansToJson(const std::optional<planning::FanPlan>& fans) {
    if (!fans) {
        return nullptr;
    }
    const planning::FanPlan& f = *fans;
    return {{"bays", f.bays},
            {"fansPerBay", f.fansPerBay},
            {"fans", f.fans},
            {"fanDiameterFt", f.fanDiameterFt},
            {"fanDiameterM", f.fanDiameterM},
            {"coverage", f.coverage},
            {jsonKey(planning::Option::TipSpeed), f.tipSpeedFtMin},
            {"rpm", f.rpm},
            {"soundPowerPerFanDbA", f.soundPowerPerFanDbA},
            {"soundPowerDbA", f.soundPowerDbA},
            {jsonKey(planning::Option::Distance), f.distanceM},
            {"soundPressureDbA", f.soundPressureDbA},
            {"notes", f.notes}};
}

nlohmann::ordered_json ownershipToJson(const std::optional<planning::Ownership>& ownership) {
    if (!ownership) {
        return nullptr;
    }
    const planning::Ownership& o = *ownership;
    return {{jsonKey(planning::Option::EnergyPrice), o.energyPricePerKwh},
            {jsonKey(planning::Option::Hours), o.hoursPerYear},
            {jsonKey(planning::Option::Years), o.years},
            {jsonKey(planning::Option::Rate), o.rate},
            {"energyCostPerYear", o.energyCostPerYear},
            {"energyPresentValue", o.energyPresentValue},
            {"evaluatedCost", o.evaluatedCost}};
}

} // namespace

nlohmann::ordered_json runToJson(const RunResult& run, const SizingCase& c,
                                 const planning::Plan* plan) {
    nlohmann::ordered_json out;
    out["ok"] = run.ok;
    nlohmann::ordered_json messages = nlohmann::ordered_json::array();
    for (const RecordedMessage& m : run.messages) {
        messages.push_back(m.text);
    }
    out["messages"] = std::move(messages);
    out["case"] = caseToJson(c);
    if (plan) {
        out["fans"] = fansToJson(plan->fans);
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
        options.push_back({{"flag", std::string("--") + row.flag},
                           {"label", row.label},
                           {"jsonKey", row.jsonKey},
                           {"unit", bySystem(row.unitText[0], row.unitText[1])},
                           {"default", bySystem(shown(kEnglish), shown(kMetric))},
                           {"low", bySystem(row.low[0], row.low[1])},
                           {"high", bySystem(row.high[0], row.high[1])},
                           {"lowRefused", row.lowRefused},
                           {"whole", row.whole},
                           {"range", bySystem(planning::acceptedRangeText(row, kEnglish),
                                              planning::acceptedRangeText(row, kMetric))},
                           {"message", bySystem(row.message[0], row.message[1])}});
    }
    return {{"projectFileTags", tags}, {"options", options}};
}

} // namespace keld::cli
