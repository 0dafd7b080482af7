// The report: tag substitution with texts of the input, then the markup; and
// the whole input as a template.

#include "fuzz_check.h"

#include "report/report.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace keld;
    const std::string_view whole(reinterpret_cast<const char*>(data), size);
    FuzzedDataProvider in(data, size);

    SizingCase c;
    c.TITLE = in.ConsumeRandomLengthString(64);
    c.ITEM = in.ConsumeRandomLengthString(32);
    c.FILENM = in.ConsumeRandomLengthString(32);
    c.HOTSIDEFLUID = in.ConsumeRandomLengthString(32);
    c.MATERIAL = in.ConsumeRandomLengthString(32);
    c.SERVICE = in.ConsumeRandomLengthString(16);
    c.DRAFT = in.ConsumeBool();
    // Finite values, as a finished case holds them.
    for (double* v :
         {&c.QTOTAL, &c.MAIR, &c.THOTIN, &c.TAIRIN, &c.THOTOUT, &c.TAIROUT, &c.UOVERALL, &c.LENGTH,
          &c.ATUBEBARETOTAL, &c.ATUBEFINTOTAL, &c.XWIDTH, &c.WEIGHTTOTAL, &c.HORSEPOWER,
          &c.COSTFACTOR, &c.COSTTOTAL, &c.COSTTOTALPERAREA, &c.COSTTOTALPERMASS, &c.COSTUSER}) {
        *v = in.ConsumeFloatingPoint<double>();
    }
    c.NROWS = in.ConsumeIntegral<std::int32_t>();
    c.TUBESPERROW = in.ConsumeIntegral<std::int32_t>();
    c.TUBESTOTAL = in.ConsumeIntegral<std::int32_t>();
    ReportDate date;
    date.year = in.ConsumeIntegral<int>();
    date.month = in.ConsumeIntegral<int>();
    date.day = in.ConsumeIntegral<int>();
    const std::string line = in.ConsumeRemainingBytesAsString();

    const std::string substituted = SubstituteReportTags(line, c, date);
    const MarkupResult converted = ConvertReportMarkup(substituted);
    // Every number of the case, between separators that no value joins with.
    const std::string numbers = SubstituteReportTags(
        "<!QTOTAL#>|<!MAIR#>|<!THOTIN#>|<!TAIRIN#>|<!THOTOUT#>|<!TAIROUT#>|<!UOVERALL#>|"
        "<!LENGTH>|<!NROWS&>|<!TUBESPERROW&>|<!TUBESTOTAL&>|<!ATUBEBARETOTAL#>|"
        "<!ATUBEFINTOTAL#>|<!XWIDTH#>|<!WEIGHTTOTAL#>|<!HORSEPOWER#>|<!COSTFACTOR#>|"
        "<!COSTTOTAL#>|<!COSTTOTALPERAREA#>|<!COSTTOTALPERMASS#>|<!DATE>",
        c, date);
    fuzz::check(!fuzz::showsNonFinite(numbers), "no NaN or infinity in the report", numbers);
    const std::size_t open = converted.text.find('<');
    fuzz::check(open == std::string::npos || converted.text.find('>', open) == std::string::npos,
                "no tag is left after the markup", converted.text);

    std::optional<std::string> caption;
    const std::string report = buildReportText(whole, c, date, &caption);
    (void)report;
    return 0;
}
