// The calculation sheet's rules on its model: each row is what a user does,
// one step after another, and what the sheet shows afterwards.

#include "catalogue/catalogue.h"
#include "sheet/sheet.h"
#include "sheet_fixtures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
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
    void act(const std::string& text) {
        const Step s = parse(text);
        if (s.verb == "key") {
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
        } else if (s.name == "reset") {
            after(sheet.startUp(kData, messages, Sheet::Start::Reset));
        } else if (s.name == "Option1") {
            after(sheet.chooseService(std::stoul(s.value)));
        } else if (s.name == "Option2") {
            after(sheet.chooseUnits(s.value == "0"));
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
        const std::map<std::string, Flag> flags = {
            {"ROWSFIXED", r.ROWSFIXED}, {"ENGLISH", r.ENGLISH}, {"DRAFT", r.DRAFT}};
        const std::map<std::string, UnitCaption> captions = {
            {"Label6", UnitCaption::Coefficient}, {"Label16", UnitCaption::Duty},
            {"Label9", UnitCaption::HotInlet},    {"Label10", UnitCaption::HotOutlet},
            {"Label7", UnitCaption::AirInlet},    {"Label8", UnitCaption::TubeLength}};
        const auto number = [](double x) {
            std::ostringstream out;
            out << x;
            return out.str();
        };
        if (const auto f = flags.find(what); f != flags.end()) {
            return f->second ? std::to_string(*f->second) : "unset";
        }
        if (const auto c = captions.find(what); c != captions.end()) {
            return unitCaption(c->second, sheet.english());
        }
        if (what == "caption") {
            return sheet.caption(kData + "/KELD4WIN.INI");
        }
        if (what == "messages") {
            std::string all;
            for (const std::string& m : messages.texts) {
                all += (all.empty() ? "" : " | ") + m;
            }
            return all;
        }
        if (what == "seen") {
            std::string all;
            for (const std::string& s : seen) {
                all += (all.empty() ? "" : ";") + s;
            }
            return all;
        }
        if (what == "COSTUSER") {
            return number(r.COSTUSER);
        }
        if (what == "MATERIALFACTOR") {
            return number(r.MATERIALFACTOR);
        }
        if (what == "Combo1") {
            return sheet.fluidText();
        }
        if (what == "Combo1#") {
            return std::to_string(sheet.fluidList().size());
        }
        if (what == "Combo2") {
            return sheet.materialText();
        }
        if (what.starts_with("entry ")) {
            return sheet.userFluids().entry[std::stoul(what.substr(6))];
        }
        if (what.starts_with("stored ")) {
            return number(sheet.userFluids().coefficient[std::stoul(what.substr(7))]);
        }
        if (what.starts_with("Text")) {
            return sheet.text(field(what));
        }
        return "no such thing: " + what;
    }
};

struct Row {
    const char* name;
    std::vector<std::string> steps;
    std::vector<std::string> expected; // "name=value"
};

std::ostream& operator<<(std::ostream& os, const Row& r) {
    return os << r.name;
}

class SheetRules : public ::testing::TestWithParam<Row> {};

TEST_P(SheetRules, ShowWhatTheUserExpects) {
    Session s;
    for (const std::string& step : GetParam().steps) {
        s.act(step);
    }
    for (const std::string& e : GetParam().expected) {
        const std::string name = e.substr(0, e.find('='));
        EXPECT_EQ(name + "=" + s.look(name), e);
    }
}

const std::string kRange = "The Overall Heat Transfer Coefficient is out of range.\n";

