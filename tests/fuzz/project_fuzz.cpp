// Reading and applying a project file, both as File, Open and as the default
// case, then calculating it, writing it back and reading that again.

#include "fuzz_check.h"

#include "catalogue/catalogue.h"
#include "engine/calculate.h"
#include "project/project_file.h"
#include "report/report.h"
#include "sheet/sheet.h"
#include "text/lines.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

using namespace keld;

class CheckedMessages : public MessageSink {
  public:
    void showMessage(std::string_view text, MessageIcon) override {
        fuzz::check(!text.empty(), "a message has a text");
        fuzz::check(!fuzz::showsNonFinite(text) || m_inputShowsNonFinite,
                    "no NaN or infinity in a message", text);
    }
    bool m_inputShowsNonFinite = false;
};

const std::string& reportTemplate() {
    static const std::string bytes = readFileBytes(KELD_DATA_DIR "/report.txt").value_or("");
    return bytes;
}

bool holdsTagOrCr(const std::string& s) {
    if (s.find('\r') != std::string::npos) {
        return true;
    }
    for (const ProjectLine& line : kProjectLines) {
        if (s.find(line.tag) != std::string::npos) {
            return true;
        }
    }
    return false;
}

void checkRecordFinite(const SizingCase& c) {
    forEachField(c, [](const char* name, const auto& field) {
        using T = std::decay_t<decltype(field)>;
        if constexpr (std::is_same_v<T, double>) {
            fuzz::check(std::isfinite(field), "a finished case holds finite numbers", name);
        }
    });
}

// The sheet as the program starts it, on the shipped default case.
const Sheet& started() {
    static const Sheet sheet = [] {
        CheckedMessages messages;
        Sheet s;
        s.startUp(KELD_DATA_DIR, messages);
        return s;
    }();
    return sheet;
}

// A sheet with a fluid of its own service's list and a material: what a
// written file must bring back. An empty list text, or a fluid left from an
// earlier service line of the same file, opens as no entry of the list.
bool complete(const Sheet& sheet) {
    const std::optional<std::size_t> s = sheet.service();
    if (!s || !sheet.fluid() || !sheet.material()) {
        return false;
    }
    const auto own = fluidList(static_cast<Service>(*s), sheet.userFluids().entry[*s]);
    return std::find(own.begin(), own.end(), sheet.fluidText()) != own.end();
}

void checkCalculation(Sheet& sheet, std::string_view bytes) {
    CheckedMessages messages;
    messages.m_inputShowsNonFinite = fuzz::showsNonFinite(bytes);
    if (!sheet.calculate(messages)) {
        return;
    }
    const SizingCase& c = sheet.record();
    checkRecordFinite(c);
    const std::string numbers = SubstituteReportTags(fuzz::kNumberTags, c, ReportDate{});
    fuzz::check(!fuzz::showsNonFinite(numbers), "no NaN or infinity in the report", numbers);
    (void)buildReportText(reportTemplate(), c, ReportDate{});
}

// File, Open on the started sheet, then Calculate; written and opened again,
// the sheet comes back as it was.
void openAndCheck(std::string_view bytes) {
    Sheet sheet = started();
    const std::optional<OpenFailure> failure = sheet.openBytes(bytes, "fuzz.ini");
    fuzz::check(parseProjectFile(bytes).empty() ==
                    (failure && failure->reason == OpenFailure::Reason::NoProjectLine),
                "a file is refused as no project file exactly when it holds no project line");
    if (failure) {
        fuzz::check(failure->reason != OpenFailure::Reason::CannotRead,
                    "only a list value or a file without a project line stops a load");
        return;
    }
    bool lossy = false;
    const std::string written = sheet.projectFile(&lossy);
    // A text that holds a tag or a CR cannot come back: the format has no
    // escape, so the tag counts again where it is written (a user-defined
    // fluid named "<TEXT10>" sets the price factor's field when read back).
    bool roundTrips = !lossy && !holdsTagOrCr(sheet.fluidText());
    for (const Field f : kFields) {
        roundTrips = roundTrips && !holdsTagOrCr(sheet.text(f));
    }
    if (roundTrips && complete(sheet)) {
        Sheet again = started();
        fuzz::check(!again.openBytes(written, "again.ini"), "a written sheet opens again", written);
        for (const Field f : kFields) {
            fuzz::check(again.text(f) == sheet.text(f), "a field's text comes back", sheet.text(f));
        }
        fuzz::check(again.service() == sheet.service(), "the service comes back");
        fuzz::check(again.units() == sheet.units(), "the units come back");
        fuzz::check(again.forced() == sheet.forced(), "the draft comes back");
        fuzz::check(again.fluidText() == sheet.fluidText(), "the fluid comes back");
        fuzz::check(again.materialText() == sheet.materialText(), "the material comes back");
    }
    checkCalculation(sheet, bytes);
}

// The same bytes as the installation's default case: start-up and Reset.
void startAndCheck(std::string_view bytes) {
    CheckedMessages messages;
    Sheet sheet;
    sheet.startUp(FileContent{FileStatus::Ok, std::string(bytes)}, "default.ini", messages);
    checkCalculation(sheet, bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    openAndCheck(bytes);
    startAndCheck(bytes);
    return 0;
}
