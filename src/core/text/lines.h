#pragma once
// Line splitting and file reading shared by every text file the program reads.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace keld {

// Splits text into lines at CR LF or at a lone CR; a lone LF is a character of
// its line. The last line needs no ending; a text that ends with a line end
// has no empty line after it.
std::vector<std::string_view> splitLines(std::string_view text);

// The whole content of a file, or none when it cannot be opened or read (a
// missing file, a folder, no permission, more than maxBytes).
std::optional<std::string> readFileBytes(const std::string& path,
                                         std::size_t maxBytes = std::size_t{256} << 20);

enum class FileStatus { Ok, CannotOpen, ReadError };

struct FileContent {
    FileStatus status = FileStatus::CannotOpen;
    std::string bytes; // what was read, also after a read error
};

// Like readFileBytes, telling a file that cannot be opened (missing, a folder,
// no permission, larger than maxBytes) from one whose reading failed midway.
FileContent readFile(const std::string& path, std::size_t maxBytes = std::size_t{256} << 20);

// The part of a path after its last separator ("\" or "/"); a path without a
// separator, or whose only separator is its first character, is taken whole.
std::string fileNameOfPath(std::string_view path);

// The text with the letters a to z in capitals, every other byte as it is:
// the case rules of the program's files know ASCII letters alone.
std::string upperAscii(std::string_view text);

// Equal texts but for the case of the letters a to z.
bool equalsNoCase(std::string_view a, std::string_view b);

// A message on one line, for a table cell: each line break becomes one blank.
std::string oneLine(std::string_view text);

} // namespace keld
