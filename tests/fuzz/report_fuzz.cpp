// The report: tag substitution with texts of the input, then the markup; and
// the whole input as a template.

#include "fuzz_check.h"

#include "report/report.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace keld;
    const std::string_view whole(reinterpret_cast<const char*>(data), size);
    // The input's parts, separated by the byte 0x1F: the template line; the
    // title, item, file name, fluid, material and service; the case's numbers,
    // 8 bytes each; its whole numbers and the date, 4 bytes each.
    std::vector<std::string_view> part;
    for (std::size_t from = 0; part.size() < 10;) {
        const std::size_t end = std::min(whole.find('\x1F', from), whole.size());
        part.push_back(from <= whole.size() ? whole.substr(from, end - from) : "");
        from = end + 1;
    }
    const auto next = [](std::string_view& bytes, auto& value) {
        if (bytes.size() >= sizeof value) {
            std::memcpy(&value, bytes.data(), sizeof value);
            bytes.remove_prefix(sizeof value);
        }
    };
    SizingCase c;
    c.TITLE = part[1];
    c.ITEM = part[2];
    c.FILENM = part[3];
    c.HOTSIDEFLUID = part[4];
    c.MATERIAL = part[5];
    c.SERVICE = part[6];
    c.DRAFT = part[6].size() % 2 == 0;
    // Finite values, as a finished case holds them.
    for (double* v :
         {&c.QTOTAL, &c.MAIR, &c.THOTIN, &c.TAIRIN, &c.THOTOUT, &c.TAIROUT, &c.UOVERALL, &c.LENGTH,
          &c.ATUBEBARETOTAL, &c.ATUBEFINTOTAL, &c.XWIDTH, &c.WEIGHTTOTAL, &c.HORSEPOWER,
          &c.COSTFACTOR, &c.COSTTOTAL, &c.COSTTOTALPERAREA, &c.COSTTOTALPERMASS, &c.COSTUSER}) {
        next(part[7], *v);
        *v = std::isfinite(*v) ? *v : 0;
    }
    ReportDate date;
    for (auto* n : {&c.NROWS, &c.TUBESPERROW, &c.TUBESTOTAL, &date.year, &date.month, &date.day}) {
        next(part[8], *n);
    }
    const std::string_view line = part[0];

    const std::string substituted = SubstituteReportTags(line, c, date);
    const MarkupResult converted = ConvertReportMarkup(substituted);
    const std::string numbers = SubstituteReportTags(fuzz::kNumberTags, c, date);
    fuzz::check(!fuzz::showsNonFinite(numbers), "no NaN or infinity in the report", numbers);
    const std::size_t open = converted.text.find('<');
    fuzz::check(open == std::string::npos || converted.text.find('>', open) == std::string::npos,
                "no tag is left after the markup", converted.text);
    // A heading tag whose last character takes several bytes goes as a whole.
    fuzz::check(!fuzz::isValidUtf8(substituted) || fuzz::isValidUtf8(converted.text),
                "UTF-8 stays UTF-8 through the markup", converted.text);

    std::optional<std::string> caption;
    (void)buildReportText(whole, c, date, &caption);
    return 0;
}
