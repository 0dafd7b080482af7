#include "text/markup.h"
#include "text/lines.h"

#include <algorithm>

namespace keld {
namespace {

const std::string kLineBreak = "\r\n";

std::string_view from(std::string_view s, std::size_t pos) {
    return pos >= s.size() ? std::string_view{} : s.substr(pos);
}

// The position after the character that starts at pos: a heading's tag is
// "<H1" and one character more, which in UTF-8 may take several bytes.
std::size_t afterCharacter(std::string_view s, std::size_t pos) {
    if (pos >= s.size()) {
        return pos + 1;
    }
    std::size_t end = pos + 1;
    while (end < s.size() && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80) {
        ++end;
    }
    return end;
}

} // namespace

// The two stages of the markup conversion.
//
// Where a line would make the conversion run forever, it ends instead:
// - "<TITLE>" without "</TITLE>" (or with "</TITLE>" before it) is no title:
//   the pass is not repeated for it, and stage B removes the "<TITLE>".
// - A heading whose closing tag does not follow its opening is not converted;
//   stage B removes its tags.
// - In stage B a "<" is closed by the first ">" after it; a ">" that stands
//   before it is plain text, and a "<" with no ">" after it ends the removal:
//   it and the rest of the line stay as they are.
// - Each title makes stage A read the whole line once more. A line with so
//   many titles that this would read some twenty million characters (a
//   megabyte of titles) stops repeating there: its remaining titles are left
//   to stage B, which removes their tags and keeps their words.
MarkupResult convertMarkup(std::string_view line, MarkupStyle style) {
    MarkupResult r;
    std::string s(line);
    constexpr std::size_t kCharactersToRead = 20'000'000;
    const std::size_t mostPasses = std::max<std::size_t>(2, kCharactersToRead / (line.size() + 1));
    bool again = true;
    for (std::size_t pass = 0; again && pass < mostPasses; ++pass) {
        again = false;
        std::string u = upperAscii(s);
        std::size_t i = u.find("<BR>");
        if (i != std::string::npos) {
            s = s.substr(0, i) + kLineBreak + std::string(from(s, i + 4));
            r.hadTag = true;
            u = upperAscii(s);
        }
        i = u.find("<P>");
        if (i != std::string::npos) {
            s = s.substr(0, i) + kLineBreak + kLineBreak + std::string(from(s, i + 3));
            r.hadTag = true;
            u = upperAscii(s);
        }
        for (const char* level : {"1", "2", "3"}) {
            const std::size_t open = u.find(std::string("<H") + level);
            const std::size_t close = u.find(std::string("</H") + level);
            if (open == std::string::npos || close == std::string::npos) {
                continue;
            }
            const std::size_t headingStart = afterCharacter(s, open + 3);
            if (close < headingStart) {
                continue;
            }
            const std::size_t rest = afterCharacter(s, close + 4);
            const std::string heading = s.substr(headingStart, close - headingStart);
            if (style == MarkupStyle::Report) {
                s = s.substr(0, open) + heading + kLineBreak + kLineBreak +
                    std::string(from(s, rest));
            } else {
                r.sectionTitle = heading;
                s = s.substr(0, open) + std::string(from(s, rest));
            }
            r.hadTag = true;
            u = upperAscii(s);
        }
        const std::size_t open = u.find("<TITLE>");
        const std::size_t close = u.find("</TITLE>");
        if (open != std::string::npos && close != std::string::npos && close >= open + 7) {
            r.caption = s.substr(open + 7, close - open - 7);
            s = s.substr(0, open) + std::string(from(s, close + 8));
            r.hadTag = true;
            again = true;
        }
    }
    // Stage B in one pass over the line (erasing tag by tag would take time
    // in the square of a long line's length).
    std::string kept;
    kept.reserve(s.size());
    std::size_t pos = 0;
    for (;;) {
        const std::size_t i = s.find('<', pos);
        if (i == std::string::npos) {
            break;
        }
        const std::size_t j = s.find('>', i);
        if (j == std::string::npos) {
            break;
        }
        kept.append(s, pos, i - pos);
        pos = j + 1;
        r.hadTag = true;
    }
    kept.append(s, pos, std::string::npos);
    r.text = std::move(kept);
    return r;
}

} // namespace keld
