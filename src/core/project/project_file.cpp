#include "project/project_file.h"

#include "catalogue/catalogue.h"
#include "engine/fault.h"
#include "text/cp1252.h"
#include "text/lines.h"
#include "text/number.h"
#include "units/units.h"

namespace keld {

const std::array<const char*, kProjectTagCount> kProjectTags = {
    "<TEXT1>",   "<TEXT2>",   "<TEXT3>",   "<TEXT4>",  "<TEXT5>",  "<TEXT6>",
    "<TEXT7>",   "<TEXT8>",   "<TEXT9>",   "<TEXT10>", "<TEXT11>", "<TEXT12>",
    "<OPTION1>", "<OPTION2>", "<OPTION3>", "<COMBO1>", "<COMBO2>"};

std::vector<ProjectEntry> parseProjectFile(std::string_view bytes) {
    std::vector<ProjectEntry> entries;
    for (std::string_view line : splitLines(bytes)) {
        if (line.find('<') == std::string_view::npos) {
            continue;
        }
        for (std::size_t t = 0; t < kProjectTagCount; ++t) {
            const std::size_t pos = line.find(kProjectTags[t]);
            if (pos != std::string_view::npos) {
                entries.push_back({static_cast<int>(t), cp1252ToUtf8(line.substr(0, pos))});
            }
        }
    }
    return entries;
}

std::optional<std::size_t> SheetState::selectedService() const {
    for (std::size_t i = 0; i < service.size(); ++i) {
        if (service[i]) {
            return i;
        }
    }
    return std::nullopt;
}

std::string SheetState::fluidText() const {
    if (fluidIndex && *fluidIndex < fluidList.size()) {
        return fluidList[*fluidIndex];
    }
    return {};
}

std::string SheetState::materialText() const {
    const auto list = materials();
    if (materialIndex && *materialIndex < list.size()) {
        return list[*materialIndex].name;
    }
    return {};
}

void prepareOpen(SheetState& sheet, SizingCase& c) {
    const SheetState fresh;
    sheet.userEntry = fresh.userEntry;
    sheet.userCoefficient = fresh.userCoefficient;
    sheet.fluidList.clear();
    sheet.fluidIndex.reset();
    c.COSTUSER = 0;
}

namespace {

// The prefix of a user-defined entry as a saved fluid line starts with it:
// the prefix without its closing blank ("User Defined Gas:").
std::string_view savedUserPrefix(std::size_t service) {
    std::string_view prefix = services()[service].userPrefix;
    return prefix.substr(0, prefix.size() - 1);
}

} // namespace

std::optional<LoadFailure> applyProject(const std::vector<ProjectEntry>& entries, LoadKind kind,
                                        SheetState& sheet, SizingCase& c) {
    for (const ProjectEntry& e : entries) {
        if (e.tag < kTagOption1) {
            sheet.text[static_cast<Field>(e.tag + 1)] = e.value;
            if (e.tag == 7 && kind == LoadKind::Open) {
                c.ROWSFIXED = true;
            }
            continue;
        }
        switch (e.tag) {
        case kTagOption1: {
            std::size_t s = static_cast<std::size_t>(Service::LiquidCooling);
            for (const ServiceInfo& info : services()) {
                if (e.value == info.fileCode) {
                    s = static_cast<std::size_t>(info.service);
                }
            }
            sheet.service = {};
            sheet.service[s] = true;
            // While a file is applied, a service change only appends its list.
            const auto list = fluidList(static_cast<Service>(s), sheet.userEntry[s]);
            sheet.fluidList.insert(sheet.fluidList.end(), list.begin(), list.end());
            break;
        }
        case kTagOption2:
            sheet.english = e.value == "ENGLISH";
            c.ENGLISH = sheet.english;
            break;
        case kTagOption3:
            sheet.forced = e.value == "FORCED";
            c.DRAFT = sheet.forced;
            break;
        case kTagCombo1: {
            const std::optional<std::size_t> s = sheet.selectedService();
            if (kind == LoadKind::Open && s && e.value.starts_with(savedUserPrefix(*s))) {
                if (sheet.fluidList.empty()) {
                    return LoadFailure{e.tag, e.value};
                }
                sheet.userEntry[*s] = e.value;
                const std::optional<double> u = readNumber(sheet.text[Field::Coefficient]);
                if (u) {
                    store(sheet.userCoefficient[*s],
                          isTrue(c.ENGLISH) ? *u
                                            : units::toEnglish(units::Quantity::Coefficient, *u));
                }
                sheet.fluidList.back() = e.value;
            }
            std::optional<std::size_t> found;
            for (std::size_t i = 0; i < sheet.fluidList.size(); ++i) {
                if (sheet.fluidList[i] == e.value) {
                    found = i;
                    break;
                }
            }
            if (found) {
                sheet.fluidIndex = found;
            } else if (kind == LoadKind::Open) {
                return LoadFailure{e.tag, e.value};
            }
            break;
        }
        case kTagCombo2: {
            const std::optional<std::size_t> m = findMaterial(e.value);
            if (m) {
                sheet.materialIndex = m;
                c.MATERIALFACTOR = materialFactor(*m);
                c.MATERIAL = materials()[*m].name;
            } else if (kind == LoadKind::Open) {
                return LoadFailure{e.tag, e.value};
            }
            break;
        }
        default:
            break;
        }
    }
    return std::nullopt;
}

SheetEntries sheetEntries(const SheetState& sheet) {
    SheetEntries entries;
    entries.text = sheet.text;
    entries.service = sheet.service;
    entries.fluid = sheet.fluidText();
    return entries;
}

std::string projectFileBytes(const SheetState& sheet, bool* lossy) {
    std::string utf8;
    for (const Field f : kFields) {
        utf8 += sheet.text[f];
        utf8 += kProjectTags[static_cast<std::size_t>(fieldNumber(f) - 1)];
        utf8 += "\r\n";
    }
    const std::optional<std::size_t> s = sheet.selectedService();
    utf8 += s ? services()[*s].fileCode : services()[2].fileCode;
    utf8 += "<OPTION1>\r\n";
    utf8 += sheet.english ? "ENGLISH" : "METRIC";
    utf8 += "<OPTION2>\r\n";
    utf8 += sheet.forced ? "FORCED" : "INDUCED";
    utf8 += "<OPTION3>\r\n";
    utf8 += sheet.fluidText();
    utf8 += "<COMBO1>\r\n";
    utf8 += sheet.materialText();
    utf8 += "<COMBO2>\r\n";
    return utf8ToCp1252(utf8, lossy);
}

} // namespace keld
