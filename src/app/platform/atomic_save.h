#pragma once
// Writing a file so that a failure leaves the file that was there untouched.

#include <QString>

#include <string_view>

namespace keld::app {

// Writes `bytes` to a temporary file beside `path` and renames it over
// `path` only when every byte was written. Unbuffered, so that a short write
// (a full disk) shows in the count: a buffered write that failed at the
// flush would still be committed. A name that stands for something other
// than a file (a folder, a device, a pipe) is refused: replacing it would
// destroy it. False when nothing was saved.
bool saveFileAtomically(const QString& path, std::string_view bytes);

} // namespace keld::app
