// A page's markup line by line, and a page file's whole text.

#include "fuzz_check.h"

#include "tutorial/pages.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace keld;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const MarkupResult line = ConvertPageMarkup(bytes);
    const std::size_t open = line.text.find('<');
    fuzz::check(open == std::string::npos || line.text.find('>', open) == std::string::npos,
                "no tag is left after the markup", line.text);
    // A heading tag whose last character takes several bytes goes as a whole.
    fuzz::check(!fuzz::isValidUtf8(bytes) || fuzz::isValidUtf8(line.text),
                "UTF-8 stays UTF-8 through the markup", line.text);

    const PageText page = pageText(bytes);
    fuzz::check(fuzz::isValidUtf8(page.text), "a page's text is UTF-8", page.text);
    return 0;
}
