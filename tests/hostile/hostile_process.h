#pragma once
// Running a reader of a hostile file in a process of its own, with a time
// limit, its peak memory measured, and optionally as the user "nobody".

#include "hostile_files.h"

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace keld::hostile {

constexpr unsigned kTimeLimitSeconds = 60;

struct Outcome {
    bool exited = false;
    int exitCode = -1;
    int signal = 0;
    long peakKiB = 0;
    std::string out; // the first 4000 bytes of standard output
    std::string err; // and of standard error
};

// Runs argv (argv[0] a path) to its end, standard output and error into files
// of `scratch`.
Outcome run(const std::vector<std::string>& argv, const std::filesystem::path& scratch,
            bool asNobody);

// Whether a reader that drops to "nobody" cannot open the file: as root with
// every capability, a file without read permission is read anyway.
bool unreadableReallyIs(const std::filesystem::path& path);

// A temporary folder that the user "nobody" may enter, removed at the end.
class Scratch {
  public:
    Scratch();
    ~Scratch();
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    const std::filesystem::path& path() const { return m_path; }

  private:
    std::filesystem::path m_path;
};

// Puts the shape of a file of this kind at `path`; `size` gets its size.
bool place(const Shape& shape, Kind kind, const std::filesystem::path& path, std::size_t& size);

// Peak memory a reader may take: its start-up (a sanitizer's shadow memory
// included) and a few copies of the file it reads.
long memoryBoundKiB(std::size_t fileSize);

std::string describe(const Outcome& o);
// At most n bytes of s, every byte outside printable ASCII as "\xNN", and the
// whole length when s was longer.
std::string shortened(std::string_view s, std::size_t n = 40);

struct Row {
    Kind kind;
    const Shape* shape;
};
std::vector<Row> allRows(std::initializer_list<Kind> kinds);

// A row's name in test listings.
inline void PrintTo(const Row& row, std::ostream* os) {
    *os << kindName(row.kind) << " " << row.shape->name;
}

} // namespace keld::hostile
