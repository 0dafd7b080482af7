// Reading and applying a project file, both as File, Open and as the default
// case, then calculating it, writing it back and reading that again.

#include "fuzz_check.h"

#include "catalogue/catalogue.h"
#include "engine/calculate.h"
#include "project/project_file.h"
#include "report/report.h"
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
    for (const char* tag : kProjectTags) {
        if (s.find(tag) != std::string::npos) {
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

void loadAndCheck(std::string_view bytes, LoadKind kind) {
    SheetState sheet;
    SizingCase c;
    c.ENGLISH = true;
    c.ROWSFIXED = false;
    c.DRAFT = true;
    if (kind == LoadKind::Open) {
        prepareOpen(sheet, c);
    }
    const std::vector<ProjectEntry> entries = parseProjectFile(bytes);
    const std::optional<LoadFailure> failure = applyProject(entries, kind, sheet, c);
    if (failure) {
        fuzz::check(failure->tag == kTagCombo1 || failure->tag == kTagCombo2,
                    "only a list value stops a load");
        return;
    }

    // Written and read again, the sheet comes back as it was.
    bool lossy = false;
    const std::string written = projectFileBytes(sheet, &lossy);
    // A text that holds a tag or a CR cannot come back: the format has no
    // escape, so the tag counts again where it is written (a user-defined
    // fluid named "<TEXT10>" sets the price factor's field when read back).
    bool roundTrips = !lossy && !holdsTagOrCr(sheet.fluidText());
    for (const std::string& t : sheet.text) {
        roundTrips = roundTrips && !holdsTagOrCr(t);
    }
    if (roundTrips && kind == LoadKind::Open) {
        SheetState again;
        SizingCase c2;
        c2.ENGLISH = true;
        c2.DRAFT = true;
        prepareOpen(again, c2);
        const auto failure2 = applyProject(parseProjectFile(written), LoadKind::Open, again, c2);
        // A sheet with a fluid of its own service's list and a material; an
        // empty list text, or a fluid left from an earlier service line of
        // the same file, opens as no entry of the list.
        const std::optional<std::size_t> s = sheet.selectedService();
        bool complete = s && sheet.fluidIndex && sheet.materialIndex;
        if (complete) {
            const auto own = fluidList(static_cast<Service>(*s), sheet.userEntry[*s]);
            complete = std::find(own.begin(), own.end(), sheet.fluidText()) != own.end();
        }
        if (complete) {
            fuzz::check(!failure2, "a written sheet opens again", written);
            for (const Field f : kFields) {
                fuzz::check(again.text[f] == sheet.text[f], "a field's text comes back",
                            sheet.text[f]);
            }
            fuzz::check(again.service == sheet.service, "the service comes back");
            fuzz::check(again.english == sheet.english, "the units come back");
            fuzz::check(again.forced == sheet.forced, "the draft comes back");
            fuzz::check(again.fluidText() == sheet.fluidText(), "the fluid comes back");
            fuzz::check(again.materialText() == sheet.materialText(), "the material comes back");
        }
    }

    CheckedMessages messages;
    messages.m_inputShowsNonFinite = fuzz::showsNonFinite(bytes);
    if (Calculate_Output(sheetEntries(sheet), c, messages)) {
        checkRecordFinite(c);
        // The report's numbers; its texts are the file's own (and the markup
        // may join them into any word).
        const std::string numbers = SubstituteReportTags(
            "<!QTOTAL#>|<!MAIR#>|<!THOTIN#>|<!TAIRIN#>|<!THOTOUT#>|<!TAIROUT#>|<!UOVERALL#>|"
            "<!LENGTH>|<!NROWS&>|<!TUBESPERROW&>|<!TUBESTOTAL&>|<!ATUBEBARETOTAL#>|"
            "<!ATUBEFINTOTAL#>|<!XWIDTH#>|<!WEIGHTTOTAL#>|<!HORSEPOWER#>|<!COSTFACTOR#>|"
            "<!COSTTOTAL#>|<!COSTTOTALPERAREA#>|<!COSTTOTALPERMASS#>",
            c, ReportDate{});
        fuzz::check(!fuzz::showsNonFinite(numbers), "no NaN or infinity in the report", numbers);
        (void)buildReportText(reportTemplate(), c, ReportDate{});
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    loadAndCheck(bytes, LoadKind::Open);
    loadAndCheck(bytes, LoadKind::DefaultCase);
    return 0;
}
