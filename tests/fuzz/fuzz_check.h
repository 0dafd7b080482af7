#pragma once
// A check of a fuzz target: a failed one aborts, so libFuzzer keeps the input.

#include "text/cp1252.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace keld::fuzz {

using keld::isValidUtf8;

[[noreturn]] inline void fail(const char* what, std::string_view detail = {}) {
    std::fprintf(stderr, "fuzz check failed: %s [%.*s]\n", what,
                 static_cast<int>(detail.size() > 400 ? 400 : detail.size()), detail.data());
    std::abort();
}

inline void check(bool ok, const char* what, std::string_view detail = {}) {
    if (!ok) {
        fail(what, detail);
    }
}

// Whether s shows "nan", "inf" or "infinity" (any case) as a word of its own,
// as printf writes a number that is not one.
inline bool showsNonFinite(std::string_view s) {
    const auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    std::size_t i = 0;
    while (i < s.size()) {
        if (!isLetter(s[i])) {
            ++i;
            continue;
        }
        std::size_t j = i;
        std::string word;
        while (j < s.size() && isLetter(s[j])) {
            word.push_back(static_cast<char>(s[j] | 0x20));
            ++j;
        }
        if (word == "nan" || word == "inf" || word == "infinity") {
            return true;
        }
        i = j;
    }
    return false;
}

// Every number of a case in the report, between separators that no value
// joins with: the report's texts are the file's own, and may hold any word.
inline constexpr const char* kNumberTags =
    "<!QTOTAL#>|<!MAIR#>|<!THOTIN#>|<!TAIRIN#>|<!THOTOUT#>|<!TAIROUT#>|<!UOVERALL#>|"
    "<!LENGTH>|<!NROWS&>|<!TUBESPERROW&>|<!TUBESTOTAL&>|<!ATUBEBARETOTAL#>|"
    "<!ATUBEFINTOTAL#>|<!XWIDTH#>|<!WEIGHTTOTAL#>|<!HORSEPOWER#>|<!COSTFACTOR#>|"
    "<!COSTTOTAL#>|<!COSTTOTALPERAREA#>|<!COSTTOTALPERMASS#>|<!DATE>";

inline std::size_t utf8Length(std::string_view s) {
    std::size_t n = 0;
    for (char ch : s) {
        n += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    }
    return n;
}

} // namespace keld::fuzz