// The default case: air 95 °F, hot fluid 180 to 120 °F, coefficient 132.5.
INSTANTIATE_TEST_SUITE_P(
    Edits, SheetRules,
    ::testing::Values(
        Row{"start-up",
            {},
            {"caption=KELD - default.ini", "Text4=Cooling Water Return", "Text8=4",
             "Combo1=Process Water", "Combo1#=23", "Combo2=Steel", "ROWSFIXED=0", "ENGLISH=1",
             "DRAFT=1", "messages="}},
        Row{"a character in the title", {"key Text4"}, {"caption=KELD -  "}},
        Row{"a key in the rows field", {"key Text8"}, {"caption=KELD - default.ini"}},
        Row{"another material",
            {"Combo2=Inconel 600"},
            {"caption=KELD -  ", "MATERIALFACTOR=12.5"}},
        Row{"induced draft", {"Option3=1"}, {"DRAFT=0", "caption=KELD -  "}},
        Row{"the units already shown", {"Option2=0"}, {"caption=KELD - default.ini"}},
        Row{"hot inlet 181: 5 rows", {"Text6=181"}, {"Text8=5", "caption=KELD -  "}},
        Row{"hot inlet = air inlet", {"Text6=95"}, {"Text8="}},
        Row{"coefficient 0 blanks the rows", {"Text3=0"}, {"Text8= "}},
        Row{"then a temperature empties them", {"Text3=0", "Text6=181"}, {"Text8="}},
        Row{"rows typed", {"Text8=7"}, {"Text8=7", "ROWSFIXED=0", "caption=KELD - default.ini"}},
        Row{"a click into the rows", {"click Text8"}, {"ROWSFIXED=1", "caption=KELD -  "}},
        Row{"a suggestion gives them up", {"click Text8", "Text7=125"}, {"ROWSFIXED=0"}},
        Row{"service change",
            {"Option1=1", "Option1=0"},
            {"Combo1#=15", "Combo1=Steam @ 0 to 20 psig", "Text1=110", "Text2=175", "Text3=142.5"}},
        Row{"metric fluid",
            {"Option2=1", "Combo1=Tar"},
            {"Text1=28.39", "Text2=56.78", "Text3=42.585"}},
        Row{"reset after edits",
            {"Option2=1", "Option1=1", "Text4=x", "reset"},
            {"caption=KELD - default.ini", "Text4=Cooling Water Return", "Text3=132.5",
             "Combo1#=23", "ENGLISH=1", "Label8=Tube Length, Feet"}}));

INSTANTIATE_TEST_SUITE_P(
    UnitSwitch, SheetRules,
    ::testing::Values(
        Row{"to Metric",
            {"Text3=100", "Text6=150", "Text12=20", "Text11=30", "Text5=", "Text9=7", "Option2=1"},
            {"Text3=567.80", "Text6=65.556", "Text12=5.8620", "Text11=9.1440", "Text5=-17.778",
             "Text9=7", "Text10=1", "ENGLISH=0", "Label6=W/(SqM-C),   Used =",
             "Label7=Inlet Air Temperature, \u00B0C", "Label16=Heat Duty, MW", "caption=KELD -  "}},
        Row{"back to English",
            {"Option2=1", "Text3=567.80", "Text12=29.31", "Text6=x", "Text11=", "Option2=0"},
            {"Text3=100.00", "Text12=100.01", "Text6=32.000", "Text11=0", "ENGLISH=1",
             "Label6=Btu/(Hr-SqFt-F), Used =", "Label10=Outlet Temperature, \u00B0F"}},
        Row{"too large to convert",
            {"Text3=1e308", "Text12=1e999", "Option2=1"},
            {"Text3=1e308", "Text12=1e999", "Text6=82.222"}},
        Row{"rows suggested again",
            {"Text6=400", "click Text8", "Option2=1"},
            {"Text6=204.44", "Text8=6", "ROWSFIXED=0"}}));

