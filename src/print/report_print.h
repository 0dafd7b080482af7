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

// The report (CR LF line breaks) on a printer or PDF writer: 12 point
// fixed-pitch, an empty line first, every line as it is (no wrapping), a new
// page when one is full. False when the device could not be opened.
bool paintReport(QPagedPaintDevice& device, const QString& report);

// The report as a PDF file laid out exactly as paintReport lays it out on a
// printer's default page. The file is made in memory and put in place only
// when every byte of it was written, so a failure leaves an existing file as
// it was; a name that stands for a folder, a device or a pipe is refused.
// False when nothing was written.
bool writeReportPdf(const QString& path, const QString& report);

} // namespace keld::print
