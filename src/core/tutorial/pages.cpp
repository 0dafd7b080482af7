#include "tutorial/pages.h"

#include "config/ini.h"
#include "text/lines.h"
#include "text/number.h"

#include <cmath>
#include <limits>

namespace keld {

MarkupResult ConvertPageMarkup(std::string_view line) {
    return convertMarkup(line, MarkupStyle::Page);
}

int pageCount(const std::string& programFolder, std::string_view pageSet) {
    const std::string text = ReadIni(configPathIn(programFolder), pageSet, "PageCount", "0");
    const std::optional<double> n = readNumber(text);
    const std::optional<std::int32_t> whole = n ? roundHalfEvenToInt32(*n) : std::nullopt;
    // A 16-bit whole number; anything else counts as no pages.
    if (!whole || *whole < -32768 || *whole > 32767) {
        return 0;
    }
    return *whole;
}

PageEntry pageEntry(const std::string& programFolder, std::string_view pageSet, int page) {
    const std::string config = configPathIn(programFolder);
    const std::string n = std::to_string(page);
    PageEntry entry;
    std::string picture = ReadIni(config, pageSet, "Pict" + n, " ");
    const std::size_t comma = picture.find(',');
    if (comma != std::string::npos) {
        const std::optional<double> scale = readNumber(std::string_view(picture).substr(comma + 1));
        // A scale that no single-precision number holds is an overflow: the
        // scale stays 1.
        entry.pictureScale = scale && std::fabs(*scale) <= std::numeric_limits<float>::max()
                                 ? static_cast<float>(*scale)
                                 : 1.0F;
        picture.resize(comma);
    }
    entry.picturePath = dataPath(programFolder, picture);
    entry.textPath = dataPath(programFolder, ReadIni(config, pageSet, "Page" + n, ""));
    return entry;
}

PageText pageText(std::string_view bytes) {
    PageText page;
    const std::string text = textAsUtf8(bytes);
    for (std::string_view line : splitLines(text)) {
        MarkupResult r = ConvertPageMarkup(line);
        page.text += r.text;
        if (!r.hadTag) {
            page.text += ' ';
        }
        if (r.sectionTitle) {
            page.sectionTitle = std::move(r.sectionTitle);
        }
        if (r.caption) {
            page.caption = std::move(r.caption);
        }
    }
    return page;
}

} // namespace keld
