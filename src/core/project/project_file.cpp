#include "project/project_file.h"

#include "text/cp1252.h"
#include "text/lines.h"

namespace keld {

const std::array<ProjectLine, kProjectLineCount> kProjectLines = {{
    {"<TEXT1>", ProjectItem::Field, Field::CoefficientLow},
    {"<TEXT2>", ProjectItem::Field, Field::CoefficientHigh},
    {"<TEXT3>", ProjectItem::Field, Field::Coefficient},
    {"<TEXT4>", ProjectItem::Field, Field::Title},
    {"<TEXT5>", ProjectItem::Field, Field::AirInlet},
    {"<TEXT6>", ProjectItem::Field, Field::HotInlet},
    {"<TEXT7>", ProjectItem::Field, Field::HotOutlet},
    {"<TEXT8>", ProjectItem::Field, Field::Rows},
    {"<TEXT9>", ProjectItem::Field, Field::Item},
    {"<TEXT10>", ProjectItem::Field, Field::PriceFactor},
    {"<TEXT11>", ProjectItem::Field, Field::TubeLength},
    {"<TEXT12>", ProjectItem::Field, Field::Duty},
    {"<OPTION1>", ProjectItem::Service, {}},
    {"<OPTION2>", ProjectItem::Units, {}},
    {"<OPTION3>", ProjectItem::Draft, {}},
    {"<COMBO1>", ProjectItem::Fluid, {}},
    {"<COMBO2>", ProjectItem::Material, {}},
}};

namespace {
constexpr std::string_view kEnglish = "ENGLISH";
constexpr std::string_view kMetric = "METRIC";
constexpr std::string_view kForced = "FORCED";
constexpr std::string_view kInduced = "INDUCED";
} // namespace

UnitSystem unitsFromWord(std::string_view word) {
    return word == kEnglish ? UnitSystem::English : UnitSystem::Metric;
}

const char* unitsWord(UnitSystem units) {
    return (units == UnitSystem::English ? kEnglish : kMetric).data();
}

bool forcedFromWord(std::string_view word) {
    return word == kForced;
}

const char* draftWord(bool forced) {
    return (forced ? kForced : kInduced).data();
}

std::vector<ProjectEntry> parseProjectFile(std::string_view bytes) {
    std::vector<ProjectEntry> entries;
    std::size_t number = 0;
    for (std::string_view line : splitLines(bytes)) {
        ++number;
        if (line.find('<') == std::string_view::npos) {
            continue;
        }
        for (const ProjectLine& tagged : kProjectLines) {
            const std::size_t pos = line.find(tagged.tag);
            if (pos != std::string_view::npos) {
                entries.push_back({&tagged, cp1252ToUtf8(line.substr(0, pos)), number});
            }
        }
    }
    return entries;
}

std::string writeProjectFile(const std::function<std::string(const ProjectLine&)>& value,
                             bool* lossy) {
    std::string utf8;
    for (const ProjectLine& line : kProjectLines) {
        utf8 += value(line);
        utf8 += line.tag;
        utf8 += "\r\n";
    }
    return utf8ToCp1252(utf8, lossy);
}

} // namespace keld
