// Hostile project files and report templates through keld-size, which must
// end with its documented exit status and a clear message: a process of its
// own, since the rule is about the process.

#include "hostile.h"

#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>

namespace keld::hostile {
namespace {

class HostileFileCli : public testing::TestWithParam<Row> {};

TEST_P(HostileFileCli, KeldSizeEndsWithItsDefinedResult) {
    const Row& row = GetParam();
    const Scratch scratch;
    const fs::path file = scratch.path() / "hostile.ini";
    ASSERT_TRUE(place(row.kind, row.shape, file));
    if (row.shape == "unreadable" && !unreadableReallyIs(file)) {
        GTEST_SKIP() << "the file stays readable even to the user nobody here";
    }
    const fs::path proper = scratch.path() / "proper.ini";
    std::vector<std::string> argv = {KELD_SIZE_PATH, file.string()};
    if (row.kind == Kind::Template) {
        ASSERT_TRUE(place(Kind::Project, "proper", proper));
        argv = {KELD_SIZE_PATH, "--template", file.string(), proper.string()};
    }
    const fs::path out = scratch.path() / "stdout";
    const fs::path err = scratch.path() / "stderr";
    const pid_t pid = fork();
    if (pid == 0) {
        const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (o < 0 || e < 0 || dup2(o, 1) < 0 || dup2(e, 2) < 0) {
            _exit(125);
        }
        if (row.shape == "unreadable" && geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) {
            _exit(126);
        }
#ifndef KELD_ASAN
        const rlimit limit{kAddressSpace, kAddressSpace};
        setrlimit(RLIMIT_AS, &limit);
#endif
        alarm(110); // survives exec: a keld-size that hangs ends
        std::vector<char*> args;
        for (std::string& a : argv) {
            args.push_back(a.data());
        }
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    const std::string stderrText = slurp(err);
    ASSERT_TRUE(WIFEXITED(status)) << "signal " << WTERMSIG(status) << "\n" << stderrText;
    EXPECT_EQ(WEXITSTATUS(status), std::stoi(row.expected[0])) << stderrText;
    if (row.expected[1].empty()) {
        EXPECT_EQ(stderrText, "");
    } else {
        EXPECT_NE(stderrText.find(row.expected[1]), std::string::npos) << stderrText;
    }
}

INSTANTIATE_TEST_SUITE_P(Cli, HostileFileCli,
                         testing::ValuesIn(readRows(KELD_HOSTILE_CLI_EXPECTED)), rowName);

} // namespace
} // namespace keld::hostile
