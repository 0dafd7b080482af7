// Hostile files through every reader of the program, in this process: project
// files through the core (File, Open then Calculate, the report), the
// configuration through ReadIni and the page-set keys, report templates
// through buildReport, page files through pageText. Each row's result must be
// the one that expected.txt gives. The whole process has one bound on its
// memory, and CTest a time limit on each row, for a reader that runs away.

#include "hostile.h"

#include "fuzz_check.h"

#include "config/ini.h"
#include "engine/calculate.h"
#include "report/report.h"
#include "sheet/sheet.h"
#include "text/lines.h"
#include "tutorial/pages.h"

#include <cmath>
#include <cstdio>
#include <sstream>
#include <sys/resource.h>

namespace keld::hostile {
namespace {

// At most n bytes of s, and the whole length when s was longer.
std::string shortened(std::string_view s, std::size_t n) {
    return std::string(s.substr(0, n)) +
           (s.size() > n ? "...(" + std::to_string(s.size()) + ")" : "");
}

class FirstLines : public MessageSink {
  public:
    void showMessage(std::string_view text, MessageIcon) override {
        if (first.empty()) {
            first = std::string(text.substr(0, text.find('\n')));
        }
    }
    std::string first;
};

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
        if (failure->reason == OpenFailure::Reason::NoProjectLine) {
            return "refused: " + describe(*failure);
        }
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
    const std::string report = buildReport(KELD_PROGRAM_DIR, c, ReportDate{}, messages);
    return result + (fuzz::showsNonFinite(report) ? ", the report shows NaN or infinity" : "");
}

std::string readConfig(const std::string& path) {
    const std::string folder = fs::path(path).parent_path().string();
    const PageEntry page = pageEntry(folder, "Brochure", 1);
    std::ostringstream out;
    out << "TitleBar=" << shortened(ReadIni(path, "Brochure", "TitleBar", "0"), 12)
        << " pages=" << pageCount(folder, "Brochure")
        << " page1=" << fs::path(page.textPath).lexically_relative(folder).string()
        << " scale=" << page.pictureScale
        << " output=" << ReadIni(path, "Calculations", "Output", "");
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

class HostileFile : public testing::TestWithParam<Row> {};

TEST_P(HostileFile, ReaderGivesItsDefinedResult) {
    const Row& row = GetParam();
    const Scratch scratch;
    const fs::path path =
        scratch.path() / (row.kind == Kind::Config ? "KELD4WIN.INI" : "hostile.txt");
    ASSERT_TRUE(place(row.kind, row.shape, path)) << "cannot make the file";
    if (row.shape == "unreadable") {
        ASSERT_TRUE(unreadableAsNobody(path)) << "the file stays readable even to the user nobody";
    }
    using Reader = std::string (*)(const std::string&);
    constexpr Reader readers[] = {readProject, readConfig, readTemplate, readPage};
    const std::string result = readers[static_cast<int>(row.kind)](path.string());
    if (getuid() == 0) {
        (void)!seteuid(0);
    }
    EXPECT_EQ(shortened(result, 200), row.expected.at(0));
}

INSTANTIATE_TEST_SUITE_P(Core, HostileFile, testing::ValuesIn(readRows(KELD_HOSTILE_EXPECTED)),
                         rowName);

} // namespace
} // namespace keld::hostile

int main(int argc, char** argv) {
#ifndef KELD_ASAN
    const rlimit limit{keld::hostile::kAddressSpace, keld::hostile::kAddressSpace};
    setrlimit(RLIMIT_AS, &limit);
#endif
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#ifdef KELD_ASAN
// AddressSanitizer takes the place of the bound: it ends a process whose
// resident memory passes 3 GiB.
extern "C" const char* __asan_default_options() {
    return "hard_rss_limit_mb=3072";
}
#endif
