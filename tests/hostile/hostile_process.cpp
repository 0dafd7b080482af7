#include "hostile_process.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <grp.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace keld::hostile {

namespace fs = std::filesystem;

namespace {

constexpr long kNobody = 65534;

} // namespace

std::string shortened(std::string_view s, std::size_t n) {
    std::string out;
    for (char ch : s.substr(0, n)) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x20 || b >= 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            out += hex;
        } else {
            out += ch;
        }
    }
    if (s.size() > n) {
        out += "...(" + std::to_string(s.size()) + ")";
    }
    return out;
}

namespace {

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::string s((std::istreambuf_iterator<char>(in)), {});
    return s.size() > 4000 ? s.substr(0, 4000) : s;
}

void dropToNobody() {
    if (geteuid() == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0) {
            _exit(126);
        }
    }
}

} // namespace

Outcome run(const std::vector<std::string>& argv, const fs::path& scratch, bool asNobody) {
    const fs::path outPath = scratch / "stdout";
    const fs::path errPath = scratch / "stderr";
    const pid_t pid = fork();
    if (pid == 0) {
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) {
            _exit(125);
        }
        if (asNobody) {
            dropToNobody();
        }
        alarm(kTimeLimitSeconds); // survives exec: a reader that hangs gets SIGALRM
        std::vector<char*> args;
        for (const std::string& a : argv) {
            args.push_back(const_cast<char*>(a.c_str()));
        }
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    Outcome o;
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid) {
        return o;
    }
    o.exited = WIFEXITED(status);
    o.exitCode = o.exited ? WEXITSTATUS(status) : -1;
    o.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    o.peakKiB = usage.ru_maxrss;
    o.out = slurp(outPath);
    o.err = slurp(errPath);
    return o;
}

bool unreadableReallyIs(const fs::path& path) {
    const pid_t pid = fork();
    if (pid == 0) {
        dropToNobody();
        const int fd = ::open(path.c_str(), O_RDONLY);
        _exit(fd >= 0 ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 1;
}

Scratch::Scratch() {
    char pattern[] = "/tmp/keld_hostile_XXXXXX";
    m_path = mkdtemp(pattern);
    fs::permissions(m_path, fs::perms(0755)); // "nobody" may enter
}

Scratch::~Scratch() {
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

bool place(const Shape& shape, Kind kind, const fs::path& path, std::size_t& size) {
    size = 0;
    switch (shape.place) {
    case Place::Folder:
        fs::create_directory(path);
        return true;
    case Place::Pipe:
        return mkfifo(path.c_str(), 0644) == 0;
    case Place::File:
    case Place::Unreadable: {
        const std::string bytes = shape.bytes(kind);
        size = bytes.size();
        std::ofstream(path, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (shape.place == Place::Unreadable) {
            fs::permissions(path, fs::perms::none);
        }
        return true;
    }
    }
    return false;
}

long memoryBoundKiB(std::size_t fileSize) {
    return 400L * 1024 + static_cast<long>(fileSize / 1024) * 16;
}

std::string describe(const Outcome& o) {
    std::ostringstream s;
    s << "exit " << o.exitCode << ", signal " << o.signal
      << (o.signal == SIGALRM ? " (the time limit: a hang)" : "") << ", peak " << o.peakKiB / 1024
      << " MiB\nstdout: " << shortened(o.out, 300) << "\nstderr: " << shortened(o.err, 600);
    return s.str();
}

std::vector<Row> allRows(std::initializer_list<Kind> kinds) {
    std::vector<Row> rows;
    for (Kind k : kinds) {
        for (const Shape& s : shapes()) {
            if (s.numbers && (k == Kind::Template || k == Kind::Page)) {
                continue;
            }
            rows.push_back({k, &s});
        }
    }
    return rows;
}

} // namespace keld::hostile
