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
            const auto& list = sheet.fluidList();
            const auto at = std::find(list.begin(), list.end(), value);
            ASSERT_NE(at, list.end()) << value;
            after(sheet.chooseFluid(static_cast<std::size_t>(at - list.begin())));
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
        const UnitSystem u = sheet.units();
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
            {"unsaved", std::to_string(sheet.hasUnsavedChanges())}};
        for (const UnitCaption caption : kUnitCaptions) {
            shown["Labels"] +=
                (shown["Labels"].empty() ? "" : "|") + std::string(unitCaption(caption, u));
        }
        for (std::size_t i = 0; i < 3; ++i) {
            shown["entry " + std::to_string(i)] = sheet.userFluids().entry[i];
            shown["stored " + std::to_string(i)] =
                formatPlainDecimal(sheet.userFluids().coefficient[i]);
        }
        return shown.at(what);
    }

    // Each "name=value": what the sheet shows by that name.
    void expect(const std::vector<std::string>& expectations) const {
        for (const std::string& e : expectations) {
            const std::string name = e.substr(0, e.find('='));
            EXPECT_EQ(name + "=" + look(name), e);
        }
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
        s.expect({arrow + 1, row.end()});
    }
}

const std::string kExample = "100<TEXT1>\r\n150<TEXT2>\r\n125<TEXT3>\r\n"
                             "Cooling Water Return<TEXT4>\r\n95<TEXT5>\r\n180<TEXT6>\r\n"
                             "120<TEXT7>\r\n5<TEXT8>\r\nE-101<TEXT9>\r\n1.1<TEXT10>\r\n"
                             "30<TEXT11>\r\n12.5<TEXT12>\r\nLIQUID<OPTION1>\r\n"
                             "ENGLISH<OPTION2>\r\nFORCED<OPTION3>\r\nProcess Water<COMBO1>\r\n"
                             "Steel<COMBO2>\r\n";

// data/open_files.tsv: a file opened on the sheet, what it shows then or why
// the file is refused. A file made from the example is written back as read.
TEST(OpenFile, AppliesItsLinesOrLeavesTheSheet) {
    for (const auto& row : test::readTable(KELD_TEST_TABLES "/open_files.tsv")) {
        SCOPED_TRACE(row.at(0));
        std::string bytes = row.at(1) == "example" ? kExample : row[1];
        const auto arrow = std::find(row.begin(), row.end(), "=>");
        for (auto r = row.begin() + 2; r < arrow; ++r) {
            const std::size_t bar = r->find('|');
            bytes.replace(bytes.find(r->substr(0, bar)), bar, r->substr(bar + 1));
        }
        Session s;
        s.act("Text4=Unsaved"); // an edit that a refused file must not lose
        s.act("price 7000");
        const std::string before = s.sheet.projectFile();
        if (const auto failure = s.sheet.openBytes(bytes, "C:\\W\\c.ini")) {
            EXPECT_EQ("why=" + describe(*failure), arrow[1]);
            EXPECT_EQ(s.sheet.projectFile(), before);
            EXPECT_EQ(s.sheet.userPrice(), 7000);
            continue;
        }
        s.expect({"caption=KELD - c.ini", "COSTUSER=0"});
        s.expect({arrow + 1, row.end()});
        if (row[1] == "example") {
            EXPECT_EQ(s.sheet.projectFile(), bytes);
        }
    }
}

TEST(SaveFile, UnreadableFileCharactersOutsideWindows1252AndCaptions) {
    Session s;
    EXPECT_EQ(s.sheet.open("/no/such/file.ini")->reason, OpenFailure::Reason::CannotRead);
    s.act("Text4=A \u2192 B");
    bool lossy = false;
    EXPECT_NE(s.sheet.projectFile(&lossy).find("A ? B<TEXT4>"), std::string::npos);
    EXPECT_TRUE(lossy);
    s.sheet.saved("/home/me/Case 12");
    s.expect({"caption=KELD - Case 12", "unsaved=0"});
    s.sheet.saveCancelled();
    s.expect({"caption=KELD -  ", "unsaved=0"});
}

} // namespace
} // namespace keld
