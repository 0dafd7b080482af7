#include "json_output.h"

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

nlohmann::ordered_json runToJson(const RunResult& run, const SizingCase& c) {
    nlohmann::ordered_json out;
    out["ok"] = run.ok;
    nlohmann::ordered_json messages = nlohmann::ordered_json::array();
    for (const RecordedMessage& m : run.messages) {
        messages.push_back(m.text);
    }
    out["messages"] = std::move(messages);
    out["case"] = caseToJson(c);
    return out;
}

} // namespace keld::cli
