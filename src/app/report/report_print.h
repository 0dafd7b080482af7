#pragma once
// The report on paper and in a PDF: its fixed-pitch font and its page
// layout, shared by the report window's Print and Save as PDF and by
// keld-size --pdf, so that all three lay the report out alike.

#include <QFont>
#include <QString>

class QPrinter;

namespace keld::app {

// Whether every character of the font takes the same width, which is what
// makes the report's two unit columns line up.
bool hasEqualAdvances(const QFont& font);

// "Courier New" at the given size; when the machine lacks it (or the face it
// gets instead has characters of different widths), the system's fixed-pitch
// face, so that the report's two unit columns line up.
QFont reportFont(qreal pointSize);

// The report on a printer (or a printer writing a file): 12 point
// fixed-pitch, an empty line first, every line as it is (no wrapping), a new
// page when one is full. False when the printer could not be opened.
bool printReport(QPrinter& printer, const QString& report);

// The report as a PDF file laid out exactly as printReport lays it out on a
// printer's default page. The file is written beside `path` first and put in
// its place only when complete, so a failure leaves an existing file as it
// was; a name that stands for a folder, a device or a pipe is refused. False
// when nothing was written.
bool writeReportPdf(const QString& path, const QString& report);

} // namespace keld::app
