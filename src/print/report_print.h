#pragma once
// The report on paper and in a PDF: its fixed-pitch font and its page
// layout, one piece of code for a printer and a PDF writer alike (both are
// paged paint devices), so that the report window's Print and Save as PDF
// and keld-size --pdf lay the report out alike.

#include <QFont>
#include <QString>

class QPagedPaintDevice;

namespace keld::print {

// Whether every character of the font takes the same width, which is what
// makes the report's two unit columns line up.
bool hasEqualAdvances(const QFont& font);

// "Courier New" at the given size; when the machine lacks it (or the face it
// gets instead has characters of different widths), the system's fixed-pitch
// face, so that the report's two unit columns line up.
QFont reportFont(qreal pointSize);

// The paper of a PDF file's pages.
enum class Paper { A4, Letter };

// The paper of a locale by its name ("en_US.UTF-8"): Letter in the United
// States, A4 elsewhere.
Paper paperOfLocale(const QString& localeName);

// The paper of the user's locale, as LC_ALL, LC_PAPER or LANG names it (the
// first that is set); A4 when none is.
Paper localePaper();

// The report (CR LF line breaks) on a printer or PDF writer: an empty line
// first, every line as it is (the report's own lines are at most 77
// characters wide), a new page when one is full and "Page n of N" at the foot
// of every page. The margins are at least 15 mm, which printers do not clip
// (wider ones of the device are kept); the font is 12 point fixed-pitch, or
// the largest half point below that at which 77 characters fit between the
// margins. False when the device could not be opened.
bool paintReport(QPagedPaintDevice& device, const QString& report);

// The report as a PDF file laid out by paintReport on the paper given, with
// `title` as the document's title. The file is made in memory and put in
// place only when every byte of it was written, so a failure leaves an
// existing file as it was; a name that stands for a folder, a device or a
// pipe is refused. False when nothing was written.
bool writeReportPdf(const QString& path, const QString& report, const QString& title, Paper paper);

} // namespace keld::print
