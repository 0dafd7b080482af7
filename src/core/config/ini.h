#pragma once
// The configuration file KELD4WIN.INI beside the executable, and reading one
// key of it.
//
// The file's format, as this reader takes it:
// - "[Section]" opens a section; "key=value" gives a value. Section and key
//   names are matched without regard to case; blanks around names and values
//   are dropped. A value in a matching pair of double quotes loses the quotes.
// - Lines that start with ";" or "#" are comments; other lines without "="
//   are ignored, and so are keys before the first section.
// - When a section or a key appears twice, the first one wins.
// - Text in UTF-8 is taken as it is; a file that is not valid UTF-8 is read as
//   Windows-1252.
//
// The program never writes its configuration and holds no value of it: every
// use of a key reads the file again, so an edit takes effect at the next read.

#include <string>
#include <string_view>

namespace keld {

inline constexpr std::size_t kIniValueLimit = 254; // characters returned at most

// The value of key in section of the file at path; `fallback` when the file
// or the key is missing; "" for a key present with an empty value. At most
// 254 characters are returned.
std::string ReadIni(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view fallback);

// The same on a configuration's text already read.
std::string readIniText(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view fallback);

// The configured TitleBar of section Brochure, "0" when the file or the key is
// missing: every window caption begins with it.
std::string titleBar(const std::string& configPath);

// The folder of the running executable, through its real path, without a
// trailing separator. Empty when the platform cannot tell.
std::string executableFolder();

// The configuration file in a program folder.
std::string configPathIn(const std::string& programFolder);

// A configured file name (relative to the program folder, written with "\"
// or "/" between folders) as a path. Where a name's case differs from the
// file's on disk (the configuration may come from a system that ignores case),
// the file on disk is taken.
std::string dataPath(const std::string& programFolder, std::string_view configuredName);

// Text of a file that may be UTF-8 or Windows-1252, as UTF-8.
std::string textAsUtf8(std::string_view bytes);

} // namespace keld
