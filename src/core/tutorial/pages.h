#pragma once
// The page sets of the tutorial ("Brochure") and of the sheet's instructions
// ("Instructions"): their keys in the configuration and their markup.

#include "text/markup.h"

#include <string>
#include <string_view>

namespace keld {

// A page's markup: headings go to the section title, "<TITLE>" to the
// window caption; `hadTag` tells whether the line carried any tag (a line
// without one is followed by a blank when the page's lines are joined).
MarkupResult ConvertPageMarkup(std::string_view line);

// What the configuration says of page n of a set.
struct PageEntry {
    std::string textPath;    // the page's text file
    std::string picturePath; // the page's picture
    float pictureScale = 1;  // 0: the picture at its own size; otherwise stretched
};

// The number of pages of a set (key "PageCount", a whole number; 0 when it is
// missing or no number).
int pageCount(const std::string& programFolder, std::string_view pageSet);

// The files of page n: "Page"+n (default empty, which leaves the program
// folder itself) and "Pict"+n (default one blank), an optional comma and
// scale after the picture's name.
PageEntry pageEntry(const std::string& programFolder, std::string_view pageSet, int page);

// The text of a page from its file's bytes: each line converted, a line
// without a tag followed by one blank. The section title and caption are
// those of the last lines that set them.
struct PageText {
    std::string text;
    std::optional<std::string> sectionTitle;
    std::optional<std::string> caption;
};
PageText pageText(std::string_view bytes);

} // namespace keld
