// Hostile project files and report templates through keld-size, which must
// end with a clear message and its documented exit status, in a process with
// a time limit and a memory bound.

#include "hostile_process.h"

#include <gtest/gtest.h>

#include <map>

namespace keld::hostile {
namespace {

namespace fs = std::filesystem;

struct CliResult {
    int exitCode;
    const char* stderrHolds; // a part of standard error ("" for none at all)
};

// keld-size PROJECTFILE for the project shapes; keld-size --template
// TEMPLATE with a proper project file for the template shapes.
const std::map<std::pair<Kind, std::string>, CliResult>& expected() {
    static const std::map<std::pair<Kind, std::string>, CliResult> table = {
#include "hostile_cli_expected.inc"
    };
    return table;
}

class HostileFileCli : public testing::TestWithParam<Row> {};

TEST_P(HostileFileCli, KeldSizeEndsWithItsDefinedResult) {
    const Row& row = GetParam();
    Scratch scratch;
    const fs::path path = scratch.path() / "hostile.ini";
    std::size_t size = 0;
    ASSERT_TRUE(place(*row.shape, row.kind, path, size));
    if (row.shape->place == Place::Unreadable && !unreadableReallyIs(path)) {
        GTEST_SKIP() << "the file stays readable even to the user nobody here (root with "
                        "every capability), so there is no unreadable file to test";
    }
    std::vector<std::string> argv = {KELD_SIZE_PATH};
    if (row.kind == Kind::Template) {
        const fs::path project = scratch.path() / "proper.ini";
        std::size_t projectSize = 0;
        place(shapes().front(), Kind::Project, project, projectSize);
        argv.insert(argv.end(), {"--template", path.string(), project.string()});
    } else {
        argv.push_back(path.string());
    }
    const Outcome o = run(argv, scratch.path(), row.shape->place == Place::Unreadable);
    ASSERT_TRUE(o.exited) << describe(o);
    EXPECT_LE(o.peakKiB, memoryBoundKiB(size)) << describe(o);
    const auto want = expected().find({row.kind, row.shape->name});
    ASSERT_NE(want, expected().end()) << "no expected result; got " << describe(o);
    EXPECT_EQ(o.exitCode, want->second.exitCode) << describe(o);
    const std::string holds = want->second.stderrHolds;
    if (holds.empty()) {
        EXPECT_EQ(o.err, "") << describe(o);
    } else {
        EXPECT_NE(o.err.find(holds), std::string::npos) << describe(o);
    }
}

std::string rowName(const testing::TestParamInfo<Row>& info) {
    return std::string(kindName(info.param.kind)) + "_" + info.param.shape->name;
}

INSTANTIATE_TEST_SUITE_P(Cli, HostileFileCli,
                         testing::ValuesIn(allRows({Kind::Project, Kind::Template})), rowName);

} // namespace
} // namespace keld::hostile
