// The calculation sheet's rules on its model: each row is what a user does,
// one step after another, and what the sheet shows afterwards.

#include "catalogue/catalogue.h"
#include "sheet/sheet.h"
#include "sheet_fixtures.h"
#include "table_file.h"
#include "text/number.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

namespace keld {
namespace {

const std::string kData = KELD_DATA_DIR;

const std::string kExample = "100<TEXT1>\r\n150<TEXT2>\r\n125<TEXT3>\r\n"
                             "Cooling Water Return<TEXT4>\r\n95<TEXT5>\r\n180<TEXT6>\r\n"
                             "120<TEXT7>\r\n5<TEXT8>\r\nE-101<TEXT9>\r\n1.1<TEXT10>\r\n"
                             "30<TEXT11>\r\n12.5<TEXT12>\r\nLIQUID<OPTION1>\r\n"
                             "ENGLISH<OPTION2>\r\nFORCED<OPTION3>\r\nProcess Water<COMBO1>\r\n"
                             "Steel<COMBO2>\r\n";

Field field(const std::string& name) {
    return static_cast<Field>(std::stoi(name.substr(4)));
}

std::string joined(const std::vector<std::string>& all, const std::string& between) {
    std::string out;
    for (const std::string& one : all) {
        out += (out.empty() ? "" : between) + one;
    }
    return out;
}

// A sheet started on the shipped default case, or on another one; the steps
// and the looks of data/sheet_rules.tsv (its header says what each means).
struct Session {
    std::optional<FileContent> defaultCase;
    Sheet sheet;
    test::Messages messages;
    std::vector<std::string> answers; // for the next fluid dialogs
    std::vector<std::string> seen;    // what the dialog showed on opening
    std::vector<std::string> drafts;  // what each Calculate did to the draft
    std::string why;                  // why the last file opened was refused
    std::string before, opened;       // the sheet's file before it, and the file

    Session() { start(Sheet::Start::NewWindow); }

    void start(Sheet::Start kind) {
        after(defaultCase ? sheet.startUp(*defaultCase, "Files/default.ini", messages, kind)
                          : sheet.startUp(kData, messages, kind));
    }

    // The user-defined fluid dialog that an action opened, answered.
    void after(const SheetChanges& changes) {
        if (!changes.userFluidDialog) {
            return;
        }
        const std::size_t service = *changes.userFluidDialog;
        UserFluidDialogTexts shown = sheet.beginUserFluid(service);
        std::string& name = shown.name;
        std::string& coefficient = shown.coefficient;
        bool accepted = false;
        while (!accepted && !answers.empty()) {
            const std::string a = answers.front();
            answers.erase(answers.begin());
            if (a == "seen") {
                seen.push_back(name + "," + coefficient);
            } else if (a.starts_with("Text")) {
                (a[4] == '1' ? name : coefficient) = a.substr(6);
            } else if (a != "OK") {
                break; // Cancel
            } else if (const auto refused = sheet.confirmUserFluid(name, coefficient)) {
                messages.showMessage(*refused, MessageIcon::None);
            } else {
                accepted = true;
            }
        }
        if (!accepted) {
            sheet.cancelUserFluid();
        }
        after(sheet.endUserFluid(service));
    }

