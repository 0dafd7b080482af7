#pragma once
// Runs keld-size as a user runs it: a process, its standard output and its
// exit status.

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace keld::test {

struct ProcessRun {
    int status = -1;
    std::string out;
};

// A shell command's standard output and exit status.
inline ProcessRun command(const std::string& command) {
    ProcessRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        return run;
    }
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        run.out.append(buffer.data(), n);
    }
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

inline ProcessRun keldSize(const std::string& args) {
    return command(std::string(KELD_SIZE_PATH) + " " + args + " 2>/dev/null");
}

inline std::string testData(const std::string& name) {
    return std::string(KELD_TEST_DATA) + "/" + name;
}

} // namespace keld::test
