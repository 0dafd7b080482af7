// The calculation sheet's rules on its model: each row is what a user does,
// one step after another, and what the sheet shows afterwards.

#include "catalogue/catalogue.h"
#include "sheet/sheet.h"
#include "sheet_fixtures.h"
#include "table_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <ostream>
#include <sstream>

namespace keld {
namespace {

const std::string kData = KELD_DATA_DIR;

struct Step {
    std::string verb;  // before the first blank, or the field for typing
    std::string name;  // before "="
    std::string value; // after "="
};

Step parse(const std::string& s) {
    Step step;
    std::string rest = s;
    const std::size_t blank = s.find(' ');
    const std::size_t eq = s.find('=');
    if (blank != std::string::npos && (eq == std::string::npos || blank < eq)) {
        step.verb = s.substr(0, blank);
        rest = s.substr(blank + 1);
    }
    const std::size_t at = rest.find('=');
    step.name = rest.substr(0, at);
    step.value = at == std::string::npos ? "" : rest.substr(at + 1);
    return step;
}

Field field(const std::string& name) {
    return static_cast<Field>(std::stoi(name.substr(4)));
}

// A sheet started on the shipped default case, with the answers of the
// user-defined fluid dialog to come.
struct Session {
    Sheet sheet;
    test::Messages messages;
    std::vector<std::string> answers; // "Text1=x", "Text2=y", "OK", "Cancel", "seen"
    std::vector<std::string> seen;    // what the dialog showed on opening
    std::vector<std::string> drafts;  // what each Calculate did to the draft

    explicit Session(const std::string& folder = kData) { sheet.startUp(folder, messages); }

    void after(const SheetChanges& changes) {
        if (!changes.userFluidDialog) {
            return;
        }
        const std::size_t service = *changes.userFluidDialog;
        const UserFluidDialogTexts shown = sheet.beginUserFluid(service);
        std::string name = shown.name;
        std::string coefficient = shown.coefficient;
        bool accepted = false;
        while (!answers.empty() && !accepted) {
            const Step a = parse(answers.front());
            answers.erase(answers.begin());
            if (a.name == "seen") {
                seen.push_back(name + "," + coefficient);
            } else if (a.name == "Text1") {
                name = a.value;
            } else if (a.name == "Text2") {
                coefficient = a.value;
            } else if (a.name == "OK") {
                const auto refused = sheet.confirmUserFluid(name, coefficient);
                if (refused) {
                    messages.showMessage(*refused, MessageIcon::None);
                }
                accepted = !refused;
            } else {
                break; // Cancel
            }
        }
        if (!accepted) {
            sheet.cancelUserFluid();
        }
        after(sheet.endUserFluid(service));
    }

    // One step of a user:
    //   "Text6=181"        types into a field, replacing its text
    //   "key Text4"        a key that types a character into a field
    //   "click Text8"      a click into the rows field
    //   "Option1=1"        an option chosen (Option1 service, Option2 units, Option3 draft)
    //   "Combo1=Tar"       an entry chosen from a list
    //   "answer A;B"       answers for the next fluid dialog
    //   "price 125000"     OK in the price dialog
    //   "reset"            Reset
    //   "calculate"        Calculate
    //   "adopt 6;42;7"     an alternative of the design space taken: rows,
    //                      tube length as typed, material's list position
    void act(const std::string& text) {
        const Step s = parse(text);
        if (s.verb == "adopt") {
            std::stringstream in(s.name);
            std::string rows, length, material;
            std::getline(in, rows, ';');
            std::getline(in, length, ';');
            std::getline(in, material, ';');
            after(sheet.adopt(std::stoi(rows), length, std::stoul(material)));
        } else if (s.verb == "key") {
            after(sheet.keyTyped(field(s.name)));
        } else if (s.verb == "click") {
            after(sheet.clickRows());
        } else if (s.verb == "answer") {
            std::stringstream in(s.name + (s.value.empty() ? "" : "=" + s.value));
            for (std::string a; std::getline(in, a, ';');) {
                answers.push_back(a);
            }
        } else if (s.verb == "price") {
            if (const auto refused = sheet.enterPrice(s.name)) {
                messages.showMessage(*refused, MessageIcon::None);
            }
        } else if (s.name == "calculate") {
            SheetChanges changes;
            sheet.calculate(messages, &changes);
            drafts.push_back(changes.draft ? "forced" : "kept");
        } else if (s.name == "reset") {
            after(sheet.startUp(kData, messages, Sheet::Start::Reset));
        } else if (s.name == "Option1") {
            after(sheet.chooseService(std::stoul(s.value)));
        } else if (s.name == "Option2") {
            after(sheet.chooseUnits(s.value == "0" ? UnitSystem::English : UnitSystem::Metric));
        } else if (s.name == "Option3") {
            after(sheet.chooseDraft(s.value == "0"));
        } else if (s.name == "Combo1") {
            const auto& list = sheet.fluidList();
            const auto at = std::find(list.begin(), list.end(), s.value);
            ASSERT_NE(at, list.end()) << s.value;
            after(sheet.chooseFluid(static_cast<std::size_t>(at - list.begin())));
        } else if (s.name == "Combo2") {
            after(sheet.chooseMaterial(*findMaterial(s.value)));
        } else {
            after(sheet.type(field(s.name), s.value));
        }
    }