    void act(const std::string& step) {
        const std::size_t blank = step.find(' ');
        const std::string verb = step.substr(0, blank);
        std::istringstream args(blank == std::string::npos ? "" : step.substr(blank + 1));
        const std::string name = step.substr(0, step.find('='));
        const std::string value = step.substr(std::min(step.size(), name.size() + 1));
        if (verb == "adopt") {
            int rows = 0;
            std::string length;
            std::size_t material = 0;
            args >> rows >> length >> material;
            after(sheet.adopt(rows, length, material));
        } else if (verb == "key") {
            after(sheet.keyTyped(field(args.str())));
        } else if (verb == "click") {
            after(sheet.clickRows());
        } else if (verb == "answer") {
            for (std::string a; std::getline(args, a, ';');) {
                answers.push_back(a);
            }
        } else if (verb == "price") {
            if (const auto refused = sheet.enterPrice(args.str())) {
                messages.showMessage(*refused, MessageIcon::None);
            }
        } else if (verb == "open" || verb == "open-file") {
            std::getline(args, opened, ';');
            opened = opened == "example" ? kExample : opened;
            for (std::string r; std::getline(args, r, ';');) {
                opened.replace(opened.find(r.substr(0, r.find('|'))), r.find('|'),
                               r.substr(r.find('|') + 1));
            }
            before = sheet.projectFile();
            const auto failure =
                verb == "open" ? sheet.openBytes(opened, "C:\\W\\c.ini") : sheet.open(opened);
            why = failure ? describe(*failure) : "";
        } else if (verb == "save") {
            after(sheet.saved(args.str()));
        } else if (step == "cancel save") {
            after(sheet.saveCancelled());
        } else if (step == "calculate") {
            SheetChanges changes;
            sheet.calculate(messages, &changes);
            drafts.push_back(changes.draft ? "forced" : "kept");
        } else if (verb == "default") {
            const bool none = args.str() == "-";
            defaultCase = FileContent{none ? FileStatus::CannotOpen : FileStatus::Ok, args.str()};
            start(Sheet::Start::NewWindow);
        } else if (step == "reset") {
            start(Sheet::Start::Reset);
        } else if (name == "Option1") {
            after(sheet.chooseService(std::stoul(value)));
        } else if (name == "Option2") {
            after(sheet.chooseUnits(value == "0" ? UnitSystem::English : UnitSystem::Metric));
        } else if (name == "Option3") {
            after(sheet.chooseDraft(value == "0"));
        } else if (name == "Combo1") {
            const auto at = std::ranges::find(sheet.fluidList(), value);
            ASSERT_NE(at, sheet.fluidList().end()) << value;
            after(sheet.chooseFluid(static_cast<std::size_t>(at - sheet.fluidList().begin())));
        } else if (name == "Combo2") {
            after(sheet.chooseMaterial(*findMaterial(value)));
        } else {
            after(sheet.type(field(name), value));
        }
    }

    std::string look(const std::string& what) const {
        if (what.starts_with("Text")) {
            return sheet.text(field(what));
        }
        const SizingCase& r = sheet.record();
        const auto flag = [](Flag f) { return f ? std::to_string(*f) : std::string("unset"); };
        std::map<std::string, std::string> shown = {
            {"ROWSFIXED", flag(r.ROWSFIXED)},
            {"ENGLISH", flag(r.ENGLISH)},
            {"DRAFT", flag(r.DRAFT)},
            {"caption", sheet.caption(kData + "/KELD4WIN.INI")},
            {"messages", joined(messages.texts, " | ")},
            {"seen", joined(seen, ";")},
            {"drafts", joined(drafts, ";") + (sheet.forced() ? ", forced" : "")},
            {"COSTUSER", formatPlainDecimal(r.COSTUSER)},
            {"MATERIALFACTOR", formatPlainDecimal(r.MATERIALFACTOR)},
            {"Combo1", sheet.fluidText()},
            {"Combo1#", std::to_string(sheet.fluidList().size())},
            {"Combo2", sheet.materialText()},
            {"unsaved", std::to_string(sheet.hasUnsavedChanges())},
            {"why", why},
            {"kept", std::to_string(sheet.projectFile() == before)},
            {"written", std::to_string(sheet.projectFile() == opened)}};
        bool lossy = false;
        std::istringstream lines(sheet.projectFile(&lossy));
        shown["lossy"] = std::to_string(lossy);
        int n = 0;
        for (std::string line; std::getline(lines, line);) {
            shown["line " + std::to_string(++n)] = line.substr(0, line.find('\r'));
        }
        for (const UnitCaption caption : kUnitCaptions) {
            shown["Labels"] += (shown["Labels"].empty() ? "" : "|") +
                               std::string(unitCaption(caption, sheet.units()));
        }
        for (std::size_t i = 0; i < 3; ++i) {
            shown["entry " + std::to_string(i)] = sheet.userFluids().entry[i];
            shown["stored " + std::to_string(i)] =
                formatPlainDecimal(sheet.userFluids().coefficient[i]);
        }
        return shown.at(what);
    }
};

// data/sheet_rules.tsv: the steps of a user, "=>", what the sheet shows then.
TEST(Sheet, ShowsWhatTheUserExpects) {
    for (const auto& row : test::readTable(KELD_TEST_TABLES "/sheet_rules.tsv")) {
        SCOPED_TRACE(row[0]);
        Session s;
        const auto arrow = std::find(row.begin(), row.end(), "=>");
        ASSERT_NE(arrow, row.end());
        std::for_each(row.begin() + 1, arrow, [&](const std::string& step) { s.act(step); });
        for (auto e = arrow + 1; e != row.end(); ++e) {
            const std::string name = e->substr(0, e->find('='));
            EXPECT_EQ(name + "=" + s.look(name), *e);
        }
    }
}

} // namespace
} // namespace keld
