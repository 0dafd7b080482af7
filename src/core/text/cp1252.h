#pragma once
// Windows-1252, the character set of the project files and page texts, and
// UTF-8, the character set of the program's own strings.

#include <string>
#include <string_view>

namespace keld {

// Every byte maps to one character. The five bytes that Windows-1252 leaves
// undefined (81, 8D, 8F, 90, 9D) become the control characters of the same
// number, as Windows itself reads them, so they survive a round trip.
std::string cp1252ToUtf8(std::string_view bytes);

// Whether a text is well-formed UTF-8 (no stray continuation byte, no
// sequence cut short, no overlong two-byte form).
bool isValidUtf8(std::string_view s);

// The reverse. A character that Windows-1252 cannot hold (or a byte that is
// not valid UTF-8) is written as "?", the replacement Windows uses; `lossy`
// is set when that happened.
std::string utf8ToCp1252(std::string_view utf8, bool* lossy = nullptr);

} // namespace keld
