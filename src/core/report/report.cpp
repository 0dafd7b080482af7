#include "report/report.h"

#include "config/ini.h"
#include "text/lines.h"
#include "text/markup.h"
#include "text/number.h"
#include "units/units.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <utility>

namespace keld {

const char* const kCouldNotOpenOutput = "Could not open Output File.";
const char* const kCouldNotReadOutput = "Could not read from Output File.";

namespace {

void upperAscii(std::string& s) {
    for (char& ch : s) {
        if (ch >= 'a' && ch <= 'z') {
            ch = static_cast<char>(ch - 'a' + 'A');
        }
    }
}

std::string upperCopy(std::string_view s) {
    std::string u(s);
    upperAscii(u);
    return u;
}

// The report's whole numbers: "#", "###" and "###,###" show nothing for 0.
std::string formatWhole(std::int32_t n, bool thousands) {
    if (n == 0) {
        return "";
    }
    return formatFixed(static_cast<double>(n), 0, thousands);
}

std::string twoUnits(double english, double metric, std::size_t width, const char* metricPrefix) {
    std::string e = FormatReportValue(english);
    const std::size_t blanks = 1 + (e.size() < width ? width - e.size() : 0);
    e.append(blanks, ' ');
    e += metricPrefix;
    e += FormatReportValue(metric);
    return e;
}

using units::Quantity;
constexpr auto metric = units::toMetric;

struct Tag {
    const char* text;
    std::function<std::string(const SizingCase&, const ReportDate&)> value;
};

const std::vector<Tag>& reportTags() {
    static const std::vector<Tag> tags = {
        {"<!DATE>", [](const SizingCase&, const ReportDate& d) { return formatReportDate(d); }},
        {"<!TITLE$>", [](const SizingCase& c, const ReportDate&) { return c.TITLE; }},
        {"<!ITEM$>", [](const SizingCase& c, const ReportDate&) { return c.ITEM; }},
        {"<!SERVICE$>", [](const SizingCase& c, const ReportDate&) { return c.SERVICE; }},
        {"<!HOTSIDEFLUID$>", [](const SizingCase& c, const ReportDate&) { return c.HOTSIDEFLUID; }},
        {"<!DRAFT$>",
         [](const SizingCase& c, const ReportDate&) {
             return std::string(isTrue(c.DRAFT) ? "Forced" : "Induced");
         }},
        {"<!SPACING>",
         [](const SizingCase& c, const ReportDate&) {
             return std::string(c.THOTIN > 500 ? "11           0.43" : "10           0.40");
         }},
        {"<!TYPE>",
         [](const SizingCase& c, const ReportDate&) {
             return std::string(c.THOTIN > 500 ? "Embedded" : "Extruded");
         }},
        {"<!QTOTAL#>",
         [](const SizingCase& c, const ReportDate&) {
             return twoUnits(c.QTOTAL / units::kBtuPerHourPerMillion,
                             metric(Quantity::Duty, c.QTOTAL) / units::kBtuPerHourPerMillion, 12,
                             "");
         }},
        {"<!MAIR#>",
         [](const SizingCase& c, const ReportDate&) {
             return twoUnits(c.MAIR, metric(Quantity::AirFlow, c.MAIR), 12, "");
         }},
        {"<!THOTIN#>",
         [](const SizingCase& c, const ReportDate&) {
             return twoUnits(c.THOTIN, metric(Quantity::Temperature, c.THOTIN), 12, "");
         }},
        {"<!TAIRIN#>",
         [](const SizingCase& c, const ReportDate&) {
             return twoUnits(c.TAIRIN, metric(Quantity::Temperature, c.TAIRIN), 12, "");
         }},
        {"<!THOTOUT#>",
         [](const SizingCase& c, const ReportDate&) {
             return twoUnits(c.THOTOUT, metric(Quantity::Temperature, c.THOTOUT), 12, "");
         }},
        {"<!TAIROUT#>",
         [](const SizingCase& c, const ReportDate&) {
             return twoUnits(c.TAIROUT, metric(Quantity::Temperature, c.TAIROUT), 12, "");
         }},
        {"<!UOVERALL#>",
         [](const SizingCase& c, const ReportDate&) {
             return twoUnits(c.UOVERALL, metric(Quantity::Coefficient, c.UOVERALL), 12, "");
         }},
        {"<!LENGTH>",
         [](const SizingCase& c, const ReportDate&) {
             return twoUnits(c.LENGTH, metric(Quantity::Length, c.LENGTH), 12, "");
         }},
        {"<!TUBEOD>",
         [](const SizingCase&, const ReportDate&) {
             return twoUnits(1, metric(Quantity::Diameter, 1), 12, "");
         }},
        {"<!NROWS&>",
         [](const SizingCase& c, const ReportDate&) { return formatWhole(c.NROWS, false); }},
        {"<!TUBESPERROW&>",
         [](const SizingCase& c, const ReportDate&) { return formatWhole(c.TUBESPERROW, false); }},
        {"<!TUBESTOTAL&>",
         [](const SizingCase& c, const ReportDate&) { return formatWhole(c.TUBESTOTAL, true); }},
        {"<!ATUBEBARETOTAL#>",
         [](const SizingCase& c, const ReportDate&) {
             return twoUnits(c.ATUBEBARETOTAL, metric(Quantity::Area, c.ATUBEBARETOTAL), 12, "");
         }},
        {"<!ATUBEFINTOTAL#>",
         [](const SizingCase& c, const ReportDate&) {
             return twoUnits(c.ATUBEFINTOTAL, metric(Quantity::Area, c.ATUBEFINTOTAL), 12, "");
         }},
        {"<!XWIDTH#>",
         [](const SizingCase& c, const ReportDate&) {
             return twoUnits(c.XWIDTH, metric(Quantity::Length, c.XWIDTH), 12, "");
         }},
        {"<!WEIGHTTOTAL#>",
         [](const SizingCase& c, const ReportDate&) {
             return twoUnits(c.WEIGHTTOTAL, metric(Quantity::Mass, c.WEIGHTTOTAL), 12, "");
         }},
        {"<!HORSEPOWER#>",
         [](const SizingCase& c, const ReportDate&) {
             return twoUnits(c.HORSEPOWER, metric(Quantity::Power, c.HORSEPOWER), 12, "");
         }},
        {"<!MATERIAL$>", [](const SizingCase& c, const ReportDate&) { return c.MATERIAL; }},
        {"<!FILENM$>", [](const SizingCase& c, const ReportDate&) { return c.FILENM; }},
        {"<!COSTFACTOR#>",
         [](const SizingCase& c, const ReportDate&) { return FormatReportValue(c.COSTFACTOR); }},
        {"<!COSTTOTAL#>",
         [](const SizingCase& c, const ReportDate&) {
             return FormatReportValue(c.COSTTOTAL) + (c.COSTUSER > 0 ? "*" : "");
         }},
        {"<!COSTTOTALPERAREA#>",
         [](const SizingCase& c, const ReportDate&) {
             return twoUnits(c.COSTTOTALPERAREA, metric(Quantity::PricePerArea, c.COSTTOTALPERAREA),
                             11, "$");
         }},
        {"<!COSTTOTALPERMASS#>",
         [](const SizingCase& c, const ReportDate&) {
             return twoUnits(c.COSTTOTALPERMASS, metric(Quantity::PricePerMass, c.COSTTOTALPERMASS),
                             11, "$");
         }},
    };
    return tags;
}

} // namespace

std::string formatReportDate(const ReportDate& date) {
    const std::string& month =
        date.monthNames[static_cast<std::size_t>(std::clamp(date.month, 1, 12) - 1)];
    char tail[32];
    std::snprintf(tail, sizeof tail, " %02d, %04d", date.day, date.year);
    return month + tail;
}

std::string FormatReportValue(double x) {
    if (!std::isfinite(x) || x == 0) {
        return "0";
    }
    // The sign is put back on the text, so a value that rounds to zero keeps
    // it ("-0.00") however small it is.
    const std::string sign = x < 0 ? "-" : "";
    double a = std::fabs(x);
    int n = 0;
    if (a < 1) {
        while (a < 1) {
            ++n;
            a = a * 10;
        }
        a = std::floor(a * 100 + 0.5) / std::pow(10.0, n + 2);
        return sign + formatFixed(a, 2);
    }
    while (a >= 1) {
        ++n;
        a = a / 10;
    }
    const double figures = std::floor(a * 1000 + 0.5); // three significant figures, 100..1000
    a = figures * std::pow(10.0, n - 3);
    if (!std::isfinite(a)) {
        // Rounded up past the largest double: the digits followed by zeros.
        const std::string digits =
            formatFixed(figures, 0) + std::string(static_cast<std::size_t>(n - 3), '0');
        return sign + groupThousands(digits);
    }
    switch (n) {
    case 1:
        return sign + formatFixed(a, 2);
    case 2:
        return sign + formatFixed(a, 1);
    case 3:
        return sign + formatFixed(a, 0);
    default:
        return sign + formatFixed(a, 0, true);
    }
}

std::string SubstituteReportTags(std::string_view line, const SizingCase& c,
                                 const ReportDate& date) {
    if (line.find('<') == std::string_view::npos) {
        return std::string(line);
    }
    // Every tag of the template's own text is replaced, and a value once
    // inserted is never searched again; so one pass from left to right gives
    // the line, each tag's value made once.
    const std::string upper = upperCopy(line);
    const std::vector<Tag>& tags = reportTags();
    std::vector<std::optional<std::string>> values(tags.size());
    std::string out;
    out.reserve(line.size());
    std::size_t pos = 0;
    std::size_t copied = 0;
    while ((pos = upper.find("<!", pos)) != std::string::npos) {
        std::size_t found = tags.size();
        for (std::size_t t = 0; t < tags.size(); ++t) {
            if (upper.compare(pos, std::strlen(tags[t].text), tags[t].text) == 0) {
                found = t;
                break;
            }
        }
        if (found == tags.size()) {
            ++pos;
            continue;
        }
        if (!values[found]) {
            values[found] = tags[found].value(c, date);
        }
        out.append(line.substr(copied, pos - copied));
        out += *values[found];
        pos += std::strlen(tags[found].text);
        copied = pos;
    }
    out.append(line.substr(copied));
    return out;
}

MarkupResult ConvertReportMarkup(std::string_view line) {
    return convertMarkup(line, MarkupStyle::Report);
}

std::string buildReportText(std::string_view templateBytes, const SizingCase& c,
                            const ReportDate& date, std::optional<std::string>* caption) {
    const std::string text = textAsUtf8(templateBytes);
    std::string report;
    for (std::string_view line : splitLines(text)) {
        MarkupResult converted = ConvertReportMarkup(SubstituteReportTags(line, c, date));
        report += converted.text;
        if (caption && converted.caption) {
            *caption = std::move(converted.caption);
        }
    }
    return report;
}

std::string buildReport(const std::string& programFolder, const SizingCase& c,
                        const ReportDate& date, MessageSink& messages,
                        std::optional<std::string>* caption,
                        const std::optional<std::string>& templatePath) {
    const std::string path =
        templatePath ? *templatePath
                     : dataPath(programFolder,
                                ReadIni(configPathIn(programFolder), "Calculations", "Output", ""));
    const FileContent content = readFile(path, std::size_t{64} << 20);
    if (content.status == FileStatus::CannotOpen) {
        messages.showMessage(kCouldNotOpenOutput, MessageIcon::Exclamation);
        return {};
    }
    if (content.status == FileStatus::ReadError) {
        messages.showMessage(kCouldNotReadOutput, MessageIcon::Exclamation);
    }
    return buildReportText(content.bytes, c, date, caption);
}

} // namespace keld