INSTANTIATE_TEST_SUITE_P(
    Dialogs, SheetRules,
    ::testing::Values(
        Row{"price 0", {"price 0"}, {"messages=Enter KELD Price > 0", "COSTUSER=0"}},
        Row{"price -5 and empty",
            {"price -5", "price "},
            {"messages=Enter KELD Price > 0 | Enter KELD Price > 0", "COSTUSER=0"}},
        Row{"price too large", {"price 1e999"}, {"messages=Enter KELD Price > 0"}},
        Row{"price taken", {"price 125000"}, {"messages=", "COSTUSER=125000"}},
        Row{"gas, no name, 50",
            {"Option1=1", "answer Text2=50;OK", "Combo1=User Defined Gas"},
            {"Combo1=User Defined Gas: ", "entry 1=User Defined Gas: ", "stored 1=50", "Text1=50",
             "Text2=50", "Text3=50"}},
        Row{"200.004 taken as 200",
            {"answer Text1=Brine;Text2=200.004;OK", "Combo1=User Defined Liquid"},
            {"Combo1=User Defined Liquid: Brine", "stored 2=200", "Text3=200"}},
        Row{"5.9999 refused, then 0, then 6",
            {"Option1=0", "answer Text2=5.9999;OK;Text2=0;OK;Text2=6;OK",
             "Combo1=User Defined Condensate"},
            {"messages=" + kRange +
                 "Values between 6 and 200 Btu/(Hr-SqFt-F) are valid. | "
                 "Input Overall Heat Transfer Coefficient",
             "stored 0=6", "Text3=6"}},
        Row{"metric 1136 refused, 1135.6 taken",
            {"Option2=1", "answer Text2=1136;OK;Text2=1135.6;OK", "Combo1=User Defined Liquid"},
            {"messages=" + kRange + "Values between 34.1 and 1136 W/(SqM-C) are valid.",
             "stored 2=199.99", "Text3=1135.5"}},
        Row{"metric 34.1 taken",
            {"Option2=1", "answer Text2=34.1;OK", "Combo1=User Defined Liquid"},
            {"stored 2=6.0054", "Text3=34.099"}},
        Row{"cancelled",
            {"Option1=1", "answer Text1=X;Text2=50;Cancel", "Combo1=User Defined Gas"},
            {"Combo1=HC Gas @ 15 to 50 psig and dp = 1 psi", "entry 1=User Defined Gas",
             "stored 1=0", "Text3=35"}},
        Row{"working values shared",
            {"Option1=1", "answer Text1=Hydrogen;Text2=300;OK;Cancel", "Combo1=User Defined Gas",
             "Option1=2", "answer seen;Text2=75;OK", "Combo1=User Defined Liquid", "Option2=1",
             "answer seen;Cancel", "Combo1=User Defined Liquid: Hydrogen"},
            {"seen=Hydrogen,300.00;Hydrogen,425.87", "entry 2=User Defined Liquid: Hydrogen"}}));

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

struct OpenRow {
    const char* name;
    std::string bytes;
    std::vector<std::string> expected; // one "why=" when the file is refused
};

std::ostream& operator<<(std::ostream& os, const OpenRow& r) {
    return os << r.name;
}

class OpenFile : public ::testing::TestWithParam<OpenRow> {};

