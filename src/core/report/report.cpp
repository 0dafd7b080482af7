#include "report/report.h"

#include "config/ini.h"
#include "planning/motors.h"
#include "text/lines.h"
#include "text/markup.h"
#include "text/number.h"
#include "text/table.h"
#include "units/units.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <string_view>
#include <utility>

namespace keld {

const char* const kCouldNotOpenOutput = "Could not open Output File.";
const char* const kCouldNotReadOutput = "Could not read from Output File.";

namespace {

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

// What a tag's value is taken from.
struct TagContext {
    const SizingCase& c;
    const ReportDate& date;
    const planning::Plan* plan;
};

struct Tag {
    const char* text;
    std::function<std::string(const TagContext&)> value;
    bool wrapped = false; // a text of words, wrapped at the report's width
};

// The words of a text in lines of at most the report's width, joined by
// CR LF. The first line starts at `column`; the next ones are indented to
// it where that leaves half the width or more, else they start at the left.
// A word longer than a line stands on a line of its own.
std::string wrapAtReportWidth(std::string_view text, std::size_t column) {
    const std::size_t indent = column <= kReportWidth / 2 ? column : 0;
    std::size_t room = column < kReportWidth ? kReportWidth - column : 0;
    std::string out;
    std::size_t used = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view word = text.substr(start, end - start);
        start = end + 1;
        if (word.empty()) {
            continue;
        }
        const std::size_t width = displayWidth(word);
        if (used > 0 && used + 1 + width > room) {
            out += "\r\n";
            out.append(indent, ' ');
            room = kReportWidth - indent;
            used = 0;
        }
        if (used > 0) {
            out += ' ';
            ++used;
        }
        out += word;
        used += width;
    }
    return out;
}

// The planning tags: their value when the fans (their layout, the air side,
// the cost of ownership) were planned, otherwise nothing.
using planning::AirSide;
using planning::FanLayout;
using planning::FanPlan;
using planning::Ownership;
template <class F> auto fansTag(F f) {
    return [f](const TagContext& t) {
        return t.plan && t.plan->fans ? f(*t.plan->fans) : std::string();
    };
}
template <class F> auto layoutTag(F f) {
    return [f](const TagContext& t) {
        return t.plan && t.plan->fans && t.plan->fans->layout
                   ? f(*t.plan->fans, *t.plan->fans->layout)
                   : std::string();
    };
}
template <class F> auto airTag(F f) {
    return [f](const TagContext& t) {
        return t.plan && t.plan->air ? f(*t.plan->air) : std::string();
    };
}
template <class F> auto ownershipTag(F f) {
    return [f](const TagContext& t) {
        return t.plan && t.plan->ownership ? f(*t.plan->ownership) : std::string();
    };
}
std::string whole(std::int64_t n) {
    return formatFixed(static_cast<double>(n), 0, true);
}

const std::vector<Tag>& reportTags() {
    static const std::vector<Tag> tags = {
        {"<!DATE>", [](const TagContext& t) { return formatReportDate(t.date); }},
        {"<!TITLE$>", [](const TagContext& t) { return t.c.TITLE; }},
        {"<!ITEM$>", [](const TagContext& t) { return t.c.ITEM; }},
        {"<!SERVICE$>", [](const TagContext& t) { return t.c.SERVICE; }},
        {"<!HOTSIDEFLUID$>", [](const TagContext& t) { return t.c.HOTSIDEFLUID; }},
        {"<!DRAFT$>",
         [](const TagContext& t) { return std::string(isTrue(t.c.DRAFT) ? "Forced" : "Induced"); }},
        {"<!SPACING>",
         [](const TagContext& t) {
             return std::string(t.c.THOTIN > 500 ? "11           0.43" : "10           0.40");
         }},
        {"<!TYPE>",
         [](const TagContext& t) {
             return std::string(t.c.THOTIN > 500 ? "Embedded" : "Extruded");
         }},
        {"<!QTOTAL#>",
         [](const TagContext& t) {
             return twoUnits(t.c.QTOTAL / units::kBtuPerHourPerMillion,
                             metric(Quantity::Duty, t.c.QTOTAL) / units::kBtuPerHourPerMillion, 12,
                             "");
         }},
        {"<!MAIR#>",
         [](const TagContext& t) {
             return twoUnits(t.c.MAIR, metric(Quantity::AirFlow, t.c.MAIR), 12, "");
         }},
        {"<!THOTIN#>",
         [](const TagContext& t) {
             return twoUnits(t.c.THOTIN, metric(Quantity::Temperature, t.c.THOTIN), 12, "");
         }},
        {"<!TAIRIN#>",
         [](const TagContext& t) {
             return twoUnits(t.c.TAIRIN, metric(Quantity::Temperature, t.c.TAIRIN), 12, "");
         }},
        {"<!THOTOUT#>",
         [](const TagContext& t) {
             return twoUnits(t.c.THOTOUT, metric(Quantity::Temperature, t.c.THOTOUT), 12, "");
         }},
        {"<!TAIROUT#>",
         [](const TagContext& t) {
             return twoUnits(t.c.TAIROUT, metric(Quantity::Temperature, t.c.TAIROUT), 12, "");
         }},
        {"<!UOVERALL#>",
         [](const TagContext& t) {
             return twoUnits(t.c.UOVERALL, metric(Quantity::Coefficient, t.c.UOVERALL), 12, "");
         }},
        {"<!LENGTH>",
         [](const TagContext& t) {
             return twoUnits(t.c.LENGTH, metric(Quantity::Length, t.c.LENGTH), 12, "");
         }},
        {"<!TUBEOD>",
         [](const TagContext&) { return twoUnits(1, metric(Quantity::Diameter, 1), 12, ""); }},
        {"<!NROWS&>", [](const TagContext& t) { return formatWhole(t.c.NROWS, false); }},
        {"<!TUBESPERROW&>",
         [](const TagContext& t) { return formatWhole(t.c.TUBESPERROW, false); }},
        {"<!TUBESTOTAL&>", [](const TagContext& t) { return formatWhole(t.c.TUBESTOTAL, true); }},
        {"<!ATUBEBARETOTAL#>",
         [](const TagContext& t) {
             return twoUnits(t.c.ATUBEBARETOTAL, metric(Quantity::Area, t.c.ATUBEBARETOTAL), 12,
                             "");
         }},
        {"<!ATUBEFINTOTAL#>",
         [](const TagContext& t) {
             return twoUnits(t.c.ATUBEFINTOTAL, metric(Quantity::Area, t.c.ATUBEFINTOTAL), 12, "");
         }},
        {"<!XWIDTH#>",
         [](const TagContext& t) {
             return twoUnits(t.c.XWIDTH, metric(Quantity::Length, t.c.XWIDTH), 12, "");
         }},
        {"<!WEIGHTTOTAL#>",
         [](const TagContext& t) {
             return twoUnits(t.c.WEIGHTTOTAL, metric(Quantity::Mass, t.c.WEIGHTTOTAL), 12, "");
         }},
        {"<!HORSEPOWER#>",
         [](const TagContext& t) {
             return twoUnits(t.c.HORSEPOWER, metric(Quantity::Power, t.c.HORSEPOWER), 12, "");
         }},
        {"<!MATERIAL$>", [](const TagContext& t) { return t.c.MATERIAL; }},
        {"<!FILENM$>", [](const TagContext& t) { return t.c.FILENM; }},
        {"<!COSTFACTOR#>", [](const TagContext& t) { return FormatReportValue(t.c.COSTFACTOR); }},
        {"<!COSTTOTAL#>",
         [](const TagContext& t) {
             return FormatReportValue(t.c.COSTTOTAL) + (t.c.COSTUSER > 0 ? "*" : "");
         }},
        {"<!COSTTOTALPERAREA#>",
         [](const TagContext& t) {
             return twoUnits(t.c.COSTTOTALPERAREA,
                             metric(Quantity::PricePerArea, t.c.COSTTOTALPERAREA), 11, "$");
         }},
        {"<!COSTTOTALPERMASS#>",
         [](const TagContext& t) {
             return twoUnits(t.c.COSTTOTALPERMASS,
                             metric(Quantity::PricePerMass, t.c.COSTTOTALPERMASS), 11, "$");
         }},
        // Fans, bays and noise, the air side and the cost of ownership:
        // figures of the planning layer on top of the finished case.
        {"<!BAYS&>", layoutTag([](const FanPlan&, const FanLayout& l) { return whole(l.bays); })},
        {"<!FANSPERBAY&>",
         layoutTag([](const FanPlan&, const FanLayout& l) { return whole(l.fansPerBay); })},
        {"<!FANS&>", layoutTag([](const FanPlan&, const FanLayout& l) { return whole(l.fans); })},
        {"<!BAYWIDTH#>", layoutTag([](const FanPlan&, const FanLayout& l) {
             return twoUnits(l.bayWidthFt, metric(Quantity::Length, l.bayWidthFt), 12, "");
         })},
        {"<!PLOTLENGTH#>", layoutTag([](const FanPlan&, const FanLayout& l) {
             return twoUnits(l.plotLengthFt, metric(Quantity::Length, l.plotLengthFt), 12, "");
         })},
        {"<!FANDIAMETER#>", layoutTag([](const FanPlan& f, const FanLayout& l) {
             return twoUnits(l.diameterFt, f.fanDiameterM, 12, "");
         })},
        {"<!COVERAGE#>", layoutTag([](const FanPlan&, const FanLayout& l) {
             return FormatReportValue(l.coverage * 100);
         })},
        {"<!PLENUMDEPTH#>", layoutTag([](const FanPlan&, const FanLayout& l) {
             return twoUnits(l.plenumDepthFt, metric(Quantity::Length, l.plenumDepthFt), 12, "");
         })},
        {"<!SHAFTPOWERFAN#>", layoutTag([](const FanPlan& f, const FanLayout&) {
             return twoUnits(f.shaftPowerPerFanHp, metric(Quantity::Power, f.shaftPowerPerFanHp),
                             12, "");
         })},
        // A standard rating of the case's units, in its column.
        {"<!MOTORRATING$>", layoutTag([](const FanPlan& f, const FanLayout&) {
             if (!f.motorRating) {
                 return std::string();
             }
             return std::string(f.units == UnitSystem::English ? 0 : 13, ' ') +
                    formatPlainDecimal(*f.motorRating) + " " + planning::motorRatingUnit(f.units);
         })},
        {"<!TIPSPEED#>", fansTag([](const FanPlan& f) {
             return twoUnits(f.tipSpeedFtMin, metric(Quantity::Speed, f.tipSpeedFtMin), 12, "");
         })},
        {"<!FANSPEED#>",
         layoutTag([](const FanPlan& f, const FanLayout&) { return FormatReportValue(f.rpm); })},
        {"<!SOUNDPOWERFAN#>", layoutTag([](const FanPlan& f, const FanLayout&) {
             return FormatReportValue(f.soundPowerPerFanDbA);
         })},
        {"<!SOUNDPOWER#>", layoutTag([](const FanPlan& f, const FanLayout&) {
             return FormatReportValue(f.soundPowerDbA);
         })},
        // The distance in feet as the option gives it (30.48 m is 100 ft).
        {"<!NOISEDISTANCE#>", fansTag([](const FanPlan& f) {
             return twoUnits(
                 planning::fromCanonical(planning::optionRow(planning::Option::Distance),
                                         f.distanceM, UnitSystem::English),
                 f.distanceM, 12, "");
         })},
        {"<!SOUNDPRESSURE#>", layoutTag([](const FanPlan& f, const FanLayout&) {
             return FormatReportValue(f.soundPressureDbA);
         })},
        {"<!NEARFIELD#>", layoutTag([](const FanPlan& f, const FanLayout&) {
             return FormatReportValue(f.nearFieldDbA);
         })},
        {"<!TIPSPEEDLIMITS#>", fansTag([](const FanPlan& f) {
             return f.tipSpeedForLimitsFtMin
                        ? twoUnits(*f.tipSpeedForLimitsFtMin,
                                   metric(Quantity::Speed, *f.tipSpeedForLimitsFtMin), 12, "")
                        : std::string("no limit given");
         })},
        {"<!FANNOTES$>", fansTag([](const FanPlan& f) {
             std::string notes;
             for (const std::string& n : f.notes) {
                 notes += (notes.empty() ? "" : " ") + n;
             }
             return notes;
         }),
         true},
        {"<!AFACE#>", airTag([](const AirSide& a) {
             return twoUnits(a.faceAreaSqFt, metric(Quantity::Area, a.faceAreaSqFt), 12, "");
         })},
        {"<!FACEVELOCITY#>", airTag([](const AirSide& a) {
             return twoUnits(a.faceVelocityFtMin, metric(Quantity::Speed, a.faceVelocityFtMin), 12,
                             "");
         })},
        {"<!BUNDLEFACE#>", airTag([](const AirSide& a) {
             return twoUnits(a.bundleFaceSqFt, metric(Quantity::Area, a.bundleFaceSqFt), 12, "");
         })},
        // Four decimals in lb/cu ft, where three significant figures would show 0.07.
        {"<!AIRDENSITY#>", airTag([](const AirSide& a) {
             std::string e = formatFixed(a.densityInletLbFt3, 4);
             e.resize(std::max<std::size_t>(e.size() + 1, 13), ' ');
             return e + FormatReportValue(metric(Quantity::Density, a.densityInletLbFt3));
         })},
        {"<!AIRVOLUMEIN#>", airTag([](const AirSide& a) {
             return twoUnits(a.volumeInletAcfm, metric(Quantity::AirVolume, a.volumeInletAcfm), 12,
                             "");
         })},
        {"<!AIRVOLUMEOUT#>", airTag([](const AirSide& a) {
             return twoUnits(a.volumeOutletAcfm, metric(Quantity::AirVolume, a.volumeOutletAcfm),
                             12, "");
         })},
        {"<!AIRVOLUMEFANS#>", airTag([](const AirSide& a) {
             return twoUnits(a.volumeAtFansAcfm, metric(Quantity::AirVolume, a.volumeAtFansAcfm),
                             12, "");
         })},
        {"<!AIRVOLUMEFAN#>", airTag([](const AirSide& a) {
             return a.volumePerFanAcfm
                        ? twoUnits(*a.volumePerFanAcfm,
                                   metric(Quantity::AirVolume, *a.volumePerFanAcfm), 12, "")
                        : std::string();
         })},
        {"<!APPROACH#>", airTag([](const AirSide& a) {
             return twoUnits(a.approachF, metric(Quantity::TemperatureDifference, a.approachF), 12,
                             "");
         })},
        {"<!DRIVEEFFICIENCY#>",
         ownershipTag([](const Ownership& o) { return FormatReportValue(o.driveEfficiency); })},
        {"<!MOTOREFFICIENCY#>",
         ownershipTag([](const Ownership& o) { return FormatReportValue(o.motorEfficiency); })},
        {"<!ELECTRICALPOWER#>",
         ownershipTag([](const Ownership& o) { return FormatReportValue(o.electricalPowerKw); })},
        {"<!ENERGYPRICE#>",
         ownershipTag([](const Ownership& o) { return FormatReportValue(o.energyPricePerKwh); })},
        {"<!HOURS#>",
         ownershipTag([](const Ownership& o) { return FormatReportValue(o.hoursPerYear); })},
        {"<!YEARS&>", ownershipTag([](const Ownership& o) { return whole(o.years); })},
        {"<!RATE#>",
         ownershipTag([](const Ownership& o) { return FormatReportValue(o.rate * 100); })},
        {"<!ENERGYCOST#>",
         ownershipTag([](const Ownership& o) { return FormatReportValue(o.energyCostPerYear); })},
        {"<!ENERGYPV#>",
         ownershipTag([](const Ownership& o) { return FormatReportValue(o.energyPresentValue); })},
        {"<!EVALUATEDCOST#>",
         ownershipTag([](const Ownership& o) { return FormatReportValue(o.evaluatedCost); })},
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

namespace {

// The time that SOURCE_DATE_EPOCH fixes for reproducible output: a decimal
// count of seconds since 1970-01-01 UTC. None when it is unset or no such count.
std::optional<std::time_t> sourceDateEpoch() {
    const char* text = std::getenv("SOURCE_DATE_EPOCH");
    const std::string_view digits = text ? text : "";
    std::time_t seconds = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), seconds);
    if (digits.empty() || digits.front() == '-' || error != std::errc() ||
        end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return seconds;
}

} // namespace

ReportDate reportToday() {
    std::setlocale(LC_TIME, "");
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (const std::optional<std::time_t> fixed = sourceDateEpoch();
        !(fixed && gmtime_r(&*fixed, &local))) {
        localtime_r(&now, &local);
    }
    ReportDate date;
    date.year = local.tm_year + 1900;
    date.month = local.tm_mon + 1;
    date.day = local.tm_mday;
    for (int m = 0; m < 12; ++m) {
        std::tm month{};
        month.tm_mon = m;
        char name[64];
        if (std::strftime(name, sizeof name, "%B", &month) > 0) {
            date.monthNames[static_cast<std::size_t>(m)] = name;
        }
    }
    return date;
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

std::string SubstituteReportTags(std::string_view line, const SizingCase& c, const ReportDate& date,
                                 const planning::Plan* plan) {
    if (line.find('<') == std::string_view::npos) {
        return std::string(line);
    }
    // Every tag of the template's own text is replaced, and a value once
    // inserted is never searched again; so one pass from left to right gives
    // the line, each tag's value made once.
    const std::string upper = upperAscii(line);
    const std::vector<Tag>& tags = reportTags();
    std::vector<std::optional<std::string>> values(tags.size());
    std::string out;
    out.reserve(line.size());
    std::size_t pos = 0;
    std::size_t copied = 0;
    std::size_t column = 0; // of the end of `out`, for the text that wraps
    const auto append = [&out, &column](std::string_view text) {
        out += text;
        const std::size_t lineEnd = text.rfind('\n');
        column = lineEnd == std::string_view::npos ? column + displayWidth(text)
                                                   : displayWidth(text.substr(lineEnd + 1));
    };
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
            values[found] = tags[found].value(TagContext{c, date, plan});
        }
        append(line.substr(copied, pos - copied));
        append(tags[found].wrapped ? wrapAtReportWidth(*values[found], column) : *values[found]);
        pos += std::strlen(tags[found].text);
        copied = pos;
    }
    out.append(line.substr(copied));
    return out;
}

std::string reportDocumentTitle(const SizingCase& c) {
    return c.TITLE + (c.TITLE.empty() || c.ITEM.empty() ? "" : " - ") + c.ITEM;
}

MarkupResult ConvertReportMarkup(std::string_view line) {
    return convertMarkup(line, MarkupStyle::Report);
}

std::string buildReportText(std::string_view templateBytes, const SizingCase& c,
                            const ReportDate& date, std::optional<std::string>* caption,
                            const planning::Plan* plan) {
    const std::string text = textAsUtf8(templateBytes);
    std::string report;
    for (std::string_view line : splitLines(text)) {
        MarkupResult converted = ConvertReportMarkup(SubstituteReportTags(line, c, date, plan));
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
                        const std::optional<std::string>& templatePath,
                        const planning::Plan* plan) {
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
    return buildReportText(content.bytes, c, date, caption, plan);
}

} // namespace keld