    // What the sheet shows, by name.
    std::string look(const std::string& what) const {
        const SizingCase& r = sheet.record();
        const UnitSystem english = sheet.units();
        const auto number = [](double x) {
            std::ostringstream out;
            out << x;
            return out.str();
        };
        const auto flag = [](Flag f) { return f ? std::to_string(*f) : std::string("unset"); };
        const auto joined = [](const std::vector<std::string>& all, const std::string& between) {
            std::string out;
            for (const std::string& one : all) {
                out += (out.empty() ? "" : between) + one;
            }
            return out;
        };
        const std::map<std::string, std::function<std::string()>> shown = {
            {"ROWSFIXED", [&] { return flag(r.ROWSFIXED); }},
            {"ENGLISH", [&] { return flag(r.ENGLISH); }},
            {"DRAFT", [&] { return flag(r.DRAFT); }},
            {"Label6", [&] { return unitCaption(UnitCaption::Coefficient, english); }},
            {"Label7", [&] { return unitCaption(UnitCaption::AirInlet, english); }},
            {"Label8", [&] { return unitCaption(UnitCaption::TubeLength, english); }},
            {"Label10", [&] { return unitCaption(UnitCaption::HotOutlet, english); }},
            {"Label16", [&] { return unitCaption(UnitCaption::Duty, english); }},
            {"caption", [&] { return sheet.caption(kData + "/KELD4WIN.INI"); }},
            {"messages", [&] { return joined(messages.texts, " | "); }},
            {"seen", [&] { return joined(seen, ";"); }},
            {"drafts", [&] { return joined(drafts, ";") + (sheet.forced() ? ", forced" : ""); }},
            {"COSTUSER", [&] { return number(r.COSTUSER); }},
            {"MATERIALFACTOR", [&] { return number(r.MATERIALFACTOR); }},
            {"Combo1", [&] { return sheet.fluidText(); }},
            {"Combo1#", [&] { return std::to_string(sheet.fluidList().size()); }},
            {"Combo2", [&] { return sheet.materialText(); }},
            {"unsaved", [&] { return std::to_string(sheet.hasUnsavedChanges()); }},
        };
        if (const auto f = shown.find(what); f != shown.end()) {
            return f->second();
        }
        if (what.starts_with("entry ")) {
            return sheet.userFluids().entry[std::stoul(what.substr(6))];
        }
        if (what.starts_with("stored ")) {
            return number(sheet.userFluids().coefficient[std::stoul(what.substr(7))]);
        }
        return sheet.text(field(what));
    }
};

// data/sheet_rules.tsv: the steps of a user, "=>", what the sheet shows then.
TEST(Sheet, ShowsWhatTheUserExpects) {
    for (const std::vector<std::string>& row :
         test::readTable(KELD_TEST_TABLES "/sheet_rules.tsv")) {
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

// ---------------------------------------------------------------------------
// Project files.

const std::string kExample = "100<TEXT1>\r\n150<TEXT2>\r\n125<TEXT3>\r\n"
                             "Cooling Water Return<TEXT4>\r\n95<TEXT5>\r\n180<TEXT6>\r\n"
                             "120<TEXT7>\r\n5<TEXT8>\r\nE-101<TEXT9>\r\n1.1<TEXT10>\r\n"
                             "30<TEXT11>\r\n12.5<TEXT12>\r\nLIQUID<OPTION1>\r\n"
                             "ENGLISH<OPTION2>\r\nFORCED<OPTION3>\r\nProcess Water<COMBO1>\r\n"
                             "Steel<COMBO2>\r\n";

std::string with(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

// data/open_files.tsv: a file opened on the sheet, what it shows then or why
// the file is refused.
TEST(OpenFile, AppliesItsLinesOrLeavesTheSheet) {
    for (const auto& row : test::readTable(KELD_TEST_TABLES "/open_files.tsv")) {
        SCOPED_TRACE(row.at(0));
        std::string bytes = row.at(1) == "example" ? kExample : row[1];
        const auto arrow = std::find(row.begin(), row.end(), "=>");
        for (auto r = row.begin() + 2; r < arrow; ++r) {
            bytes = with(bytes, r->substr(0, r->find('|')), r->substr(r->find('|') + 1));
        }
        Session s;
        s.act("Text4=Unsaved"); // an edit that a refused file must not lose
        s.sheet.setUserPrice(7000);
        const Sheet before = s.sheet;
        const std::optional<OpenFailure> failure = s.sheet.openBytes(bytes, "C:\\W\\c.ini");
        if (arrow[1].starts_with("why=")) {
            ASSERT_TRUE(failure);
            EXPECT_EQ("why=" + describe(*failure), arrow[1]);
            EXPECT_EQ(s.sheet.projectFile(), before.projectFile());
            EXPECT_EQ(s.sheet.userPrice(), 7000);
            continue;
        }
        ASSERT_FALSE(failure) << failure->value;
        EXPECT_EQ(s.look("caption"), "KELD - c.ini");
        EXPECT_EQ(s.look("COSTUSER"), "0");
        for (auto e = arrow + 1; e != row.end(); ++e) {
            EXPECT_EQ(e->substr(0, e->find('=')) + "=" + s.look(e->substr(0, e->find('='))), *e);
        }
    }
}

TEST(OpenFile, UnreadableAndSavedFilesRoundTrip) {
    Session s;
    EXPECT_EQ(s.sheet.open("/no/such/file.ini")->reason, OpenFailure::Reason::CannotRead);
    ASSERT_FALSE(s.sheet.openBytes(with(with(kExample, "LIQUID<", "CONDENSE<"), "Process Water<",
                                        "Amine Still OH @ 230 to 180 \xB0"
                                        "F<"),
                                   "c.ini"));
    EXPECT_EQ(s.sheet.projectFile(), with(with(kExample, "LIQUID<", "CONDENSE<"), "Process Water<",
                                          "Amine Still OH @ 230 to 180 \xB0"
                                          "F<"));
    s.act("Text4=A \u2192 B");
    bool lossy = false;
    EXPECT_NE(s.sheet.projectFile(&lossy).find("A ? B<TEXT4>"), std::string::npos);
    EXPECT_TRUE(lossy);
    EXPECT_EQ(s.look("unsaved"), "1");
    s.sheet.saved("/home/me/Case 12");
    EXPECT_EQ(s.look("caption") + s.look("unsaved"), "KELD - Case 120");
    s.sheet.saveCancelled();
    EXPECT_EQ(s.look("caption") + s.look("unsaved"), "KELD -  0");
}

// ---------------------------------------------------------------------------
// Start-up from another installation.

struct Folder {
    std::filesystem::path path;
    explicit Folder(const std::string& defaultCase) {
        path = std::filesystem::temp_directory_path() / ("keld-sheet-" + std::to_string(getpid()));
        std::filesystem::create_directories(path / "Files");
        if (!defaultCase.empty()) {
            std::ofstream(path / "Files" / "default.ini", std::ios::binary) << defaultCase;
        }
    }
    ~Folder() { std::filesystem::remove_all(path); }
};

TEST(StartUp, WithoutADefaultCase) {
    const Folder folder("");
    Session s(folder.path.string());
    EXPECT_EQ(s.look("messages"),
              "Could not load the file " + (folder.path / "Files/default.ini").string());
    EXPECT_EQ(s.sheet.caption((folder.path / "KELD4WIN.INI").string()), "0 -  ");
    EXPECT_EQ(s.look("Combo1#"), "0");
    s.act("Option2=1");
    s.sheet.startUp(folder.path.string(), s.messages, Sheet::Start::Reset);
    EXPECT_EQ(s.sheet.units(), UnitSystem::English);
    EXPECT_EQ(s.look("ENGLISH"), "1");
}

TEST(StartUp, ResetKeepsAnotherDefaultCase) {
    const Folder folder("Gas case<TEXT4>\r\nGAS<OPTION1>\r\nMETRIC<OPTION2>\r\nINDUCED<OPTION3>\r\n"
                        "Ethylene<COMBO1>\r\nMonel<COMBO2>\r\n");
    Session s(folder.path.string());
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(s.look("Combo1#"), "20");
        EXPECT_EQ(s.look("Combo1"), "Ethylene");
        EXPECT_EQ(s.look("ENGLISH"), "0");
        EXPECT_EQ(s.look("DRAFT"), "0");
        EXPECT_EQ(s.look("MATERIALFACTOR"), "7.25");
        s.sheet.startUp(folder.path.string(), s.messages, Sheet::Start::Reset);
    }
}

} // namespace
} // namespace keld
