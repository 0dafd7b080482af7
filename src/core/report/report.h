#pragma once
// The calculation report: a template text whose placeholder tags are replaced
// by the values of a finished case, then its markup converted to plain text.

#include "engine/messages.h"
#include "engine/sizing_case.h"
#include "planning/plan.h"
#include "text/markup.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace keld {

// The report's width in characters: the shipped template's lines are 77
// characters wide, and text that the program writes into the report (the
// notes of the fan layout) wraps at it.
inline constexpr std::size_t kReportWidth = 77;

// Today's date as the report writes it ("mmmm dd, yyyy"), with the month
// names of the user's language.
struct ReportDate {
    int year = 2000;
    int month = 1; // 1..12
    int day = 1;
    std::array<std::string, 12> monthNames = {"January",   "February", "March",    "April",
                                              "May",       "June",     "July",     "August",
                                              "September", "October",  "November", "December"};
};

// "March 07, 2026".
std::string formatReportDate(const ReportDate& date);

// Today as the report dates it, with the month names of the user's language
// (LC_TIME); the day of SOURCE_DATE_EPOCH (seconds since 1970-01-01, UTC)
// when that is set, so that a report can be made again alike.
ReportDate reportToday();

// A number of the report: three significant figures, "0.00" below 10,
// "##.0" below 100, "###" below 1000, "###,###" above.
std::string FormatReportValue(double x);

// Replaces every placeholder tag of one template line ("<!QTOTAL#>" and the
// others, in any case) with its value from the finished case. A tag that an
// inserted value itself holds (a title typed as "<!TITLE$>") is part of that
// value and is not replaced again, so the substitution always ends. The
// tags of the fans and noise ("<!FANS&>", "<!SOUNDPRESSURE#>", ...) and of
// the cost of ownership ("<!EVALUATEDCOST#>", ...) take the planning
// figures, and are replaced by nothing when there are none. The notes of the
// fan layout ("<!FANNOTES$>") wrap at the report's width: their first line
// after the text that stands before the tag, the next ones indented to it.
std::string SubstituteReportTags(std::string_view line, const SizingCase& c, const ReportDate& date,
                                 const planning::Plan* plan = nullptr);

// The report's markup: "<BR>" a line break, "<P>" two, "<H1>text</H1>" (H2,
// H3) the text and two line breaks, "<TITLE>text</TITLE>" the window caption;
// other tags are removed. Line breaks are CR LF.
MarkupResult ConvertReportMarkup(std::string_view line);

// The report's name as a document (a PDF file's title, a print job's name):
// the project title and the item number, " - " between them when both are
// given.
std::string reportDocumentTitle(const SizingCase& c);

extern const char* const kCouldNotOpenOutput;
extern const char* const kCouldNotReadOutput;

// The whole report from a template's bytes: each line substituted, converted
// and appended with nothing between lines. `caption` receives the last
// caption a "<TITLE>" set.
std::string buildReportText(std::string_view templateBytes, const SizingCase& c,
                            const ReportDate& date, std::optional<std::string>* caption = nullptr,
                            const planning::Plan* plan = nullptr);

// The report from the template named by the configuration (key Output of
// section Calculations), or from `templatePath` when given. A template that
// cannot be opened shows "Could not open Output File." (exclamation icon) and
// gives an empty report.
std::string buildReport(const std::string& programFolder, const SizingCase& c,
                        const ReportDate& date, MessageSink& messages,
                        std::optional<std::string>* caption = nullptr,
                        const std::optional<std::string>& templatePath = std::nullopt,
                        const planning::Plan* plan = nullptr);

} // namespace keld
