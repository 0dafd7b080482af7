#pragma once
// The little markup of the report template and the tutorial pages.

#include <optional>
#include <string>
#include <string_view>

namespace keld {

// What the markup of a line becomes.
struct MarkupResult {
    std::string text;
    std::optional<std::string> caption;      // set by "<TITLE>...</TITLE>"
    std::optional<std::string> sectionTitle; // pages: the last heading of the line
    bool hadTag = false;                     // a tag was converted or removed
};

// Report: headings stay in the text, followed by two line breaks.
// Page: headings go to the section title and leave the text.
enum class MarkupStyle { Report, Page };

// Stage A converts "<BR>" (a line break, CR LF), "<P>" (two), "<H1>".."</H1>"
// (and H2, H3) and "<TITLE>".."</TITLE>" (the window caption), the first of
// each per pass, with another pass only after a title; stage B removes every
// other "<...>".
MarkupResult convertMarkup(std::string_view line, MarkupStyle style);

} // namespace keld
