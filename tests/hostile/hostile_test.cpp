// Hostile files through every reader of the program: project files through
// the core (File, Open then Calculate) and through keld-size, the
// configuration through ReadIni and the page-set keys, report templates
// through buildReport and keld-size --template, page files through pageText.
//
// Every row runs its reader in a process of its own, so that a crash, a hang
// or a runaway allocation is caught and named instead of ending the suite: the
// process gets a time limit, and its peak memory is checked against a bound
// proportional to the file. Its result must be the one the row expects.

#include "hostile_process.h"

#include "config/ini.h"
#include "engine/calculate.h"
#include "project/project_file.h"
#include "report/report.h"
#include "sheet/sheet.h"
#include "text/lines.h"
#include "tutorial/pages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <sstream>

namespace keld::hostile {
namespace {

namespace fs = std::filesystem;

std::string g_self; // this executable, for the reader processes

// ---- The readers, each run in a process of its own -------------------------

class FirstLines : public MessageSink {
  public:
    void showMessage(std::string_view text, MessageIcon) override {
        if (first.empty()) {
            first = std::string(text.substr(0, text.find('\n')));
        }
    }
    std::string first;
};

bool showsNonFinite(std::string_view s) {
    for (const char* word : {"nan", "inf", "NaN", "NAN", "INF", "Inf"}) {
        std::size_t pos = s.find(word);
        while (pos != std::string_view::npos) {
            const auto letter = [&](std::size_t i) {
                return i < s.size() && std::isalpha(static_cast<unsigned char>(s[i]));
            };
            if ((pos == 0 || !letter(pos - 1)) && !letter(pos + 3)) {
                return true;
            }
            pos = s.find(word, pos + 1);
        }
    }
    return false;
}

// File, Open of the project file, then Calculate; the report of a case that
// completes is built from the installed template.
std::string readProject(const std::string& path) {
    const std::optional<std::string> bytes = readFileBytes(path);
    if (!bytes) {
        return "cannot read";
    }
    FirstLines messages;
    Sheet sheet;
    sheet.startUp(KELD_PROGRAM_DIR, messages);
    if (const auto failure = sheet.openBytes(*bytes, path)) {
        return std::string("stops at ") +
               (failure->reason == OpenFailure::Reason::UnknownMaterial ? "<COMBO2>" : "<COMBO1>") +
               " " + shortened(failure->value, 20);
    }
    if (!sheet.calculate(messages)) {
        return "message: " + messages.first;
    }
    const SizingCase& c = sheet.record();
    std::string result = "report opens, title " + shortened(c.TITLE, 12);
    forEachField(c, [&](const char* name, const auto& field) {
        if constexpr (std::is_same_v<std::decay_t<decltype(field)>, double>) {
            if (!std::isfinite(field)) {
                result += std::string(", ") + name + " not finite";
            }
        }
    });
    FirstLines reportMessages;
    const std::string report = buildReport(KELD_PROGRAM_DIR, c, ReportDate{}, reportMessages);
    if (showsNonFinite(report)) {
        result += ", the report shows NaN or infinity";
    }
    return result;
}

std::string readConfig(const std::string& folder) {
    const std::string config = configPathIn(folder);
    const std::string title = ReadIni(config, "Brochure", "TitleBar", "0");
    const PageEntry page = pageEntry(folder, "Brochure", 1);
    std::ostringstream out;
    out << "TitleBar=" << shortened(title, 12) << " pages=" << pageCount(folder, "Brochure")
        << " page1=" << fs::path(page.textPath).lexically_relative(folder).string()
        << " scale=" << page.pictureScale
        << " output=" << ReadIni(config, "Calculations", "Output", "");
    return out.str();
}

std::string readTemplate(const std::string& path) {
    SizingCase c;
    c.TITLE = "T";
    c.QTOTAL = 12.5e6;
    c.NROWS = 5;
    c.TUBESTOTAL = 1234;
    c.COSTTOTAL = 98765;
    FirstLines messages;
    std::optional<std::string> caption;
    const std::string report =
        buildReport(KELD_PROGRAM_DIR, c, ReportDate{}, messages, &caption, path);
    std::string result = messages.first.empty() ? "" : "message: " + messages.first + "; ";
    result += "report " + std::to_string(report.size()) + " bytes";
    if (caption) {
        result += ", caption " + shortened(*caption, 12);
    }
    return result + ": " + shortened(report, 24);
}

std::string readPage(const std::string& path) {
    const FileContent content = readFile(path);
    if (content.status == FileStatus::CannotOpen) {
        return "cannot open";
    }
    const PageText page = pageText(content.bytes);
    std::string result =
        std::string(content.status == FileStatus::ReadError ? "read error; " : "") + "text " +
        std::to_string(page.text.size()) + " bytes";
    if (page.sectionTitle) {
        result += ", section " + shortened(*page.sectionTitle, 12);
    }
    if (page.caption) {
        result += ", caption " + shortened(*page.caption, 12);
    }
    return result;
}

int consume(const std::string& kind, const std::string& path) {
    std::string result;
    if (kind == "project") {
        result = readProject(path);
    } else if (kind == "config") {
        result = readConfig(fs::path(path).parent_path().string());
    } else if (kind == "template") {
        result = readTemplate(path);
    } else {
        result = readPage(path);
    }
    result = shortened(result, 200);
    std::fwrite(result.data(), 1, result.size(), stdout);
    return 0;
}

// ---- The table -------------------------------------------------------------

std::string rowName(const testing::TestParamInfo<Row>& info) {
    return std::string(kindName(info.param.kind)) + "_" + info.param.shape->name;
}

// What each reader gives for each shape. A row missing here fails: a new
// shape must say what it expects.
const std::map<std::pair<Kind, std::string>, std::string>& expected() {
    static const std::map<std::pair<Kind, std::string>, std::string> table = {
#include "hostile_expected.inc"
    };
    return table;
}

class HostileFile : public testing::TestWithParam<Row> {};

TEST_P(HostileFile, ReaderGivesItsDefinedResult) {
    const Row& row = GetParam();
    Scratch scratch;
    const fs::path path =
        scratch.path() / (row.kind == Kind::Config ? "KELD4WIN.INI" : "hostile.txt");
    std::size_t size = 0;
    ASSERT_TRUE(place(*row.shape, row.kind, path, size)) << "cannot make the file";
    if (row.shape->place == Place::Unreadable && !unreadableReallyIs(path)) {
        GTEST_SKIP() << "the file stays readable even to the user nobody here (root with "
                        "every capability), so there is no unreadable file to test";
    }
    const Outcome o = run({g_self, "--consume", kindName(row.kind), path.string()}, scratch.path(),
                          row.shape->place == Place::Unreadable);
    ASSERT_TRUE(o.exited && o.exitCode == 0) << describe(o);
    EXPECT_LE(o.peakKiB, memoryBoundKiB(size)) << describe(o);
    const auto want = expected().find({row.kind, row.shape->name});
    ASSERT_NE(want, expected().end()) << "no expected result; got: " << o.out;
    EXPECT_EQ(o.out, want->second);
}

INSTANTIATE_TEST_SUITE_P(
    Core, HostileFile,
    testing::ValuesIn(allRows({Kind::Project, Kind::Config, Kind::Template, Kind::Page})), rowName);

} // namespace
} // namespace keld::hostile

int main(int argc, char** argv) {
    keld::hostile::g_self = std::filesystem::canonical("/proc/self/exe").string();
    if (argc == 4 && std::strcmp(argv[1], "--consume") == 0) {
        return keld::hostile::consume(argv[2], argv[3]);
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
