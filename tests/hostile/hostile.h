#pragma once
// Hostile files: what an engineer may be handed instead of a proper project
// file, configuration, report template or page file. The small shapes are
// files of the fuzz corpus (tests/fuzz/corpus/<target>/hostile_<shape>, so
// the fuzz targets replay them too); the 16 MB lines, a folder, a named pipe
// that nobody writes and a file without read permission are made here.

#include "table_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define KELD_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KELD_ASAN 1
#endif
#endif

namespace keld::hostile {

namespace fs = std::filesystem;

// One bound on the address space of a process that reads hostile files (not
// under AddressSanitizer, which reserves terabytes of it).
inline constexpr rlim_t kAddressSpace = rlim_t{3} << 30;

enum class Kind { Project, Config, Template, Page };
inline constexpr const char* kKindNames[] = {"project", "config", "template", "page"};
inline constexpr const char* kCorpusNames[] = {"project", "ini", "report", "page"};

inline std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// 16 MB in one line: where each kind is most likely to keep it (a project
// title, a configured caption, template and page text with tags at both
// ends), or made of tags alone.
inline std::string hugeShape(Kind kind, bool ofTags) {
    constexpr std::size_t huge = std::size_t{16} << 20;
    static constexpr const char* tags[] = {"<TEXT4>", "[Brochure]", "<!NROWS&>", "<BR>"};
    const auto k = static_cast<std::size_t>(kind);
    std::string out;
    if (ofTags) {
        while (out.size() < huge) {
            out += tags[k];
        }
        return out;
    }
    static constexpr struct {
        std::size_t line;
        const char *before, *after;
    } where[] = {{3, "", "<TEXT4>"},
                 {1, "TitleBar=", ""},
                 {0, "<!TITLE$>", "<!QTOTAL#>"},
                 {2, "<H1>", "</H1>"}};
    const std::string proper =
        slurp(fs::path(KELD_CORPUS_DIR) / kCorpusNames[k] / "hostile_proper");
    std::size_t line = 0;
    for (std::size_t at = 0; at < proper.size(); ++line) {
        const std::size_t end = proper.find("\r\n", at) + 2;
        out += line == where[k].line
                   ? where[k].before + std::string(huge, 'x') + where[k].after + "\r\n"
                   : proper.substr(at, end - at);
        at = end;
    }
    return out;
}

// Puts a shape of a file of this kind at `path`.
inline bool place(Kind kind, const std::string& shape, const fs::path& path) {
    if (shape == "folder") {
        return fs::create_directory(path);
    }
    if (shape == "pipe") {
        return mkfifo(path.c_str(), 0644) == 0;
    }
    const fs::path corpus = fs::path(KELD_CORPUS_DIR) / kCorpusNames[static_cast<int>(kind)];
    std::string bytes =
        shape.starts_with("huge_line")
            ? hugeShape(kind, shape == "huge_line_of_tags")
            : slurp(corpus / ("hostile_" + (shape == "unreadable" ? "proper" : shape)));
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (shape == "unreadable") {
        fs::permissions(path, fs::perms::none);
    }
    return true;
}

// Whether a file cannot be read by the user "nobody", whom this process
// becomes (its effective user) when it runs as root, whose capabilities read
// any file; seteuid(0) makes it root again (at once when it can read it).
inline bool unreadableAsNobody(const fs::path& path) {
    if (geteuid() == 0 && seteuid(65534) != 0) {
        return false;
    }
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd >= 0 && ::close(fd) == 0 && getuid() == 0) {
        (void)!seteuid(0);
    }
    return fd < 0;
}

// A temporary folder that the user "nobody" may enter, removed at the end.
class Scratch {
  public:
    Scratch() {
        char pattern[] = "/tmp/keld_hostile_XXXXXX";
        m_path = mkdtemp(pattern);
        fs::permissions(m_path, fs::perms(0755));
    }
    ~Scratch() {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    const fs::path& path() const { return m_path; }

  private:
    fs::path m_path;
};

// A row of a table of expected results (table_file.h): kind, shape, and what
// is expected.
struct Row {
    Kind kind;
    std::string shape;
    std::vector<std::string> expected;
};

inline std::vector<Row> readRows(const char* path) {
    std::vector<Row> rows;
    for (const std::vector<std::string>& cells : test::readTable(path)) {
        const auto kind = std::find(std::begin(kKindNames), std::end(kKindNames), cells.at(0));
        rows.push_back({static_cast<Kind>(kind - std::begin(kKindNames)),
                        cells.at(1),
                        {cells.begin() + 2, cells.end()}});
    }
    return rows;
}

inline void PrintTo(const Row& row, std::ostream* os) {
    *os << kKindNames[static_cast<int>(row.kind)] << " " << row.shape;
}

inline std::string rowName(const testing::TestParamInfo<Row>& info) {
    return std::string(kKindNames[static_cast<int>(info.param.kind)]) + "_" + info.param.shape;
}

} // namespace keld::hostile
