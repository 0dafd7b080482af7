#pragma once
// Hostile files: what an engineer may be handed instead of a proper project
// file, configuration, report template or page file. Each shape is built from
// a proper file of its kind, so a row says exactly what is wrong with it.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace keld::hostile {

enum class Kind { Project, Config, Template, Page };

// What stands at the file's path.
enum class Place {
    File,       // a regular file with the bytes
    Folder,     // a folder of that name
    Unreadable, // a file that its reader has no permission to read
    Pipe        // a named pipe that nobody writes
};

struct Shape {
    const char* name;
    Place place;
    std::string (*bytes)(Kind kind); // for Place::File
    bool numbers = false;            // only for the kinds that read numbers
};

inline constexpr std::size_t kHugeLine = std::size_t{50} << 20;

// A proper file of each kind, its lines ended by CR LF.
std::vector<std::string> properLines(Kind kind);
std::string joined(const std::vector<std::string>& lines, std::string_view end);

// The number put into every field, key and line a number is read from.
std::string withNumber(Kind kind, std::string_view number);

const std::vector<Shape>& shapes();
const char* kindName(Kind kind);

} // namespace keld::hostile