TEST_P(OpenFile, AppliesItsLinesOrLeavesTheSheet) {
    Session s;
    s.act("Text4=Unsaved"); // an edit that a refused file must not lose
    s.sheet.setUserPrice(7000);
    const Sheet before = s.sheet;
    const std::optional<OpenFailure> failure = s.sheet.openBytes(GetParam().bytes, "C:\\W\\c.ini");
    if (GetParam().expected.front().starts_with("why=")) {
        ASSERT_TRUE(failure);
        EXPECT_EQ("why=" + describe(*failure), GetParam().expected.front());
        EXPECT_EQ(s.sheet.projectFile(), before.projectFile());
        EXPECT_EQ(s.sheet.userPrice(), 7000);
        return;
    }
    ASSERT_FALSE(failure) << failure->value;
    EXPECT_EQ(s.look("caption"), "KELD - c.ini");
    EXPECT_EQ(s.look("COSTUSER"), "0");
    for (const std::string& e : GetParam().expected) {
        const std::string name = e.substr(0, e.find('='));
        EXPECT_EQ(name + "=" + s.look(name), e);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, OpenFile,
    ::testing::Values(
        OpenRow{"the example",
                kExample,
                {"Text4=Cooling Water Return", "Text10=1.1", "Combo1=Process Water", "Combo2=Steel",
                 "ROWSFIXED=1", "DRAFT=1", "ENGLISH=1"}},
        OpenRow{"tag anywhere, later lines win, case matters",
                "abc<TEXT4>xyz\r\nno tag here\r\nfirst<TEXT9>\r\nsecond<TEXT9>\r\n"
                "<text4>no tag\r\n",
                {"Text4=abc", "Text9=second", "Text10=1", "Combo1=", "ROWSFIXED=0"}},
        OpenRow{"metric and induced, values as written",
                with(with(kExample, "ENGLISH<", "METRIC<"), "FORCED<", "INDUCED<"),
                {"ENGLISH=0", "DRAFT=0", "Text3=125", "Label8=Tube Length, Meters"}},
        OpenRow{"user-defined liquid in Metric",
                with(with(with(kExample, "125<TEXT3>", "567.8<TEXT3>"), "ENGLISH<", "METRIC<"),
                     "Process Water<", "User Defined Liquid: Brine<"),
                {"Combo1=User Defined Liquid: Brine", "entry 2=User Defined Liquid: Brine",
                 "stored 2=100.001", "Text3=567.8"}},
        OpenRow{"the degree sign",
                with(with(kExample, "LIQUID<", "CONDENSE<"), "Process Water<",
                     "Amine Still OH @ 230 to 180 \xB0"
                     "F<"),
                {"Combo1=Amine Still OH @ 230 to 180 \u00B0F"}},
        OpenRow{"a fluid of another service",
                with(kExample, "Process Water<", "Ammonia<"),
                {"why=line 16: the fluid \"Ammonia\" is not in the fluid list of the service "
                 "\"Liquid Cooling\" but of \"Condensing\""}},
        OpenRow{"a user fluid of another service",
                with(with(kExample, "LIQUID<", "GAS<"), "Process Water<",
                     "User Defined Liquid: Brine<"),
                {"why=line 16: the fluid \"User Defined Liquid: Brine\" is not in the fluid list "
                 "of the service \"Gas Cooling\" but of \"Liquid Cooling\""}},
        OpenRow{"an unknown material",
                with(kExample, "Steel<", "Gold<"),
                {"why=line 17: the material \"Gold\" is not in the list of tube and header "
                 "materials"}},
        OpenRow{"a fluid before any service",
                "\r\nTar<COMBO1>\r\n",
                {"why=line 2: the fluid \"Tar\" comes before any service line"}}));

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
    s.sheet.saved("/home/me/Case 12");
    EXPECT_EQ(s.look("caption"), "KELD - Case 12");
    s.sheet.saveCancelled();
    EXPECT_EQ(s.look("caption"), "KELD -  ");
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
    EXPECT_TRUE(s.sheet.english());
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

// The outlet-air rule forces the draft of the record and of the sheet alike,
// so that later reports agree with the sheet.
TEST(Calculate, OutletAirForcesTheDraftOnTheSheetToo) {
    Session s;
    for (const char* step : {"Text5=200", "Text6=700", "Text7=650", "Option3=1"}) {
        s.act(step);
    }
    SheetChanges changes;
    ASSERT_TRUE(s.sheet.calculate(s.messages, &changes));
    ASSERT_EQ(s.messages.texts.size(), 2u);
    EXPECT_EQ(s.messages.texts[1].substr(0, 36), "Outlet air temperature > 250 Deg. F.");
    EXPECT_TRUE(changes.draft);
    EXPECT_TRUE(s.sheet.forced());
    EXPECT_EQ(s.look("DRAFT"), "1");
    s.messages.texts.clear();
    ASSERT_TRUE(s.sheet.calculate(s.messages));
    EXPECT_EQ(s.look("messages"), "All calculation completed without error.");
}

} // namespace
} // namespace keld
